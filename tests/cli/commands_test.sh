#!/usr/bin/env bash
# Every pakiet command as a process: exit codes, output and the Polish messages on good input
# and on bad (a missing file, a damaged installer, a wrong table, a bad CSV line), and that bad
# input leaves the user's files as they were.
#
# usage: commands_test.sh WORK SOURCE_DIR PAKIET [ARG...]
set -uo pipefail
work=$1 source=$2
shift 2
pakiet=("$@")
source "$(dirname "$0")/lib.sh"
# Runs pakiet; $rc, $out and $err hold what it did.
run() {
  "${pakiet[@]}" "$@" >"$work/out" 2>"$work/err"
  rc=$?
  out=$(tr -d '\r' <"$work/out") err=$(tr -d '\r' <"$work/err")
}
# expect RC TEXT DESCRIPTION: the exit code and a line of stdout+stderr containing TEXT.
expect() {
  if [ "$rc" -eq "$1" ] && grep -qF -- "$2" <<<"$out"$'\n'"$err"; then pass "$3"
  else fail "$3: exit $rc, stdout: $out, stderr: $err"; fi
}

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

# --- the command line -------------------------------------------------------------------------
run
expect 2 "użycie: pakiet POLECENIE" "no command prints the usage, exit 2"
run nieznane
expect 2 "pakiet: nieznane polecenie \`nieznane\`" "an unknown command is named, exit 2"
run help
expect 0 "catalog" "help lists the commands, exit 0"
run --version
expect 0 "pakiet 1." "--version prints the version, exit 0"
grep -qE '^pakiet [0-9]+\.[0-9]+\.[0-9]+ \(commit ([0-9a-f]{12}|nieznany)\)$' <<<"$out" &&
  pass "--version names the commit it was built from" || fail "--version: $out"
run status
expect 2 "użycie: pakiet status FOLDER_PROGRAMU_CAD" "status without a folder prints its usage, exit 2"
mkdir -p "$work/host/dodatki/Pusty"
run status "$(native "$work/host")"
expect 1 "pakiet status: brak zapisu instalacji" "status of a host without records, exit 1"
run catalog
expect 2 "użycie: pakiet catalog CZYNNOŚĆ" "catalog without an action prints its usage, exit 2"
[ -z "$out" ] && grep -qF "pakiet catalog merge NOWY STARY WYNIK" <<<"$err" && pass "the usage goes to stderr, every action in Polish" ||
  fail "catalog usage: stdout: $out, stderr: $err"
run catalog nieznana
expect 2 "pakiet catalog: nieznana czynność \`nieznana\`" "an unknown catalog action is named, exit 2"
run catalog merge a.mdb
expect 2 "użycie: pakiet catalog merge" "catalog merge with too few files prints its usage, exit 2"

# --- help, version and usage errors -------------------------------------------------------------
# --help anywhere among a command's arguments prints that command's usage on stdout, exit 0,
# and does nothing else (run-headless does not start the installer, verify reads no file).
for command in build verify extract install run-headless catalog "catalog tables" "catalog schema" \
               "catalog dump" "catalog create" "catalog import" "catalog merge"; do
  read -ra words <<<"$command"
  for where in first last; do
    if [ $where = first ]; then run "${words[@]}" --help x.exe; else run "${words[@]}" x.exe -h; fi
    [ $rc -eq 0 ] && [ -z "$err" ] && [ "$(head -n 1 <<<"$out" | cut -d' ' -f1-$((${#words[@]} + 2)))" = "użycie: pakiet $command" ] &&
      pass "pakiet $command: help ($where) on stdout, exit 0" || fail "pakiet $command help ($where): exit $rc, stdout: $out, stderr: $err"
  done
done
[ -e "$work/tmp" ] && fail "run-headless --help started the installer" || pass "run-headless --help starts nothing"
run --version
[ $rc -eq 0 ] && grep -qE '^pakiet [0-9]+\.[0-9]+\.[0-9]+ \(commit ([0-9a-f]{7,}|nieznany)\)' <<<"$out" &&
  pass "--version prints the version and the commit" || fail "--version: exit $rc: $out $err"
grep -qF "$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")" <<<"$out" &&
  pass "--version is the project's version" || fail "--version is not the project's: $out"
