#!/usr/bin/env bash
# Runs every libFuzzer target for a few seconds each: tools/fuzz-smoke.sh SECONDS
set -euo pipefail
seconds=${1:-20}
cd "$(dirname "$0")/.."
status=0
for fuzzer in build/fuzz/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=fuzz/seeds/${name#fuzz_}
  [ -d "$seeds" ] || seeds=
  if "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds \
      >"build/fuzz/$name.log" 2>&1; then
    echo "$name: $(grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" | awk '{print $2}') runs, no findings"
  else
    echo "$name: FAILED"; tail -n 30 "build/fuzz/$name.log"; status=1
  fi
done
exit $status
