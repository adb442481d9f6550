#!/usr/bin/env bash
# The Debian package made from this build's pakiet (stand-in stubs: the Linux build has no
# Windows one) and checked as a publisher gets it; scripts/release does the same with the
# real stubs and the Windows zip.
#
# usage: package_check.sh SOURCE_DIR WORK PAKIET
set -euo pipefail
source=$1 work=$2 pakiet=$3
rm -rf "$work"
mkdir -p "$work/stubs"
# Two different stand-ins, so that the choice between them shows.
{ printf 'MZ'; head -c 65534 /dev/zero; } >"$work/stubs/x86_64.exe"
{ printf 'MZi686'; head -c 65530 /dev/zero; } >"$work/stubs/i686.exe"
source "$source/scripts/lib/package.sh"
version=$("$pakiet" --version | sed -n 's/^pakiet \([^ ]*\) .*/\1/p')
export SOURCE_DATE_EPOCH=1700000000
lumor_make_deb "$source" "$work/out" "$version" "$pakiet" "$work/stubs/x86_64.exe" "$work/stubs/i686.exe"
exec bash "$source/tests/release/deb_package_test.sh" "$source" "$work/check" "$work/out/pakiet_${version}_amd64.deb"
