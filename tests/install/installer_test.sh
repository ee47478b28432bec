#!/usr/bin/env bash
# The installer under Wine, end to end, in a Wine prefix of its own, with the simulated
# pad's driver package as the driver component: install, the program, upgrade, uninstall.
#   tests/install/installer_test.sh [BUILD_DIR]     (default build/win64)
# The build must hold gripdeck, gpxtool, padsim and autoswitch_game; makensis must be
# installed. Only 64-bit code runs here: the setup program is the release's script made
# with -DAMD64.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$ROOT"
BUILD=$(cd "${1:-build/win64}" && pwd)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/gripdeck-installer.XXXXXX")
export GRIPDECK_WINE_ROOT=$WORK/wine
export PADSIM_BIN=$BUILD/bin
# shellcheck source=tools/release.sh
. tools/release.sh
# shellcheck source=tools/wine-session.sh
. tools/wine-session.sh

cleanup() {
  wine_session_stop
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  [ -s "$WORK/reg-errors.log" ] && tail -5 "$WORK/reg-errors.log" >&2
  exit 1
}
pass() { echo "ok: $*"; }

# Waits up to $1 seconds for the command to succeed.
wait_until() {
  local tries
  for ((tries = $1 * 4; tries > 0; tries--)); do
    "${@:2}" && return 0
    sleep 0.25
  done
  return 1
}

wine_run() { "$GRIPDECK_WINE" "$@" </dev/null; }

# The data of a registry value, or nothing (status 1) when it is absent.
# reg.exe under a loaded machine has been seen to fail once for a value that
# was there, so a miss is asked again before it counts.
reg_value() {
  local line tries
  for tries in 1 2 3; do
    if line=$(wine_run reg query "$1" /v "$2" 2>>"$WORK/reg-errors.log" | tr -d '\r' |
      grep -E "^ +$2 +REG_"); then
      sed -E "s/^ +$2 +REG_[A-Z_]+ {4}//" <<<"$line"
      return 0
    fi
    [ "$tries" -lt 3 ] && sleep 0.5
  done
  return 1
}
expect_value() {
  local data
  data=$(reg_value "$1" "$2") || fail "$1 $2 is missing"
  [ "$data" = "$3" ] || fail "$1 $2 is '$data', not '$3'"
}
expect_no_value() {
  if reg_value "$1" "$2" >/dev/null; then fail "$1 $2 is still there"; fi
}
key_exists() { wine_run reg query "$1" >/dev/null 2>&1; }

# The machine type in a PE file's header: 8664 for x86-64.
pe_machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}

# Process id of the program's main window ("Gripdeck: <profile>"), if shown.
main_window_pid() {
  local window
  window=$(xdotool search --name '^Gripdeck: ' 2>/dev/null | head -1)
  [ -n "$window" ] && xdotool getwindowpid "$window" 2>/dev/null
}
main_window_other_than() { local pid; pid=$(main_window_pid) && [ "$pid" != "$1" ]; }
no_main_window() { ! main_window_pid >/dev/null; }

VERSION=$(release_version "$BUILD")
SETUP=$WORK/gripdeck-test-setup.exe
OLDER=$WORK/gripdeck-older-setup.exe
PROGRAMS='C:\Program Files\Gripdeck'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gripdeck'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
SETTINGS_KEY='HKCU\Software\MARVENTA\Gripdeck\default'
INSTALLED_FILES=(gripdeck.exe gpxtool.exe README.txt LICENSE.txt uninstall.exe
  vlqrgpxkb.inf vlqrgpxms.inf padsim.sys)

echo "== making the test installer ($VERSION)"
stage_build "$BUILD" "$WORK/stage64"
rm -rf "$WORK/stage64/driver"
mkdir "$WORK/stage64/driver"
cp "$BUILD/bin/vlqrgpxkb.inf" "$BUILD/bin/vlqrgpxms.inf" "$BUILD/bin/padsim.sys" "$WORK/stage64/driver/"
# An older version, with a file this one no longer has.
echo retired >"$WORK/stage64/program/retired.txt"
make_installer "$OLDER" "$BUILD/release/release.nsh" "$WORK/stage64" "" -DAMD64 >/dev/null
rm "$WORK/stage64/program/retired.txt"
make_installer "$SETUP" "$BUILD/release/release.nsh" "$WORK/stage64" "" -DAMD64 >/dev/null

wine_session_start
DIR=$WINEPREFIX/drive_c/Program\ Files/Gripdeck
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Gripdeck.lnk"

echo "== silent install, the pad plugged in without its driver"
padsim/padsim.sh plug-nodriver >/dev/null
timeout 120 "$GRIPDECK_WINE" "$OLDER" /S /STARTUP </dev/null || fail "the installer ended with $?"
for file in "${INSTALLED_FILES[@]}"; do
  [ -f "$DIR/$file" ] || fail "$file was not installed"
