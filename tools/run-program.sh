#!/usr/bin/env bash
# Runs Gripdeck. Until the main window lands this shows a sample profile with gpxtool.
set -euo pipefail
cd "$(dirname "$0")/.."
sample=build/native/sample.gpx
if [ -x build/native/bin/gpxtool ] && [ -f samples/sample.json ]; then
  build/native/bin/gpxtool import samples/sample.json -o "$sample"
  exec build/native/bin/gpxtool info "$sample"
fi
echo "gpxtool is not built yet" >&2
exit 1
