#!/usr/bin/env bash
# padsim/padsim.sh in a Wine session: every state it offers, as its status reports it.
#   padsim_script_test.sh PADSIM_SH BIN_DIR
set -uo pipefail
export PADSIM_BIN=$2
# shellcheck source=/dev/null
. "$1"

failed=0
expect_state() {
    local command=$1 want=$2 got
    if ! padsim "$command" >/dev/null; then
        echo "FAIL: padsim $command exited non-zero"
        failed=$((failed + 1))
        return
    fi
    got=$(padsim status | sed -n 's/^state=//p')
    if [ "$got" = "$want" ]; then
        echo "ok: $command -> $got"
    else
        echo "FAIL: $command -> state=$got, want $want"
        failed=$((failed + 1))
    fi
}

expect_state plug plugged
expect_state plug-nodriver plugged-nodriver
expect_state plug plugged
expect_state unplug unplugged
# Later tests in the same prefix find no driver service.
expect_state uninstall unplugged
if padsim bogus 2>/dev/null; then
    echo "FAIL: an unknown command succeeded"
    failed=$((failed + 1))
fi
[ "$failed" -eq 0 ]
