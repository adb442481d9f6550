#!/usr/bin/env bash
# The demo installer, built from demo/ as scripts/demo builds it, is a sound installer of the
# package Wrzos: it verifies, its catalog reads back row for row as the CSV sources (through
# pakiet and through mdbtools, an independent reader), it extracts to the package's own files,
# and the headless preparation enables Install exactly when a host with an add-on folder is
# there.
#
# usage: demo_package_test.sh DEMO_DIR WORK STUB|- PAKIET [ARG...]
#   STUB - puts a stand-in program before the archive (native builds have no Windows stub).
set -uo pipefail
demo=$1 work=$2 stub=$3
shift 3
pakiet=()
for word in "$@"; do  # the dry runs change folder: relative paths are made absolute
  case "$word" in /*) ;; *) [ -e "$word" ] && word=$PWD/$word ;; esac
  pakiet+=("$word")
done
case "$stub" in /*|-) ;; *) stub=$PWD/$stub ;; esac
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# pakiet.exe under Wine takes Windows paths; the Unix root is drive Z:.
under_wine=no
case "${pakiet[0]}" in *wine*) under_wine=yes ;; esac
native() { if [ $under_wine = yes ]; then printf 'Z:%s' "${1//\//\\}"; else printf '%s' "$1"; fi; }
# Windows programs end their lines with CR LF.
run() { "${pakiet[@]}" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

rm -rf "$work"
mkdir -p "$work"
if [ "$stub" = - ]; then
  stub=$work/stand-in-stub.exe
  { printf 'MZ'; head -c 65534 /dev/zero; } >"$stub"
fi

# --- the build ------------------------------------------------------------------------------
out=$work/out
if ! bash "$demo/build-installer.sh" "$stub" "$out" "${pakiet[@]}" >"$work/build.log" 2>&1; then
  cat "$work/build.log"
  echo "FAIL: the demo installer could not be built"
  exit 1
fi
exe=$out/instalator-demo.exe
catalog=$out/package/Wrzos/dodatki.mdb
pass "the demo installer was built ($(stat -c %s "$exe") bytes)"

# --- pakiet verify --------------------------------------------------------------------------
if run verify "$(native "$exe")" >"$work/verify.log" 2>&1; then pass "pakiet verify accepts it"; else fail "pakiet verify: $(cat "$work/verify.log")"; fi
# 36 items of three files, 8 textures, the settings file, the catalog, the cover and P.txt.
grep -qx "pliki w archiwum: 120" "$work/verify.log" && pass "120 members" || fail "member count: $(grep 'pliki w archiwum' "$work/verify.log")"
grep -qx "paczka: Wrzos" "$work/verify.log" && pass "one package, Wrzos" || fail "package line: $(grep paczka "$work/verify.log")"

# --- the catalog ----------------------------------------------------------------------------
for table in info_producent Dodatki; do
  if run catalog dump "$(native "$catalog")" "$table" --format csv >"$work/$table.csv" 2>"$work/$table.err" &&
     diff -u "$demo/catalog/$table.csv" "$work/$table.csv" >"$work/$table.diff"; then
    pass "table $table reads back as its CSV source"
  else
    fail "table $table differs from its source:"; head -20 "$work/$table.diff" "$work/$table.err"
  fi
done
if command -v mdb-export >/dev/null; then
  rows=$(mdb-export "$catalog" Dodatki | tail -n +2 | wc -l)
  [ "$rows" -eq 37 ] && pass "mdbtools reads 36 items and the withdrawn item's DELETE marker" || fail "mdbtools reads $rows rows"
  # Polish letters in a name, a description and a group survive the catalog's text encoding.
  for text in "Łóżko 160 z zagłówkiem" "Przedpokój" "Rama łóżka na materac 160 x 200, zagłówek tapicerowany."; do
    mdb-export "$catalog" Dodatki | grep -qF "$text" && pass "mdbtools reads \"$text\"" || fail "mdbtools misses \"$text\""
  done
  mdb-export "$catalog" info_producent | grep -qF "Wrzos Meble (pakiet demonstracyjny)" &&
    pass "mdbtools reads the manufacturer" || fail "mdbtools misses the manufacturer"
else
  fail "mdb-export (mdbtools) is missing; scripts/lib/deps.sh installs it"
fi

# --- extraction: the package's own files, Polish names included ----------------------------
extracted=$work/extracted
if run extract "$(native "$exe")" "$(native "$extracted")" >"$work/extract.log" 2>&1 &&
   diff -r "$out/package/Wrzos" "$extracted/Wrzos" >"$work/extract.diff"; then
  pass "extraction gives back the package folder file for file"
else
  fail "extraction differs:"; head -20 "$work/extract.log" "$work/extract.diff"
fi

# --- headless preparation against stand-in drives -------------------------------------------
# case name | folders made below the drive root | expected exit | a log line expected
cases=(
  "one host with an add-on folder|Kavitek/CAD 2.0/dodatki|0|Znaleziono jedną instalację oprogramowania CAD LUMOR: "
  "an earlier installation of Wrzos|Kavitek/CAD 2.0/dodatki/Wrzos|0|Znaleziono podkatalog w ZIP : \`Wrzos\`"
  # A found host is proposed and checked even without its add-on folder; only a trace says so.
  "a host without an add-on folder|Kavitek/CAD 2.0|0|Błędny folder instalacji : "
  "no host on the drive|Inne|1|Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog."
)
n=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name folders expected line <<<"$entry"
  n=$((n + 1))
  drive=$work/drive$n
  mkdir -p "$drive/$folders" "$work/run$n"
  case "$folders" in */Wrzos) cp "$catalog" "$drive/$folders/dodatki.mdb" ;; esac
  (cd "$work/run$n" && run install "$(native "$exe")" --dry-run --debug --drive-root "$(native "$drive/")") \
    >"$work/run$n.log" 2>&1
  status=$?
  if [ "$status" -eq "$expected" ] && grep -qF "$line" "$work/run$n.log"; then
    pass "dry run, $name: exit $status"
  else
    fail "dry run, $name: exit $status (expected $expected), log:"; tail -15 "$work/run$n.log"
  fi