done
[ "$(pe_machine "$DIR/gripdeck.exe")" = 8664 ] || fail "gripdeck.exe is not the 64-bit program"
expect_value "$SETTINGS_KEY" InstallDir "$PROGRAMS"
[ -f "$SHORTCUT" ] || fail "no Start-menu shortcut"
pass "files, the 64-bit program, InstallDir and the Start-menu shortcut"
expect_value "$UNINSTALL_KEY" DisplayName Gripdeck
expect_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
expect_value "$UNINSTALL_KEY" Publisher MARVENTA
expect_value "$UNINSTALL_KEY" QuietUninstallString "\"$PROGRAMS\\uninstall.exe\" /S"
reg_value "$UNINSTALL_KEY" EstimatedSize >/dev/null || fail "no EstimatedSize"
expect_value "$RUN_KEY" Gripdeck "\"$PROGRAMS\\gripdeck.exe\" -1"
pass "Uninstall entry and the program's own Run value"
padsim/padsim.sh status | grep -qx 'state=plugged' || fail "the driver component did not bring the pad online"
pass "driver installed: the pad is online"

echo "== the installed program"
("$GRIPDECK_WINE" "$PROGRAMS\\gripdeck.exe" </dev/null >/dev/null 2>&1 &)
wait_until 60 main_window_pid >/dev/null || fail "the installed program shows no window"
FIRST=$(main_window_pid)
pass "the installed program shows its window"

echo "== silent upgrade over the running copy"
timeout 120 "$GRIPDECK_WINE" "$SETUP" /S </dev/null || fail "the upgrade ended with $?"
wait_until 60 main_window_other_than "$FIRST" || fail "the program was not started again"
expect_value "$RUN_KEY" Gripdeck "\"$PROGRAMS\\gripdeck.exe\" -1"
expect_value "$SETTINGS_KEY" InstallDir "$PROGRAMS"
[ ! -e "$DIR/retired.txt" ] || fail "a file of the older version stayed behind"
pass "the running copy was closed and started again; the choices kept; no file left over"

echo "== silent uninstall"
echo "a profile the user saved" >"$DIR/mine.gpx"
# The uninstaller runs on from a copy of itself: wait for its work.
wine_run "$DIR/uninstall.exe" /S || fail "the uninstaller ended with $?"
uninstalled() { ! key_exists "$UNINSTALL_KEY" && [ ! -e "$1" ]; }
wait_until 60 uninstalled "$DIR/uninstall.exe" || fail "the Uninstall entry or uninstall.exe is still there"
for file in "${INSTALLED_FILES[@]}"; do
  [ ! -e "$DIR/$file" ] || fail "$file was left behind"
done
[ -f "$DIR/mine.gpx" ] || fail "the user's profile was removed"
[ ! -e "$SHORTCUT" ] || fail "the shortcut was left behind"
expect_no_value "$RUN_KEY" Gripdeck
expect_no_value "$SETTINGS_KEY" InstallDir
wait_until 10 no_main_window || fail "the program still runs"
pass "uninstalled: no program file, no Uninstall entry, no Run value; the profile kept"

echo "== another folder, no driver"
timeout 120 "$GRIPDECK_WINE" "$SETUP" /S /NODRIVER '/D=C:\Tools\Pad' </dev/null ||
  fail "the installer ended with $?"
OTHER=$WINEPREFIX/drive_c/Tools/Pad
[ -f "$OTHER/gripdeck.exe" ] || fail "/D= not followed"
[ ! -e "$OTHER/vlqrgpxkb.inf" ] || fail "/NODRIVER not followed"
expect_value "$SETTINGS_KEY" InstallDir 'C:\Tools\Pad'
expect_value "$UNINSTALL_KEY" QuietUninstallString '"C:\Tools\Pad\uninstall.exe" /S'
pass "/D= and /NODRIVER"

echo "== a file in use"
cp "$BUILD/bin/autoswitch_game.exe" "$OTHER/gpxtool.exe"
("$GRIPDECK_WINE" 'C:\Tools\Pad\gpxtool.exe' held-by-test </dev/null >/dev/null 2>&1 &)
held_pid() { xdotool getwindowpid "$(xdotool search --name '^held-by-test' | head -1)" 2>/dev/null; }
held_gone() { ! held_pid >/dev/null; }
wait_until 30 held_pid >/dev/null || fail "the program holding gpxtool.exe shows no window"
status=0
timeout 120 "$GRIPDECK_WINE" "$SETUP" /S /NODRIVER '/D=C:\Tools\Pad' </dev/null || status=$?
kill "$(held_pid)"
wait_until 30 held_gone || fail "the program holding gpxtool.exe did not end"
[ "$status" = 4 ] || fail "a silent install that left a file in use ended with $status, not 4"
pass "a file in use makes a silent install end with 4"

echo "== moved to a third folder"
timeout 120 "$GRIPDECK_WINE" "$SETUP" /S /NODRIVER '/D=C:\Tools\Moved' </dev/null ||
  fail "the installer ended with $?"
[ ! -e "$OTHER" ] || fail "the copy in the earlier folder stayed"
expect_value "$UNINSTALL_KEY" InstallLocation 'C:\Tools\Moved'
wine_run "$WINEPREFIX/drive_c/Tools/Moved/uninstall.exe" /S || fail "the uninstaller ended with $?"
wait_until 60 uninstalled "$WINEPREFIX/drive_c/Tools/Moved" || fail "the uninstall left something"
pass "the earlier folder emptied, the entry moved along"

echo "== installer test passed"
