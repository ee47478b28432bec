#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz preset for SECONDS each (default 20),
# one after another: tools/fuzz-smoke.sh [SECONDS]
# Each keeps what it finds under build/fuzz/corpus/<target>/, so longer runs
# build on earlier ones. Seeds: fuzz/seeds/<name>/, samples/*.json for the
# JSON reader, and profile files made from them plus those the gpxtool tests
# wrote, and the packed bitmaps, when the native build has them.
set -euo pipefail
seconds=${1:-20}
cd "$(dirname "$0")/.."

shopt -s nullglob
# The targets are those fuzz/ holds sources for; each must have been built.
fuzzers=()
for source in fuzz/fuzz_*.cpp; do
  fuzzers+=("build/fuzz/bin/$(basename "${source%.cpp}")")
done
for fuzzer in "${fuzzers[@]}"; do
  if [ ! -x "$fuzzer" ]; then
    echo "$fuzzer is not built: build the fuzz preset first" >&2
    exit 1
  fi
done
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzz targets in fuzz/" >&2
  exit 1
fi

generated=build/fuzz/seeds/profile_file
mkdir -p "$generated"
if [ -x build/native/bin/gpxtool ]; then
  for sample in samples/*.json; do
    build/native/bin/gpxtool import "$sample" -o "$generated/$(basename "${sample%.json}").gpx" ||
      echo "warning: $sample does not import" >&2
  done
fi
# The JSON reader starts from the samples themselves.
mkdir -p build/fuzz/seeds/profile_json
cp samples/*.json build/fuzz/seeds/profile_json/
for profile in build/native/tests/tools/cli_*/*.gpx; do
  cp "$profile" "$generated/$(basename "$(dirname "$profile")")-$(basename "$profile")"
done

# The skin's packed bitmaps start from those of the first scale the native
# build drew, where it has them.
mkdir -p build/fuzz/seeds/packed_art
for art in build/native/res/art/bitmaps/[0-9][0-9][0-9].art; do
  cp "$art" build/fuzz/seeds/packed_art/
done

status=0
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  for dir in "fuzz/seeds/${name#fuzz_}" "build/fuzz/seeds/${name#fuzz_}"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  if "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}" \
      >"build/fuzz/$name.log" 2>&1; then
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "build/fuzz/$name.log")
    echo "$name: $runs runs in ${seconds} s, $(find "$corpus" -type f | wc -l) inputs kept, no findings"
  else
    echo "$name: FAILED"; tail -n 30 "build/fuzz/$name.log"; status=1
  fi
done
exit $status
