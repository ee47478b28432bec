#!/usr/bin/env bash
# Gripdeck's one entry point on a Debian machine.
#   ./gripdeck.sh run    install what is missing, build, and run the program under Wine
#   ./gripdeck.sh test   build all presets and run every test, natively and under Wine
#   ./gripdeck.sh build  install what is missing and build all presets
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$ROOT"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth imagemagick xdotool x11-utils librsvg2-bin python3 fonts-dejavu-core
)

log() { printf '\n== %s\n' "$*"; }

ensure_packages() {
  local missing=() pkg
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_preset() {
  log "build $1"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

build_all() {
  build_preset native
  build_preset win64
  build_preset win32
}

run_tests() {
  local failed=0
  build_all
  build_preset fuzz

  log "native tests"
  ctest --test-dir build/native --output-on-failure -j2 | tail -n 40 || failed=1

  log "Windows tests under Wine"
  # shellcheck source=tools/wine-session.sh
  . tools/wine-session.sh
  wine_session_start
  trap wine_session_stop EXIT
  ctest --test-dir build/win64 --output-on-failure -j1 --timeout 600 | tail -n 60 || failed=1
  wine_session_stop
  trap - EXIT

  log "fuzz smoke runs"
  tools/fuzz-smoke.sh 20 || failed=1

  if [ "$failed" -ne 0 ]; then
    log "FAILED"
    return 1
  fi
  log "all tests passed"
}

run_program() {
  build_preset native
  build_preset win64
  tools/run-program.sh "$@"
}

case "${1:-run}" in
  run) ensure_packages; shift || true; run_program "$@" ;;
  test) ensure_packages; run_tests ;;
  build) ensure_packages; build_all ;;
  *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac
