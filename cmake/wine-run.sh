#!/bin/sh
# Runs a Windows test executable under Wine; ctest uses this as the emulator.
# The caller (./gripdeck.sh test) provides WINEPREFIX and DISPLAY.
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec /usr/lib/wine/wine64 "$@"
