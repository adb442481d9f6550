#!/usr/bin/env bash
# The demo installer built twice from the same sources, at different times, into separate
# folders, is the same file byte for byte when SOURCE_DATE_EPOCH is set: the catalog's dates
# and the archive's member times come from it, not from the clock. Without it the members keep
# one fixed time. A Windows stub carries no link time in its PE header.
#
# usage: reproducible_installer_test.sh DEMO_DIR WORK STUB|- PAKIET [ARG...]
#   STUB - puts a stand-in program before the archive (native builds have no Windows stub).
set -uo pipefail
demo=$1 work=$2 stub=$3
shift 3
pakiet=("$@")
source "$(dirname "$0")/../cli/lib.sh"

rm -rf "$work"
mkdir -p "$work"
if [ "$stub" = - ]; then
  stub=$work/stand-in-stub.exe
  { printf 'MZ'; head -c 65534 /dev/zero; } >"$stub"
fi

build() {  # OUT: the demo installer into OUT with the environment as it is
  if ! bash "$demo/build-installer.sh" "$stub" "$1" "${pakiet[@]}" >"$1.log" 2>&1; then
    cat "$1.log"
    fail "the demo installer could not be built into $1"
    return 1
  fi
}

# 2023-11-14 22:13:20 UTC.
export SOURCE_DATE_EPOCH=1700000000
build "$work/first" && build "$work/second" || { echo "$failures failure(s)"; exit 1; }
cmp -s "$work/first/package/Wrzos/dodatki.mdb" "$work/second/package/Wrzos/dodatki.mdb" &&
  pass "the catalog made twice is the same file" || fail "the catalogs differ: $(cmp "$work/first/package/Wrzos/dodatki.mdb" "$work/second/package/Wrzos/dodatki.mdb")"
cmp -s "$work/first/instalator-demo.exe" "$work/second/instalator-demo.exe" &&
  pass "the installer built twice is the same file" || fail "the installers differ: $(cmp "$work/first/instalator-demo.exe" "$work/second/instalator-demo.exe")"

# Every member carries SOURCE_DATE_EPOCH's time (zipinfo -T: yyyymmdd.hhmmss).
member_times() { zipinfo -T "$1" 2>/dev/null | awk '$1 ~ /^[-d]/ {print $7}' | sort -u; }
times=$(member_times "$work/first/instalator-demo.exe")
[ "$times" = "20231114.221320" ] && pass "every member is dated SOURCE_DATE_EPOCH" || fail "member times: $times"
# The catalog's system tables hold the same moment (OLE date 45244.925925..., 2023-11-14 22:13:20).
"${pakiet[@]}" catalog dump "$(native "$work/first/package/Wrzos/dodatki.mdb")" MSysObjects --format csv >"$work/objects.csv" 2>&1
grep -q "2023-11-14 22:13:20" "$work/objects.csv" && pass "the catalog's objects are dated SOURCE_DATE_EPOCH" ||
  fail "no object of the catalog is dated 2023-11-14 22:13:20"

# Without it: the fixed 1980-01-01 for members (the catalog then has the clock's time).
unset SOURCE_DATE_EPOCH
build "$work/unset" || { echo "$failures failure(s)"; exit 1; }
times=$(member_times "$work/unset/instalator-demo.exe")
[ "$times" = "19800101.000000" ] && pass "without SOURCE_DATE_EPOCH members keep 1980-01-01" || fail "member times: $times"

# A PE file's COFF header: TimeDateStamp 8 bytes after the "PE\0\0" that e_lfanew points to.
pe_time() {
  local header
  header=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -tu4 -j $((header + 8)) -N 4 "$1" | tr -d ' '
}
if [ "$(head -c 2 "$stub")" = MZ ] && [ "$(od -An -tu4 -j 60 -N 4 "$stub" | tr -d ' ')" -gt 0 ]; then
  [ "$(pe_time "$stub")" = 0 ] && pass "the stub's PE header has no link time" || fail "the stub was linked at $(pe_time "$stub")"
  exe=${pakiet[${#pakiet[@]}-1]}
  case "$exe" in *.exe) [ "$(pe_time "$exe")" = 0 ] && pass "pakiet.exe has no link time" || fail "pakiet.exe was linked at $(pe_time "$exe")" ;; esac
fi

echo "$failures failure(s)"
[ $failures -eq 0 ]
