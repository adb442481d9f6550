#!/usr/bin/env bash
# Makes the catalog an earlier installation of the demo package left in a host: the maker's
# older record, an item at its 2025 price, an item the new package withdraws (its marker
# "DELETE" removes it) and an item the user added, which the merge keeps.
#
# usage: make-earlier-catalog.sh FILE PAKIET [ARG...]
set -euo pipefail
[ $# -ge 2 ] || { sed -n '6p' "$0" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
file=$1
shift
rm -f "$file"
mkdir -p "$(dirname "$file")"
"$@" catalog create "$file" >/dev/null
for table in info_producent Dodatki; do
  "$@" catalog import "$file" "$table" --csv "$here/earlier/$table.csv" >/dev/null
done