done

# --- installing twice over a read-only catalog, as a user does ------------------------------
# The earlier catalog carries the read-only mark (under Wine: no write permission); the CAD
# program adds an item between the two installations. Both install, the item survives, no
# temporary catalog stays and the catalog keeps its mark.
folder="$work/drive-ro/Kavitek/CAD 2.0/dodatki/Wrzos"
mkdir -p "$folder" "$work/ro1" "$work/ro2"
run catalog create "$(native "$folder/dodatki.mdb")" >/dev/null
for table in info_producent Dodatki; do
  run catalog import "$(native "$folder/dodatki.mdb")" "$table" --csv "$(native "$demo/earlier/$table.csv")" >/dev/null
done
chmod 444 "$folder/dodatki.mdb"
read_only() { [ $(( 0$(stat -c %a "$1") & 0222 )) -eq 0 ]; }
for round in 1 2; do
  if [ $round = 2 ]; then
    chmod 644 "$folder/dodatki.mdb"
    { head -n 1 "$demo/earlier/Dodatki.csv"
      echo '99001,WRZOS,Salon,Półka,Półka dodana przez użytkownika,P1.jpg,USR-P1,false,P,Biały,P1.dwx,0,Dodana w programie CAD.,,,,,Biały mat,"99,00",23,30,0,jasna,600,200,20,polka'
    } >"$work/added.csv"
    run catalog import "$(native "$folder/dodatki.mdb")" Dodatki --csv "$(native "$work/added.csv")" >/dev/null ||
      fail "the user's item could not be added"
    chmod 444 "$folder/dodatki.mdb"
  fi
  (cd "$work/ro$round" && run install "$(native "$exe")" --drive-root "$(native "$work/drive-ro/")") >"$work/ro$round.log" 2>&1
  status=$?
  if [ $status -eq 0 ] && [ ! -e "$folder/dodatki_old.mdb" ] && [ ! -e "$folder/dodatki_new.mdb" ] &&
     [ ! -e "$folder/instalacja.lumor-dziennik" ] && read_only "$folder/dodatki.mdb"; then
    pass "installation $round over a read-only catalog"
  else
    fail "installation $round over a read-only catalog: exit $status, folder: $(ls "$folder" | grep -v '\.\(jpg\|dwx\|pal\)$' | tr '\n' ' ')"
    tail -15 "$work/ro$round.log"
  fi
done
run catalog dump "$(native "$folder/dodatki.mdb")" Dodatki --format csv 2>&1 | grep -qF "Półka dodana przez użytkownika" &&
  pass "the item the user added between the installations is kept" || fail "the user's item is lost"

echo
[ "$failures" -eq 0 ] && { echo "demo package: all checks passed"; exit 0; }
echo "demo package: $failures check(s) failed; files in $work"
exit 1
