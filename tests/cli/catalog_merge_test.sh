#!/usr/bin/env bash
# `pakiet catalog merge` as a publisher runs it: a first installation (no OLD), an update with
# deletion markers, the log of --debug, an existing DEST refused and left alone, a missing NEW
# with no DEST left behind, and a user's catalog made by another engine (Jackcess, which runs
# on the Linux side also when pakiet runs under Wine).
#
# usage: catalog_merge_test.sh WORK TEST_DATA_DIR SOURCE_DIR PAKIET [ARG...]
set -uo pipefail
work=$1 data=$2 source=$3
shift 3
pakiet=("$@")
source "$(dirname "$0")/lib.sh"
run() { "${pakiet[@]}" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

rm -rf "$work"
mkdir -p "$work"
header="ID,Producent,Grupa,Typ,Nazwa,JPG,Kod_Producenta,Dodatek_wst,Kod_Wstawiania,Kolor,DWG,Wysokosc,Opis_Produktu,Kod_Dodatku1,Kod_Dodatku2,Kod_Dodatku3,Kod_Dodatku4,Opis_Koloru,cena,vat,marza,upust,kolorystyka,wymiar X,wymiar Y,wymiar Z,typ_standardowy"
item() { echo "$1,WRZOS,Kuchnia,Szafka,$2,a.jpg,K$1,true,SD,Dąb,a.dwx,720,Opis $1,,,,,Kolor,\"489,00\",23,30,5,jasna,400,560,720,szafka"; }
catalog() {  # FILE then item lines as "ID NAME"
  local file=$1
  shift
  { echo "$header"; for pair in "$@"; do item "${pair%% *}" "${pair#* }"; done; } >"$work/rows.csv"
  run catalog create "$(native "$file")" --force >/dev/null &&
    run catalog import "$(native "$file")" Dodatki --csv "$(native "$work/rows.csv")" >/dev/null
}
ids() { run catalog dump "$(native "$1")" Dodatki | tail -n +2 | cut -d, -f1,5 | tr '\n' ' '; }

nw=$work/dodatki_new.mdb od=$work/dodatki_old.mdb dn=$work/dodatki.mdb
catalog "$nw" "1 Nowa jeden" "2 DELETE" "3 Nowa trzy" || fail "making the new catalog"

# --- a first installation -------------------------------------------------------------------
out=$(run catalog merge "$(native "$nw")" "$(native "$od")" "$(native "$dn")")
rc=$?
[ $rc -eq 0 ] && pass "first installation exits 0" || fail "first installation exit $rc: $out"
[ "$(ids "$dn")" = "1,Nowa jeden 3,Nowa trzy " ] && pass "first installation takes the new items without markers" ||
  fail "first installation wrote $(ids "$dn")"
grep -q "^Tabela Dodatki: zapisano 2 rekordów (z nowego katalogu 2, zachowanych ze starego 0), usuniętych znacznikiem DELETE 0.$" <<<"$out" &&
  pass "summary per table" || fail "summary: $out"

# --- an update --------------------------------------------------------------------------------
rm -f "$dn"
catalog "$od" "2 Stara dwa" "4 Stara cztery" "5 DELETE" || fail "making the old catalog"
out=$(run catalog merge "$(native "$nw")" "$(native "$od")" "$(native "$dn")" --debug)
rc=$?
[ $rc -eq 0 ] && pass "update exits 0" || fail "update exit $rc: $out"
[ "$(ids "$dn")" = "4,Stara cztery 1,Nowa jeden 3,Nowa trzy " ] && pass "update: marker removes 2, old 4 stays, old DELETE goes" ||
  fail "update wrote $(ids "$dn")"
grep -qx "\[NW\] 3 : Nowa trzy - dopisano" <<<"$out" && grep -qx "Poprawnie przeniesiono dane." <<<"$out" &&
  pass "--debug prints the trace lines" || fail "--debug log: $out"
grep -q "usuniętych znacznikiem DELETE 2" <<<"$out" && pass "markers counted" || fail "marker count: $out"

# --- an existing DEST is refused and kept -----------------------------------------------------
before=$(cksum <"$dn")
out=$(run catalog merge "$(native "$nw")" "$(native "$od")" "$(native "$dn")" 2>&1)
rc=$?
[ $rc -ne 0 ] && grep -q "już istnieje" <<<"$out" && [ "$(cksum <"$dn")" = "$before" ] &&
  pass "existing DEST refused and untouched" || fail "existing DEST: exit $rc, $out"

# --- a missing NEW fails with the installer's message and leaves no DEST ----------------------
out=$(run catalog merge "$(native "$work/brak.mdb")" "$(native "$od")" "$(native "$work/nic.mdb")" 2>&1)
rc=$?
[ $rc -ne 0 ] && grep -q "^Brak pliku: " <<<"$out" && [ ! -e "$work/nic.mdb" ] &&
  pass "missing NEW: non-zero, message, no DEST" || fail "missing NEW: exit $rc, $out"

# --- a user's catalog made by another engine (Jackcess) ---------------------------------------
cp="$data/jet4/oracles/jackcess/jackcess-4.0.10.jar:/usr/share/java/commons-lang3.jar:/usr/share/java/commons-logging.jar"
if ! command -v javac >/dev/null || [ ! -e /usr/share/java/commons-logging.jar ]; then
  fail "no Java or commons-logging here (scripts/lib/deps.sh installs them): the merge of a catalog made by another engine cannot run"
elif ! javac -cp "$cp" -d "$work/jtool" "$source/tests/support/jackcess/CatalogTool.java"; then
  fail "the Jackcess tool does not compile"
else
  n=$(printf 'n\t%.0s' {1..22})
  printf 'table Dodatki\nrow\ti:3\tn\tn\tn\ts:Stara trzy\t%s\n' "${n%?}" >"$work/rows.txt"
  printf 'row\ti:7\tn\tn\tn\ts:Stara siedem\t%s\n' "${n%?}" >>"$work/rows.txt"
  rm -f "$work/jackcess_old.mdb" "$dn"
  if java -cp "$cp:$work/jtool" CatalogTool make "$work/jackcess_old.mdb" counter "$work/rows.txt"; then
    out=$(run catalog merge "$(native "$nw")" "$(native "$work/jackcess_old.mdb")" "$(native "$dn")")
    rc=$?
    [ $rc -eq 0 ] && [ "$(ids "$dn")" = "3,Nowa trzy 7,Stara siedem 1,Nowa jeden " ] &&
      pass "old catalog made by Jackcess (counter ID)" || fail "Jackcess old catalog: exit $rc, $(ids "$dn") $out"
  else
    fail "Jackcess could not make the old catalog"
  fi
fi

[ $failures -eq 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
