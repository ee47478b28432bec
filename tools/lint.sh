#!/usr/bin/env bash
# The source checks of ./gripdeck.sh test: tools/lint.sh format|tidy
#   format  every C and C++ file (git's tracked ones, or the tree's own without
#           git) is in clang-format's layout (.clang-format)
#   tidy    clang-tidy (.clang-tidy) finds nothing in the code the native build
#           compiles from src/, res/, tools/ and bench/; needs that build's
#           compile_commands.json (cmake --preset native)
# strings.inc is left out of the format check: the resource compiler reads it
# too, one row a line.
set -euo pipefail
cd "$(dirname "$0")/.."

# The C and C++ sources, NUL-separated: git's tracked files in a work tree of
# this very folder, otherwise (a source archive, or one unpacked inside some
# other repository) the tree's own files, leaving out builds and hidden folders.
list_sources() {
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git ls-files -z '*.c' '*.cpp' '*.h'
  else
    find . \( -path ./build -o -path ./out -o -name '.?*' \) -prune -o \
      -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 | sort -z
  fi
}

check_format() {
  local sources
  sources=$(list_sources | tr '\0' '\n' | wc -l)
  if [ "$sources" -eq 0 ]; then
    echo "clang-format: no C or C++ sources found" >&2
    return 1
  fi
  list_sources | xargs -0 clang-format --dry-run --Werror
  echo "clang-format: no changes needed ($sources files)"
}

check_tidy() {
  local database=build/native/compile_commands.json
  if [ ! -f "$database" ]; then
    echo "$database is missing: configure the native preset first" >&2
    return 1
  fi
  # The tests and GoogleTest are left out: the check is for the shipped code.
  # clang-tidy counts the compiler warnings it hid on standard error: not news.
  python3 - "$database" "$(pwd)" <<'EOF' |
import json, os, sys
root = sys.argv[2]
files = sorted({e["file"] for e in json.load(open(sys.argv[1]))})
wanted = [f for f in files
          if os.path.relpath(f, root).split(os.sep)[0] in ("src", "res", "tools", "bench")]
sys.stdout.write("\0".join(wanted))
EOF
    xargs -0 -r -n 1 -P 2 clang-tidy -p build/native --quiet 2> >(sed '/warnings\? generated\.$/d' >&2)
  echo "clang-tidy: no findings"
}

case "${1:-}" in
  format) check_format ;;
  tidy) check_tidy ;;
  *) echo "usage: $0 format|tidy" >&2; exit 2 ;;
esac