# Usage errors: what was wrong, then the usage, on stderr only, exit 2.
usage_error() {  # DESCRIPTION REASON ARG...
  local description=$1 reason=$2
  shift 2
  run "$@"
  [ $rc -eq 2 ] && [ -z "$out" ] && grep -qF -- "$reason" <<<"$err" && grep -qF "użycie: pakiet" <<<"$err" &&
    pass "$description" || fail "$description: exit $rc, stdout: $out, stderr: $err"
}
usage_error "build without a package says so" "pakiet build: nie podano katalogu paczki" build --stub x.exe
usage_error "build names an unknown option" "nieznana opcja --pakiet" build --pakiet P
usage_error "verify without an installer says so" "pakiet verify: nie podano instalatora" verify
usage_error "verify names a second argument" "nadmiarowy argument \`b.exe\`" verify a.exe b.exe
usage_error "extract without a folder says so" "nie podano katalogu" extract a.exe
usage_error "catalog dump names a bad format" "nieznany format \`xml\`" catalog dump a.mdb T --format xml
usage_error "catalog import without --csv says so" "nie podano pliku CSV" catalog import a.mdb Dodatki
usage_error "catalog import names a bad separator" "separator \`|\`" catalog import a.mdb Dodatki --csv a.csv --separator "|"
usage_error "catalog import names a bad encoding" "kodowanie \`latin2\`" catalog import a.mdb Dodatki --csv a.csv --encoding latin2
SOURCE_DATE_EPOCH=jutro run catalog create "$(native "$work/data.mdb")"
expect 2 "zmienna SOURCE_DATE_EPOCH=\`jutro\` nie jest liczbą sekund" "a SOURCE_DATE_EPOCH that is no number is refused"
[ -e "$work/data.mdb" ] && fail "a refused SOURCE_DATE_EPOCH left a catalog" || pass "nothing is written with a bad SOURCE_DATE_EPOCH"

# --- catalog ----------------------------------------------------------------------------------
k=$work/k.mdb
run catalog create "$(native "$k")"
expect 0 "Utworzono pusty katalog" "catalog create makes an empty catalog"
before=$(cksum <"$k")
run catalog create "$(native "$k")"
expect 1 "już istnieje (--force zastępuje go)" "catalog create refuses an existing file"
[ "$(cksum <"$k")" = "$before" ] && pass "the existing catalog is kept" || fail "catalog create changed the existing file"
run catalog tables "$(native "$k")"
[ $rc -eq 0 ] && [ "$(tr '\n' ' ' <<<"$out")" = "info_producent Dodatki " ] && pass "catalog tables lists both tables" ||
  fail "catalog tables: exit $rc: $out $err"
# The schema in Polish: headings, types and flags; the file's own table and column names.
run catalog schema "$(native "$k")"
schema_line() { grep -qxE -- "$1" <<<"$out" && pass "catalog schema: $2" || fail "catalog schema, $2: exit $rc: $out $err"; }
schema_line 'tabela info_producent \(w definicji 0 wierszy\)' "the table heading with its recorded rows"
schema_line '  kolumna ID +liczba całkowita długa +4 bajty, stała długość' "a long column"
schema_line '  kolumna Nazwa +tekst\(100\) +200 bajtów, kompresja Unicode' "a text column with its length in characters"
schema_line '  kolumna Dodatek_wst +tak/nie +0 bajtów, stała długość' "a yes/no column"
schema_line '  indeks  Primary \(ID\), klucz główny, unikatowy, wymagany' "the primary key"
grep -qiwE 'table|column|rows|recorded|size|fixed|compressed|long|text|boolean|index|primary key|unique' <<<"$out" &&
  fail "catalog schema has English words: $(grep -iwE 'table|column|rows|size|fixed|long|text|boolean|index' <<<"$out" | head -3)" ||
  pass "catalog schema has no English words"
# Sizes line up by characters, not bytes: "liczba całkowita długa" has two two-byte letters.
[ "$(python3 -c 'import re, sys; print(len({re.search(r"\d+ bajt", l).start() for l in sys.stdin.read().split("\n") if l.startswith(("  kolumna ID ", "  kolumna Nazwa "))}))' <<<"$out")" = 1 ] &&
  pass "catalog schema columns line up with Polish type names" || fail "catalog schema columns do not line up: $out"
