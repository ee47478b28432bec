#!/usr/bin/env bash
# The release from the built win64 and win32 trees (./gripdeck.sh release):
#   tools/release.sh            writes build/release/: gripdeck-<version>-setup.exe,
#                               gripdeck-<version>-win64.zip, -win32.zip, SHA256SUMS
# Sourced (the installer test does), it only defines the functions below.
set -euo pipefail

RELEASE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The project's version, as CMake configured it into the installer's names.
release_version() {
  sed -n 's/^!define VERSION "\(.*\)"$/\1/p' "$1/release/release.nsh"
}

# stage_build BUILD_DIR DEST: the tree's install components, DEST/program and
# (when the build was given a driver package) DEST/driver.
stage_build() {
  local build=$1 dest=$2
  rm -rf "$dest"
  cmake --install "$build" --prefix "$dest/program" --component program --strip >/dev/null
  cmake --install "$build" --prefix "$dest/driver" --component driver >/dev/null
}

# nsis_payload NAME DIR: the macros Install_NAME and Remove_NAME for every file
# under DIR, installed under $INSTDIR with the same relative path.
nsis_payload() {
  local name=$1 dir=$2 rel folder
  local -a files folders
  mapfile -t files < <(cd "$dir" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  mapfile -t folders < <(cd "$dir" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)
  echo "!define HAVE_$name"
  echo "!macro Install_$name"
  for rel in "${files[@]}"; do
    folder=$(dirname "$rel")
    if [ "$folder" = . ]; then
      echo "    SetOutPath \"\$INSTDIR\""
    else
      echo "    SetOutPath \"\$INSTDIR\\${folder//\//\\}\""
    fi
    echo "    File \"$dir/$rel\""
  done
  echo "!macroend"
  echo "!macro Remove_$name"
  for rel in "${files[@]}"; do
    echo "    Delete \"\$INSTDIR\\${rel//\//\\}\""
  done
  for folder in "${folders[@]}"; do
    echo "    RMDir \"\$INSTDIR\\${folder//\//\\}\""
  done
  echo "!macroend"
}

# make_installer OUTFILE CONFIG STAGE64 [STAGE32] [makensis options...]: the
# setup program from stage_build's folders (an empty STAGE32 leaves the 32-bit
# build out). CONFIG is a build tree's release/release.nsh.
make_installer() {
  local out=$1 config=$2 stage64=$3 stage32=${4:-}
  shift 4 || shift $#
  local payloads="${out%.exe}-files.nsh" arch stage
  {
    echo "!define LICENSE_FILE \"$stage64/program/LICENSE.txt\""
    for arch in 64 32; do
      stage=$stage64
      [ "$arch" = 32 ] && stage=$stage32
      [ -n "$stage" ] || continue
      nsis_payload "program$arch" "$stage/program"
      if [ -d "$stage/driver" ]; then
        nsis_payload "driver$arch" "$stage/driver"
      fi
    done
  } >"$payloads"
  makensis -V2 -DCONFIG="$config" -DFILES="$payloads" -DOUTFILE="$out" "$@" \
    "$RELEASE_ROOT/release/gripdeck.nsi"
  rm -f "$payloads"
}

# zip_stage STAGE NAME ZIP: the program and driver package in one folder NAME.
zip_stage() {
  local stage=$1 name=$2 zip=$3 work
  work=$(mktemp -d)
  mkdir "$work/$name"
  cp -r "$stage/program/." "$work/$name/"
  if [ -d "$stage/driver" ]; then
    cp -r "$stage/driver/." "$work/$name/"
  fi
  rm -f "$zip"
  (cd "$work" && zip -qr -X "$zip" "$name")
  rm -rf "$work"
}

release_main() {
  cd "$RELEASE_ROOT"
  local version out=build/release stage=build/release-stage
  version=$(release_version build/win64)
  [ -n "$version" ] || { echo "no version in build/win64/release/release.nsh" >&2; return 1; }
  rm -rf "$out" "$stage"
  mkdir -p "$out" "$stage"
  stage_build build/win64 "$PWD/$stage/win64"
  stage_build build/win32 "$PWD/$stage/win32"
  if [ ! -d "$stage/win64/driver" ]; then
    echo "note: no GRIPDECK_DRIVER_DIR given, so the installer has no driver component"
  fi
  zip_stage "$stage/win64" "gripdeck-$version-win64" "$PWD/$out/gripdeck-$version-win64.zip"
  zip_stage "$stage/win32" "gripdeck-$version-win32" "$PWD/$out/gripdeck-$version-win32.zip"
  make_installer "$PWD/$out/gripdeck-$version-setup.exe" "$PWD/build/win64/release/release.nsh" \
    "$PWD/$stage/win64" "$PWD/$stage/win32"
  rm -rf "$stage"
  (cd "$out" && sha256sum -- *.exe *.zip >SHA256SUMS)
  ls -l "$out"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  release_main "$@"
fi
