#!/usr/bin/env bash
# Start-up benchmark under Wine: how long gripdeck.exe takes from process
# start until its main window is SHOWN (painted) and until it is READY
# (every control made, the summary window shown), against a bare resource
# dialog started the same way. Prints every run, the medians with the
# fastest starts and their ratios to the bare dialog, then the median time
# of each step of Gripdeck's start. A benchmark, not a test: nothing here
# passes or fails on time.
#   bench/startup.sh [RUNS] [OTHER_GRIPDECK_EXE...]
#     RUNS: default 7; builds what it needs in build/win64.
#     OTHER_GRIPDECK_EXE: other builds (a Linux path) measured in the same
#     session, alternating with this one, e.g. one built from main.
#
# Runs in a fresh Wine prefix on a private Xvfb (tools/wine-session.sh), so
# Gripdeck starts as on a new machine: no settings, no driver package.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-7}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [RUNS] [OTHER_GRIPDECK_EXE...]" >&2; exit 2; }
shift || true
for other in "$@"; do
  [[ -f "$other" ]] || { echo "no such program: $other" >&2; exit 2; }
done

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target gripdeck bench_startup_probe bench_bare_dialog >/dev/null

bin=$(pwd)/build/win64/bin
export GRIPDECK_WINE_ROOT=${GRIPDECK_WINE_ROOT:-$(pwd)/build/wine-bench}
# shellcheck source=tools/wine-session.sh
. tools/wine-session.sh
wine_session_start
marks=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$marks"' EXIT

# Wine sees the Linux root as drive Z:.
windows_path() { local full; full=$(realpath "$1"); printf 'Z:%s' "${full//\//\\}"; }
programs=("$(windows_path "$bin/gripdeck.exe")")
for other in "$@"; do programs+=("$(windows_path "$other")"); done
GRIPDECK_START_MARKS=$(windows_path "$marks")\\marks "$GRIPDECK_WINE" \
  "$bin/bench_startup_probe.exe" "$runs" "${programs[@]}" \
  "$(windows_path "$bin/bench_bare_dialog.exe")" </dev/null

# Each step's median end (ms since the process was created) and median
# length (since the step before it), over the measured starts.
for file in "$marks"/marks.*; do
  [[ -f "$file" ]] || continue
  echo "steps of program ${file##*.} (ms: median end; median and least length since the step before):"
  tr -d '\r' <"$file" | awk '
    function median(list,   v, n, i, j, x) {
      n = split(list, v, " ")
      for (i = 2; i <= n; ++i) {
        x = v[i] + 0
        for (j = i - 1; j >= 1 && v[j] + 0 > x; --j) v[j + 1] = v[j]
        v[j + 1] = x
      }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    {
      if ($1 != pid) { pid = $1; last = 0 }
      if (!($2 in ends)) order[++steps] = $2
      length_ = $3 - last; last = $3
      ends[$2] = ends[$2] " " $3; lengths[$2] = lengths[$2] " " length_
      if (!($2 in least) || length_ < least[$2]) least[$2] = length_
    }
    END {
      for (i = 1; i <= steps; ++i)
        printf "  %-22s %7.1f %7.1f %7.1f\n", order[i], median(ends[order[i]]),
          median(lengths[order[i]]), least[order[i]]
    }'
done
