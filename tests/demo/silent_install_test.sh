#!/usr/bin/env bash
# The demo installer run the way a deployment tool runs it, under Wine: `/S` with `/LOG=`
# installs into the prefix's host with no window and exit 0, merges the catalog and writes a
# UTF-8 log headed by date, version and package; `/D=` takes a Polish folder with blanks
# unquoted; no host gives 1, an unknown switch 2; `/S /?` writes the help to the log only.
# Every exit code is the Windows process's own, as Wine hands it back.
#
# usage: silent_install_test.sh DEMO_DIR WORK STUB PAKIET [ARG...]   (a win64 build, Wine set up)
set -uo pipefail
demo=$1 work=$2 stub=$3
shift 3
pakiet=("$@")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
windows() { printf 'Z:%s' "${1//\//\\}"; }
: "${WINEPREFIX:?silent_install_test.sh needs the Wine prefix (scripts/lib/deps.sh lumor_wine_env)}"

rm -rf "$work"
mkdir -p "$work"
out=$work/out
if ! bash "$demo/build-installer.sh" "$stub" "$out" "${pakiet[@]}" >"$work/build.log" 2>&1; then
  cat "$work/build.log"
  echo "FAIL: the demo installer could not be built"
  exit 1
fi
exe=$out/instalator-demo.exe
# The same package built with its version and publisher: the built file's version resource
# names them, read back from the file.
stamped=$work/instalator-wrzos.exe
if "${pakiet[@]}" build --stub "$stub" --package "$out/package/Wrzos" --output "$stamped" \
     --version 2.5.1 --publisher "Wrzos Meble" >"$work/stamp.log" 2>&1 &&
   cmake -DEXE="$stamped" -DVERSION=2.5.1 -DNAME=instalator-wrzos "-DDESCRIPTION=Instalator pakietu Wrzos" \
     "-DCOMPANY=Wrzos Meble" -P "$(dirname "$0")/../app/version_resource_check.cmake" >>"$work/stamp.log" 2>&1; then
  pass "pakiet build --version 2.5.1 --publisher writes the built installer's version resource"
else
  fail "the built installer's version resource: $(cat "$work/stamp.log")"
fi
# The prefix's C: drive is the host's machine; no other host may be there.
hosts=$WINEPREFIX/drive_c/Kavitek
rm -rf "$hosts"
trap 'rm -rf "$hosts"' EXIT

# install RUN ARG...: the installer in its own current directory; $status is its exit code.
install() {
  local run=$work/$1
  shift
  mkdir -p "$run"
  (cd "$run" && wine "$exe" "$@") >"$run.out" 2>&1
  status=$?
}
# log_has FILE LINE: the log holds LINE whole (lines end with CR LF).
# grep reads to the end (no -q): quitting at the first match would end tr with SIGPIPE, and
# pipefail would then report the line as missing when the log is long.
log_has() { tr -d '\r' <"$1" | grep -xF -- "$2" >/dev/null; }

# --- no host at all --------------------------------------------------------------------------
log=$work/bez-hosta.log
install nohost /S "/LOG=$(windows "$log")"
[ "$status" -eq 1 ] && pass "/S without a host exits 1" || fail "/S without a host: exit $status"
log_has "$log" "Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog." &&
  pass "the log tells why" || fail "no reason in the log: $(cat "$log" 2>/dev/null)"
[ ! -d "$work/nohost/tmp" ] && pass "Close removed the working folder" || fail "the working folder stays"

# --- the host of the prefix, over an earlier installation ------------------------------------
host="$hosts/CAD 2.0"
catalog="$host/dodatki/Wrzos/dodatki.mdb"
mkdir -p "$host/dodatki"
bash "$demo/make-earlier-catalog.sh" "$catalog" "${pakiet[@]}"
log=$work/wdrożenie.log
install prefix /S "/LOG=$(windows "$log")"
[ "$status" -eq 0 ] && pass "/S installs into C:\\Kavitek\\CAD 2.0, exit 0" || fail "/S into the prefix's host: exit $status; $(tail -5 "$log" 2>/dev/null)"
if iconv -f UTF-8 -t UTF-8 "$log" >/dev/null 2>&1; then pass "the log is UTF-8"; else fail "the log is not UTF-8"; fi
head -n 1 "$log" | tr -d '\r' | grep -qE '^=== [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} · Instalator pakietów CAD [0-9]+\.[0-9]+\.[0-9]+ \(commit ([0-9a-f]+|nieznany)\) · ' &&
  pass "the run is headed by date, product, version and commit" || fail "header: $(head -n 1 "$log")"