run catalog schema "$(native "$k")" Dodatki --format jsonl
grep -qF '"table":"Dodatki"' <<<"$out" && grep -qF '"type":"long"' <<<"$out" &&
  pass "catalog schema --format jsonl stays for programs" || fail "catalog schema jsonl: $out"
run catalog dump "$(native "$k")" Nieistnieje
expect 1 "nie ma tabeli \`Nieistnieje\`" "catalog dump names a wrong table"
run catalog schema "$(native "$work/brak.mdb")"
expect 1 "Nie można otworzyć bazy danych" "catalog schema of a missing file"
grep -qF "brak.mdb" <<<"$err" && pass "the missing file is named" || fail "missing file not named: $err"
echo "to nie jest baza" >"$work/zly.mdb"
run catalog tables "$(native "$work/zly.mdb")"
expect 1 "nie jest bazą danych Jet 4" "catalog tables of a file that is no database"

printf 'Producent,Nazwa\nWRZOS,Wrzos Meble\n' >"$work/ip.csv"
run catalog import "$(native "$k")" info_producent --csv "$(native "$work/ip.csv")"
expect 0 "Dopisano 1 wiersz do tabeli \`info_producent\`." "catalog import adds the rows (1 wiersz)"
expect 0 "Plik CSV: UTF-8 (rozpoznane), separator przecinek (rozpoznany z nagłówka)." "the summary says what was detected"
run catalog dump "$(native "$k")" info_producent
expect 0 "WRZOS,Wrzos Meble," "catalog dump prints the imported row"
before=$(cksum <"$k")
printf 'Producent,Nazwa\nA,B\n"niedomknięty,x\n' >"$work/bad.csv"
run catalog import "$(native "$k")" info_producent --csv "$(native "$work/bad.csv")"
expect 1 "linia 3: cudzysłów otwarty i niezamknięty" "a bad CSV line is named by its number"
printf 'ID,Producent\n7,X\nabc,X\n' >"$work/badint.csv"
run catalog import "$(native "$k")" Dodatki --csv "$(native "$work/badint.csv")"
expect 1 "linia 3, kolumna \`ID\`: \"abc\" nie jest liczbą całkowitą" "a bad value is named by line and column"
printf 'Producent,Brak\nA,B\n' >"$work/badcol.csv"
run catalog import "$(native "$k")" info_producent --csv "$(native "$work/badcol.csv")"
expect 1 "tabela \`info_producent\` nie ma kolumny \`Brak\`" "an unknown CSV column is named"
run catalog import "$(native "$k")" Nieistnieje --csv "$(native "$work/ip.csv")"
expect 1 "nie ma tabeli \`Nieistnieje\`" "catalog import names a wrong table"
grep -qF "import-tmp" <<<"$err" && fail "the message names the work copy: $err" || pass "the message names the user's catalog"
[ "$(cksum <"$k")" = "$before" ] && pass "failed imports leave the catalog as it was" || fail "a failed import changed the catalog"
ls "$work" | grep -q "import-tmp" && fail "a work copy is left behind" || pass "no work copy is left behind"

# Polish plurals: 2-4 wiersze, but 5-21 and 12-14 wierszy, 22-24 wiersze.
for rows in 2 5 12 22; do
  plural=$work/plural-$rows.mdb
  run catalog create "$(native "$plural")"
  { echo "ID"; seq 1 $rows; } >"$work/plural.csv"
  run catalog import "$(native "$plural")" Dodatki --csv "$(native "$work/plural.csv")"
  case $rows in 2|22) form=wiersze ;; *) form=wierszy ;; esac
  expect 0 "Dopisano $rows $form do tabeli" "$rows rows: \"$rows $form\""
done

# CSV as Excel saves it in Poland (semicolons, Windows-1250, CR LF, decimal commas unquoted) lands
# as the rows of its UTF-8 twin; so does UTF-8 with a byte-order mark and semicolons.
twin=$work/twin.mdb excel=$work/excel.mdb marked=$work/marked.mdb
for catalog in "$twin" "$excel" "$marked"; do run catalog create "$(native "$catalog")"; done
python3 - "$source/demo/catalog/Dodatki.csv" "$work/excel.csv" "$work/marked.csv" <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))
for path, encoding in ((sys.argv[2], 'cp1250'), (sys.argv[3], 'utf-8-sig')):
    with open(path, 'w', encoding=encoding, newline='') as out:
        csv.writer(out, delimiter=';', lineterminator='\r\n').writerows(rows)
