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
expect 0 "Dopisano 1 wierszy do tabeli \`info_producent\`." "catalog import adds the rows"
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
