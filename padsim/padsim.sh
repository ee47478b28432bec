#!/usr/bin/env bash
# The simulated pad in a Wine prefix: run it, or source it for the `padsim` function.
#   padsim/padsim.sh COMMAND
#
# Needs the Wine environment of a running session (WINEPREFIX, and a persistent
# wineserver: the driver service lives only as long as the wineserver does), as
# tools/wine-session.sh's wine_session_start sets up. padsimctl.exe, padsim.sys and the
# setup information files are taken from PADSIM_BIN, by default build/win64/bin.
#
#   setup          install padsim.sys as the kernel service velqorgpx (not started)
#   plug           pad plugged in with its driver: listed, both driver interfaces present
#   plug-nodriver  pad plugged in, its driver not running: listed, no interfaces
#   unplug         no pad: device removed, driver stopped
#   uninstall      unplug, then delete the service and padsim.sys
#   status         key=value lines: device, service, DriverInterfaceA/B, state
#   record         the driver's record of the last profile it took
#   clear-record   delete the record (before a publish whose record you want)
#   wait-record    wait (up to 20 s) until there is a record, then print it

_padsim_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

padsim() {
    local bin=${PADSIM_BIN:-$_padsim_root/build/win64/bin}
    local wine=${GRIPDECK_WINE:-$_padsim_root/cmake/wine-run.sh}
    if [ -z "${WINEPREFIX:-}" ]; then
        echo "padsim: no WINEPREFIX; start a Wine session first" >&2
        return 2
    fi
    if [ ! -f "$bin/padsimctl.exe" ] || [ ! -f "$bin/padsim.sys" ]; then
        echo "padsim: padsimctl.exe or padsim.sys missing in $bin (build the win64 preset)" >&2
        return 2
    fi
    case "${1:-}" in
        setup | plug | plug-nodriver | unplug | uninstall | status | record | clear-record | \
            wait-record) ;;
        *)
            sed -n '2,20p' "$_padsim_root/padsim/padsim.sh" | sed 's/^# \{0,1\}//' >&2
            return 2
            ;;
    esac
    # Wine's console output has CRLF line ends; callers get plain lines.
    "$wine" "$bin/padsimctl.exe" "$1" </dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    padsim "$@"
fi