log_has "$log" "=== pakiet: Wrzos" && pass "the header names the package" || fail "no package line"
log_has "$log" "=== kod wyjścia: 0" && pass "the log ends with the exit code" || fail "no exit code line"
dump=$("${pakiet[@]}" catalog dump "$catalog" Dodatki 2>&1 | tr -d '\r')
rows=$(($(wc -l <<<"$dump") - 1))
[ "$rows" -eq 37 ] && pass "the merged catalog holds 37 items" || fail "the merged catalog holds $rows items"
grep -q '^79001,' <<<"$dump" && pass "the user's own item is kept" || fail "the user's item 79001 was lost"
grep -q '^73990,' <<<"$dump" && fail "the withdrawn item is still there" || pass "the withdrawn item is gone"
status_out=$("${pakiet[@]}" status 'C:\Kavitek\CAD 2.0' 2>&1 | tr -d '\r')
grep -qx "pakiet: Wrzos" <<<"$status_out" && grep -qE '^plików: [0-9]+$' <<<"$status_out" &&
  grep -q "Wrzos.*\.jpg$" <<<"$status_out" &&
  pass "pakiet status prints the install record" || fail "pakiet status: $status_out"
[ -f "$host/dodatki/Wrzos/instalacja.lumor.txt" ] && pass "the install record is in the package folder" ||
  fail "no install record"
# A second run appends below the first.
install prefix2 /s "/log=$(windows "$log")"
[ "$status" -eq 0 ] && [ "$(grep -c '^=== kod wyjścia' "$log")" -eq 2 ] &&
  pass "a second run installs again and appends to the log" || fail "second run: exit $status"

# --- a damaged archive: refused before any change ------------------------------------------
damaged=$work/uszkodzony.exe
cp "$exe" "$damaged"
stub_size=$(stat -c %s "$stub")
size=$(stat -c %s "$damaged")
# Bytes in the middle of the archive (members' data, past the stub) turned to garbage.
printf 'USZKODZONE-DANE-USZKODZONE-DANE' | dd of="$damaged" bs=1 seek=$(( stub_size + (size - stub_size) / 2 )) conv=notrunc 2>/dev/null
before=$(find "$host" -type f -exec md5sum {} + | sort)
log=$work/uszkodzony.log
mkdir -p "$work/damaged"
(cd "$work/damaged" && wine "$damaged" /S "/LOG=$(windows "$log")") >"$work/damaged.out" 2>&1
status=$?
if [ "$status" -eq 1 ] && [ "$(find "$host" -type f -exec md5sum {} + | sort)" = "$before" ]; then
  pass "a damaged archive exits $status and changes nothing in the host"
else
  fail "damaged archive: exit $status; $(tr -d '\r' <"$log" | grep -v '^    ' | tail -4)"
fi

# --- /D= with a Polish folder name, unquoted with blanks ----------------------------------
given="$work/Łąka Żółta/CAD 3"
mkdir -p "$given/dodatki"
log=$work/podany.log
# As an unquoted command line reaches the program: the folder split at its blanks.
read -ra given_words <<<"/D=$(windows "$given")"
install given /S "/LOG=$(windows "$log")" "${given_words[@]}"
[ "$status" -eq 0 ] && [ -f "$given/dodatki/Wrzos/dodatki.mdb" ] &&
  pass "/D= installs into a Polish folder given with blanks" || fail "/D=: exit $status; $(tail -5 "$log" 2>/dev/null)"

# --- the command line ------------------------------------------------------------------------
log=$work/przelaczniki.log
install unknown /S /nieznany "/LOG=$(windows "$log")"
[ "$status" -eq 2 ] && log_has "$log" "Nieznany przełącznik: /nieznany" &&
  pass "an unknown switch exits 2 and is named in the log" || fail "unknown switch: exit $status"
install help /S "/?" "/LOG=$(windows "$log")"
[ "$status" -eq 0 ] && log_has "$log" "  5  okno zamknięto bez instalowania" &&
  pass "/S /? writes the help to the log, exit 0" || fail "/S /?: exit $status"

echo
[ "$failures" -eq 0 ] && { echo "silent install: all checks passed"; exit 0; }
echo "silent install: $failures check(s) failed; files in $work"
exit 1
