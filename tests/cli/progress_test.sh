#!/usr/bin/env bash
# Progress on a terminal, and nothing else changed: each long command (build, catalog import,
# extract, install) runs twice on the same input, once with both outputs in files as scripts
# run it, once with standard error on a terminal. In files: no progress at all. On the
# terminal: the progress line is drawn, then cleared, so the screen shows what the files hold;
# standard output is the same bytes either way.
#
# usage: progress_test.sh WORK SOURCE_DIR PAKIET [ARG...]
set -uo pipefail
work=$1 source=$2
shift 2
pakiet=()
for word in "$@"; do  # the commands run in another folder: relative paths are made absolute
  case "$word" in /*) ;; *) [ -e "$word" ] && word=$PWD/$word ;; esac
  pakiet+=("$word")
done
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# The same bytes from run to run (catalog dates, archive times).
export SOURCE_DATE_EPOCH=1765360800
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
{ printf 'MZ'; head -c 65534 /dev/zero; } >stub.exe
"${pakiet[@]}" catalog create "$(native "$work/empty.mdb")" >/dev/null 2>&1 || fail "catalog create"

# both NAME LABEL SETUP COMMAND...: SETUP makes the input afresh before each of the two runs.
both() {
  local name=$1 label=$2 setup=$3
  shift 3
  $setup
  "$@" >"$name.file.out" 2>"$name.file.err"
  local file_rc=$?
  $setup
  python3 "$here/stderr_on_terminal.py" "$name.tty.out" "$name.tty.err" "$@"
  local tty_rc=$?
  [ $file_rc -eq 0 ] && [ $tty_rc -eq 0 ] || fail "$name: exit $file_rc in files, $tty_rc on a terminal: $(cat "$name.file.err")"
  grep -q $'\r\|%' "$name.file.err" && fail "$name: progress written to a file: $(cat -A "$name.file.err" | head -3)" ||
    pass "$name: no progress in a file"
  python3 "$here/terminal_screen.py" --text "$name.tty.err" | grep -E "$label: [0-9]+%" >/dev/null &&
    pass "$name: progress drawn on a terminal" ||
    fail "$name: no \"$label: N%\" on the terminal: $(python3 "$here/terminal_screen.py" --text "$name.tty.err" | cat -A | head -c 300)"
  cmp -s "$name.file.out" "$name.tty.out" && pass "$name: standard output the same bytes on a terminal" ||
    fail "$name: standard output differs: $(diff "$name.file.out" "$name.tty.out" | head -5)"
  [ "$(python3 "$here/terminal_screen.py" "$name.tty.err")" = "$(tr -d '\r' <"$name.file.err")" ] &&
    pass "$name: the progress line is cleared, the terminal shows what the file holds" ||
    fail "$name: the terminal shows: $(python3 "$here/terminal_screen.py" "$name.tty.err" | cat -A | head -c 300)"
}

fresh_catalog() { cp empty.mdb kat.mdb; }
both import "Import wierszy" fresh_catalog \
  "${pakiet[@]}" catalog import "$(native "$work/kat.mdb")" Dodatki --csv "$(native "$source/demo/catalog/Dodatki.csv")"
fresh_package() {
  rm -rf pkg Wrzos.exe
  cp -R "$source/demo/package" pkg
  cp kat.mdb pkg/Wrzos/dodatki.mdb
}
both build "Budowanie instalatora" fresh_package \
  "${pakiet[@]}" build --stub "$(native "$work/stub.exe")" --package "$(native "$work/pkg/Wrzos")" --output "$(native "$work/Wrzos.exe")"
fresh_folder() { rm -rf rozpakowane; }
both extract "Rozpakowywanie" fresh_folder "${pakiet[@]}" extract "$(native "$work/Wrzos.exe")" "$(native "$work/rozpakowane")"
fresh_host() {
  rm -rf dysk tmp
  mkdir -p "dysk/Kavitek/CAD 2.0/dodatki"
}
both install "Instalacja" fresh_host "${pakiet[@]}" install "$(native "$work/Wrzos.exe")" --drive-root "$(native "$work/dysk/")"
[ -f "dysk/Kavitek/CAD 2.0/dodatki/Wrzos/dodatki.mdb" ] && pass "install: installed from the terminal run" ||
  fail "install: nothing installed"

echo "$failures failure(s)"
[ $failures -eq 0 ]