PY
grep -q '489,00;' "$work/excel.csv" && pass "the Excel file has unquoted decimal commas" || fail "no decimal comma in the Excel file"
run catalog import "$(native "$twin")" Dodatki --csv "$(native "$source/demo/catalog/Dodatki.csv")"
run catalog import "$(native "$excel")" Dodatki --csv "$(native "$work/excel.csv")"
expect 0 "Plik CSV: Windows-1250 (rozpoznane), separator średnik (rozpoznany z nagłówka)." "Excel's CSV is recognised"
run catalog import "$(native "$marked")" Dodatki --csv "$(native "$work/marked.csv")"
expect 0 "Plik CSV: UTF-8 ze znacznikiem BOM (rozpoznane), separator średnik" "UTF-8 with a byte-order mark is recognised"
"${pakiet[@]}" catalog dump "$(native "$twin")" Dodatki >"$work/twin.dump" 2>&1
for catalog in "$excel" "$marked"; do
  "${pakiet[@]}" catalog dump "$(native "$catalog")" Dodatki >"$work/other.dump" 2>&1
  cmp -s "$work/twin.dump" "$work/other.dump" && pass "$(basename "$catalog"): the rows of the UTF-8 twin" ||
    fail "$(basename "$catalog") differs from its UTF-8 twin: $(diff "$work/twin.dump" "$work/other.dump" | head -5)"
done
run catalog import "$(native "$excel")" Dodatki --csv "$(native "$work/excel.csv")" --encoding utf-8 --separator ";"
expect 1 "linia 2, kolumna \`Kolor\`: tekst nie jest poprawnym UTF-8" "Windows-1250 read as UTF-8 is refused by line and column"
printf 'ID;Nazwa\r\n900;z\x98y\r\n' >"$work/neither.csv"
run catalog import "$(native "$excel")" Dodatki --csv "$(native "$work/neither.csv")"
expect 1 "linia 2, kolumna \`Nazwa\`: tekst nie jest poprawnym UTF-8" "text in neither encoding is refused by line and column"

# --- build, verify, extract -------------------------------------------------------------------
mkdir -p "$work/pkg/Wrzos"
cp "$k" "$work/pkg/Wrzos/dodatki.mdb"
printf 'pozycja' >"$work/pkg/Wrzos/item.dwx"
cp "$source/demo/package/Wrzos.jpg" "$work/pkg/Wrzos.jpg"
printf 'MZ stand-in stub' >"$work/stub.exe"
exe=$work/Wrzos.exe
run build --stub "$(native "$work/stub.exe")" --package "$(native "$work/pkg/Brak")" --output "$(native "$exe")"
expect 1 "nie można zbudować paczki" "build of a missing package folder fails"
[ -e "$exe" ] && fail "a failed build left an installer" || pass "a failed build writes nothing"
run build --stub "$(native "$work/stub.exe")" --package "$(native "$work/pkg/Wrzos")" --output "$(native "$exe")"
[ $rc -eq 0 ] && [ -s "$exe" ] && pass "build writes the installer" || fail "build: exit $rc: $out $err"
run verify "$(native "$exe")"
# The verdict is the whole last line: "ok" inside another word ("okładka") is no verdict.
[ $rc -eq 0 ] && [ "$(tail -n 1 <<<"$out")" = "ok" ] && ! grep -q "^problem" <<<"$out" &&
  pass "verify accepts the built installer" || fail "verify accepts the built installer: exit $rc, stdout: $out, stderr: $err"
run extract "$(native "$exe")" "$(native "$work/out1")"
[ $rc -eq 0 ] && cmp -s "$work/out1/Wrzos/item.dwx" "$work/pkg/Wrzos/item.dwx" && pass "extract writes the package's files" ||
  fail "extract: exit $rc: $out $err"

