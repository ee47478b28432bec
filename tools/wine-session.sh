# Sourced: a private Wine prefix and X display for running the Windows build.
#   wine_session_start   fresh prefix under build/wine, Xvfb, persistent wineserver
#   wine_session_stop    stops both
# After start, WINEPREFIX, DISPLAY, WINEARCH, WINEDEBUG and WINEDLLOVERRIDES are
# exported, and GRIPDECK_WINE is the launcher: cmake/wine-run.sh, which ctest
# runs the Windows tests with too, so the Wine path is written there only.

GRIPDECK_WINE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/wine-run.sh
GRIPDECK_WINE_ROOT=${GRIPDECK_WINE_ROOT:-$(pwd)/build/wine}

_wine_free_display() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

wine_session_start() {
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX="$GRIPDECK_WINE_ROOT/prefix"
  mkdir -p "$GRIPDECK_WINE_ROOT"

  if [ -z "${GRIPDECK_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n
    n=$(_wine_free_display)
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    GRIPDECK_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi

  # A fresh prefix failed to come up once in a full run (one of these Wine
  # commands ended with status 53, and nothing was left to say why): it is
  # made once more before the session gives up.
  _wine_prefix_init || {
    echo "wine-session: a fresh prefix failed to start; making it again" >&2
    _wine_prefix_init
  }
  export GRIPDECK_WINE
}

# A fresh prefix with the settings the tests need, and a persistent server.
_wine_prefix_init() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  "$GRIPDECK_WINE" wineboot -i </dev/null >/dev/null 2>&1 &&
    "$GRIPDECK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
    # A crashing test program must fail its test, not wait for someone to
    # close Wine's crash dialog.
    "$GRIPDECK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 &&
    { wineserver -k >/dev/null 2>&1 || true; } &&
    wineserver -p </dev/null >/dev/null 2>&1 &&
    "$GRIPDECK_WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${GRIPDECK_XVFB_PID:-}" ]; then
    kill "$GRIPDECK_XVFB_PID" 2>/dev/null || true
    wait "$GRIPDECK_XVFB_PID" 2>/dev/null || true
    unset GRIPDECK_XVFB_PID
  fi
}
