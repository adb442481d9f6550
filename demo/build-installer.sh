#!/usr/bin/env bash
# Makes the demo installer from the sources in this folder: copies the package (Wrzos/, its
# cover Wrzos.jpg and Wrzos.txt) into OUT/package, creates its catalog Wrzos/dodatki.mdb
# from catalog/*.csv with pakiet, and has pakiet build write OUT/instalator-demo.exe.
#
# usage: build-installer.sh STUB OUT PAKIET [ARG...]
#   STUB    the bare installer program (instalator.exe)
#   OUT     the output folder (its package/ is made afresh)
#   PAKIET  the pakiet command, with any leading words it needs (e.g. wine pakiet.exe)
set -euo pipefail
[ $# -ge 3 ] || { sed -n '7,10p' "$0" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
stub=$1 out=$2
shift 2
pakiet=("$@")
[ -f "$stub" ] || { echo "build-installer.sh: the stub '$stub' does not exist" >&2; exit 1; }

stage=$out/package
rm -rf "$stage"
mkdir -p "$out"
cp -R "$here/package" "$stage"

catalog=$stage/Wrzos/dodatki.mdb
"${pakiet[@]}" catalog create "$catalog"
# The manufacturer first, then the items, as the publisher's own tool fills a catalog.
for table in info_producent Dodatki; do
  "${pakiet[@]}" catalog import "$catalog" "$table" --csv "$here/catalog/$table.csv"
done
"${pakiet[@]}" build --stub "$stub" --package "$stage/Wrzos" --output "$out/instalator-demo.exe"
