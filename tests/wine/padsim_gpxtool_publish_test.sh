#!/usr/bin/env bash
# gpxtool publish in a Wine session, against the simulated pad plugged in and unplugged:
# the package file, the two driver values and the driver's own record are read back.
#   padsim_gpxtool_publish_test.sh PADSIM_SH BIN_DIR SAMPLE_JSON WORK_DIR
set -uo pipefail
export PADSIM_BIN=$2
bin=$2 sample=$3 work=$4
# shellcheck source=/dev/null
. "$1"
wine=${GRIPDECK_WINE:-/usr/lib/wine/wine64}
drivers="$WINEPREFIX/drive_c/windows/system32/drivers"
service='HKLM\SYSTEM\CurrentControlSet\Services\velqorgpx'

failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}
# Wine's console output has CRLF line ends.
gpxtool() {
    "$wine" "$bin/gpxtool.exe" "$@" </dev/null 2>&1 | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
expect_line() {
    grep -qxF -- "$2" <<<"$1" || fail "expected the line [$2] in:"$'\n'"$1"
}
registry_value() {
    "$wine" reg query "$service" /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *\(REG_[A-Z_]*\) *\(.*\)$/\1 \2/p"
}

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
# gpxtool sees only paths relative to its working directory, as under Wine.
cp "$sample" sample.json
gpxtool import sample.json -o raid.gpx >/dev/null || { echo "FAIL: gpxtool import"; exit 1; }
gpxtool package raid.gpx -o expected.pkg >/dev/null || { echo "FAIL: gpxtool package"; exit 1; }
gpxtool unpack raid.gpx --image raid.img --summary raid.sum >/dev/null ||
    { echo "FAIL: gpxtool unpack"; exit 1; }
image_crc=$(python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(open(sys.argv[1], "rb").read()))' raid.img)
read -r width height < <(gpxtool info raid.gpx | sed -n 's/^Resolution: \([0-9]*\)x\([0-9]*\)$/\1 \2/p')
resolution=$(printf '0x%x' $(((width << 16) | height)))

package_line='package: written C:\windows\system32\drivers\velqorgpx.pkg'
values_line="driver values: set under $service (Package, Resolution ${width}x$height)"

# publish_expecting STATUS: a publish of raid.gpx over a removed package, which must
# exit with STATUS, report both driver inputs written, and leave the profile's package.
publish_expecting() {
    rm -f "$drivers/velqorgpx.pkg"
    out=$(gpxtool publish raid.gpx)
    local status=$?
    [ "$status" -eq "$1" ] || fail "publish: exit status $status, want $1"$'\n'"$out"
    expect_line "$out" "$package_line"
    expect_line "$out" "$values_line"
    cmp -s expected.pkg "$drivers/velqorgpx.pkg" || fail "the package is not the profile's"
}

# Plugged in: all three effects, and the driver takes exactly this profile.
padsim plug >/dev/null || fail "padsim plug"
padsim clear-record >/dev/null
publish_expecting 0
expect_line "$out" "driver interface: opened, the pad's driver took the profile"
[ "$(registry_value Package)" = 'REG_SZ \??\C:\windows\system32\drivers\velqorgpx.pkg' ] ||
    fail "Package value: $(registry_value Package)"
[ "$(registry_value Resolution)" = "REG_DWORD $resolution" ] ||
    fail "Resolution value: $(registry_value Resolution), want $resolution"
record=$(padsim wait-record)
expect_line "$record" "image_crc32=$image_crc"
expect_line "$record" "profile=taken"

# Unplugged: the package and the values still wait for the pad; exit status 3 says so.
padsim unplug >/dev/null || fail "padsim unplug"
publish_expecting 3

# A file that is no profile changes nothing.
printf 'not a profile' >junk.gpx
out=$(gpxtool publish junk.gpx)
status=$?
[ "$status" -eq 1 ] || fail "publish of junk: exit status $status, want 1"
cmp -s expected.pkg "$drivers/velqorgpx.pkg" || fail "a refused file touched the package"

[ "$failed" -eq 0 ] && echo "ok: gpxtool publish"
[ "$failed" -eq 0 ]
