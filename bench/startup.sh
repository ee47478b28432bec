#!/usr/bin/env bash
# Start-up benchmark under Wine: how long gripdeck.exe takes from process
# start to its painted main window, against a bare resource dialog started
# the same way. Prints every run, both medians and their ratio. A benchmark,
# not a test: nothing here passes or fails on time.
#   bench/startup.sh [RUNS]   (default 7; builds what it needs in build/win64)
#
# Runs in a fresh Wine prefix on a private Xvfb (tools/wine-session.sh), so
# Gripdeck starts as on a new machine: no settings, no driver package.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-7}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [RUNS]" >&2; exit 2; }

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target gripdeck bench_startup_probe bench_bare_dialog >/dev/null

bin=$(pwd)/build/win64/bin
export GRIPDECK_WINE_ROOT=${GRIPDECK_WINE_ROOT:-$(pwd)/build/wine-bench}
# shellcheck source=tools/wine-session.sh
. tools/wine-session.sh
wine_session_start
trap wine_session_stop EXIT

# Wine sees the Linux root as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$GRIPDECK_WINE" "$bin/bench_startup_probe.exe" "$runs" \
  "$(windows_path "$bin/gripdeck.exe")" "$(windows_path "$bin/bench_bare_dialog.exe")" </dev/null
