#!/usr/bin/env bash
# The Jet files the Windows build wrote under Wine and checked with our reader, read on the
# Linux side by the outside readers, which the test programs cannot start from Wine: for every
# table mdb-reader lists, its rows must equal our reader's (pakiet's JSON Lines dump is
# mdb-reader's canonical form), and mdbtools must export the table and count the same rows.
#
# usage: windows_written_catalogs.sh KEPT_DIR ORACLES_DIR PAKIET [ARG...]
# ($LUMOR_ORACLES, when set, is where the oracles are, as for the test programs.)
set -uo pipefail
kept=$1 oracles=${LUMOR_ORACLES:-$2}
shift 2
pakiet=("$@")
source "$(dirname "$0")/cli/lib.sh"
dump=$oracles/mdbreader-dump.mjs
[ -f "$dump" ] && [ -d "$oracles/node_modules/mdb-reader" ] ||
  { echo "FAIL: mdb-reader is not installed under $oracles (scripts/lib/deps.sh lumor_install_npm)"; exit 1; }
command -v mdb-export >/dev/null || { echo "FAIL: mdbtools is not installed"; exit 1; }

shopt -s nullglob
files=("$kept"/*.mdb)
echo "${#files[@]} file(s) written under Wine in $kept"
for file in "${files[@]}"; do
  name=$(basename "$file")
  if ! tables=$(node "$dump" tables "$file" | sed 's/^"\(.*\)"$/\1/'); then
    fail "$name: mdb-reader cannot list its tables"
    continue
  fi
  [ -n "$tables" ] || fail "$name: mdb-reader lists no tables"
  while IFS= read -r table; do
    [ -n "$table" ] || continue
    theirs=$(node "$dump" rows "$file" "$table") || { fail "$name $table: mdb-reader fails"; continue; }
    ours=$("${pakiet[@]}" catalog dump "$(native "$file")" "$table" --format jsonl | tr -d '\r')
    [ "${PIPESTATUS[0]}" -eq 0 ] || { fail "$name $table: our reader fails"; continue; }
    if [ "$theirs" = "$ours" ]; then
      pass "$name $table: mdb-reader reads what our reader reads"
    else
      fail "$name $table: mdb-reader and our reader disagree"
      diff <(echo "$theirs") <(echo "$ours") | head -n 6 | cut -c 1-200
    fi
    rows=$(($(wc -l <<<"$ours") - 1))
    count=$(mdb-count "$file" "$table" 2>/dev/null)
    [ "$count" = "$rows" ] && mdb-export "$file" "$table" >/dev/null 2>&1 &&
      pass "$name $table: mdbtools exports it and counts $rows rows" ||
      fail "$name $table: mdbtools counts ${count:-nothing}, our reader $rows rows (or mdb-export fails)"
  done <<<"$tables"
done

[ $failures -eq 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