run verify "$(native "$work/brak.exe")"
expect 1 "Nie można otworzyć pliku" "verify of a missing installer"
run extract "$(native "$work/brak.exe")" "$(native "$work/out2")"
expect 1 "Nie można otworzyć pliku" "extract of a missing installer"
# Damage one byte of the member item.dwx in the archive: its CRC no longer matches.
damaged=$work/damaged.exe
python3 - "$exe" "$damaged" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
at = data.index(b'pozycja')
data[at] ^= 0xFF
open(sys.argv[2], 'wb').write(data)
PY
run verify "$(native "$damaged")"
expect 1 "problem:" "verify reports a damaged member"
grep -qF "item.dwx" <<<"$out" && pass "verify names the damaged member" || fail "verify did not name item.dwx: $out"
run extract "$(native "$damaged")" "$(native "$work/out3")"
[ $rc -ne 0 ] && pass "extract of a damaged installer fails" || fail "extract of a damaged installer exit 0: $out"
# A member named like the installation's own files: a stray backup in the publisher's folder.
cp -r "$work/pkg" "$work/pkg-stray"
cp "$k" "$work/pkg-stray/Wrzos/dodatki_old.mdb"
run build --stub "$(native "$work/stub.exe")" --package "$(native "$work/pkg-stray/Wrzos")" --output "$(native "$work/stray.exe")"
expect 1 "Wrzos\\dodatki_old.mdb\`: tej nazwy instalator używa" "build refuses a member named like the installation's files"
[ -e "$work/stray.exe" ] && fail "a refused build left an installer" || pass "a refused build writes nothing"
# The same name in an installer made elsewhere: the name patched into a built one.
mv "$work/pkg-stray/Wrzos/dodatki_old.mdb" "$work/pkg-stray/Wrzos/dodatki_olx.mdb"
run build --stub "$(native "$work/stub.exe")" --package "$(native "$work/pkg-stray/Wrzos")" --output "$(native "$work/stray.exe")"
python3 - "$work/stray.exe" <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read().replace(b'dodatki_olx.mdb', b'dodatki_old.mdb')
open(path, 'wb').write(data)
PY
run verify "$(native "$work/stray.exe")"
expect 1 "Wrzos\\dodatki_old.mdb\`: tej nazwy instalator używa" "verify refuses a member named like the installation's files"
# Cut the installer short: the trailer is gone.
head -c 200 "$exe" >"$work/cut.exe"
run verify "$(native "$work/cut.exe")"
[ $rc -eq 1 ] && pass "verify refuses a cut installer" || fail "verify of a cut installer: exit $rc: $out $err"

# --- install: the log starts with the build that wrote it -------------------------------------------
mkdir -p "$work/naglowek"
cd "$work/naglowek" || exit 1
run --version
version=$(sed -n 's/^pakiet \([^ ]*\) (commit \(.*\))$/\1 (commit \2)/p' <<<"$out")
for mode in normal debug; do
  if [ $mode = debug ]; then run install "$(native "$exe")" --dry-run --debug; else run install "$(native "$exe")" --dry-run; fi
  heading=$(grep -vx "Ustawiono parametr DEBUG" <<<"$out" | head -n 1)
  [ -n "$version" ] && [ "$heading" = "Instalator pakietów CAD $version" ] &&
    pass "install ($mode): the log's first lines name the product, version and commit" ||
    fail "install ($mode) log heading: '$heading', version '$version'; $out"
done
cd "$work" || exit 1

# --- install: a working folder that leads elsewhere ---------------------------------------------
# The installer's "tmp" is a link to another folder (a junction under Wine, which reports a Unix
# link as a reparse point): refused by name, nothing written there.
mkdir -p "$work/inny" "$work/bieg"
ln -s "$work/inny" "$work/bieg/tmp"
cd "$work/bieg" || exit 1
run install "$(native "$exe")" --dry-run
cd "$work" || exit 1
expect 1 "jest dowiązaniem do innego miejsca" "install refuses a working folder that is a link"
grep -qF "Folder roboczy $(native "$work/bieg/tmp")" <<<"$err" && pass "the refused working folder is named" ||
  fail "working folder not named: $err"
[ -z "$(ls -A "$work/inny")" ] && pass "nothing is written through the link" || fail "written through the link: $(ls "$work/inny")"

echo "$failures failure(s)"
[ $failures -eq 0 ]
