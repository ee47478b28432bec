#!/usr/bin/env bash
# Runs gripdeck.exe (build/win64) under Wine with the simulated pad plugged in, and saves
# a screenshot of it into build/screenshots/.
#   tools/run-program.sh [ARGUMENTS FOR GRIPDECK]
#
# With a DISPLAY it runs on that display until you end it (File > Exit, or Exit in its
# tray menu). Without one it runs on a private Xvfb: it starts, the screenshot is taken,
# and it is ended again.
#
# The Wine prefix is fresh for every run and lives under build/wine-run; an already
# running session (WINEPREFIX exported and its wineserver alive, as tools/wine-session.sh
# leaves it) is used as it is. Without the simulated pad's files it runs without a pad.
# GRIPDECK_BUILD_DIR names another win64 build folder than build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

bin="${GRIPDECK_BUILD_DIR:-$ROOT/build/win64}/bin"
exe="$bin/gripdeck.exe"
if [ ! -f "$exe" ]; then
  echo "run-program: $exe is not built (./gripdeck.sh build)" >&2
  exit 1
fi

# shellcheck source=tools/wine-session.sh
. tools/wine-session.sh

# A prefix's wineserver works in a folder named after the prefix folder's device and
# inode ("server-<dev>-<inode>", in hex); while such a server runs, the session does.
session_alive() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 1
  local name pid
  name=$(printf 'server-%x-%x' "$(stat -c '%d' "$WINEPREFIX")" "$(stat -c '%i' "$WINEPREFIX")")
  for pid in $(pgrep -f wineserver 2>/dev/null); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
      */"$name") return 0 ;;
    esac
  done
  return 1
}

own_session=0
if session_alive && [ -n "${DISPLAY:-}" ]; then
  echo "run-program: using the running Wine session in $WINEPREFIX"
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export GRIPDECK_WINE
else
  export GRIPDECK_WINE_ROOT="$ROOT/build/wine-run"
  # Only an Xvfb this run starts is stopped at its end.
  unset GRIPDECK_XVFB_PID
  if [ -n "${DISPLAY:-}" ]; then
    export GRIPDECK_KEEP_DISPLAY=1
  fi
  echo "run-program: starting a Wine session (about 20 seconds)"
  wine_session_start
  own_session=1
fi
# A display served by an Xvfb is a private one: nobody sees or ends the program there.
on_user_display=1
display_number=${DISPLAY#*:}
display_number=${display_number%%.*}
if [ -n "${GRIPDECK_XVFB_PID:-}" ] || pgrep -f "^Xvfb :$display_number( |\$)" >/dev/null 2>&1; then
  on_user_display=0
fi

stop_session() {
  if [ "$own_session" -eq 1 ]; then
    wine_session_stop
  fi
}
trap stop_session EXIT

if [ "$on_user_display" -eq 1 ] && [ "$own_session" -eq 1 ]; then
  # A window manager is there to manage Wine's windows; the session's default leaves
  # them unmanaged, which only suits a bare Xvfb.
  "$GRIPDECK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f \
    </dev/null >/dev/null 2>&1 || true
fi

if [ -f padsim/padsim.sh ] && [ -f "$bin/padsimctl.exe" ] && [ -f "$bin/padsim.sys" ]; then
  if PADSIM_BIN="$bin" bash padsim/padsim.sh plug >/dev/null; then
    echo "run-program: simulated pad plugged in"
  else
    echo "run-program: the simulated pad could not be plugged in; running without it" >&2
  fi
else
  echo "run-program: no simulated pad built; running without a pad"
fi

"$GRIPDECK_WINE" "$exe" "$@" </dev/null >/dev/null 2>&1 &
program=$!

window=""
for _ in $(seq 300); do
  window=$(xdotool search --name '^Gripdeck: ' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  if ! kill -0 "$program" 2>/dev/null; then
    break
  fi
  sleep 0.1
done

mkdir -p build/screenshots
shot="build/screenshots/gripdeck-$(date +%Y%m%d-%H%M%S).png"
if [ -n "$window" ]; then
  sleep 1.5 # the skin and the summary window paint
  if [ "$on_user_display" -eq 1 ]; then
    # Only the program's window: the rest of the user's screen is theirs.
    import -window "$window" "$shot" 2>/dev/null || true
  else
    import -window root "$shot" 2>/dev/null || true
  fi
  if [ -f "$shot" ]; then
    echo "run-program: screenshot saved to $ROOT/$shot"
  else
    echo "run-program: the screenshot could not be taken" >&2
  fi
else
  echo "run-program: no Gripdeck window appeared (another copy may run: it got the start)" >&2
fi

if [ "$on_user_display" -eq 1 ]; then
  echo "run-program: Gripdeck runs on $DISPLAY; end it with File > Exit or the tray menu's Exit"
  wait "$program" || true
else
  # Nobody can use a private display: end the program with the session.
  kill "$program" 2>/dev/null || true
fi
