#!/bin/sh
# Runs a Windows program under Wine: ctest's emulator for the Windows tests,
# and the launcher of tools/wine-session.sh, tools/run-program.sh and
# padsim/padsim.sh. The one place that names Wine's launcher.
# The caller provides WINEPREFIX and DISPLAY (tools/wine-session.sh).
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec /usr/lib/wine/wine64 "$@"
