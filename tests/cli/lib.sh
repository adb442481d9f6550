# What pakiet's process tests share: counting failures, and paths in the form pakiet takes
# (a Windows build runs under Wine and reads Linux paths through its Z: drive).
# Expects `pakiet` to be an array holding the command that runs pakiet.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

under_wine=no
case "${pakiet[0]}" in *wine*) under_wine=yes ;; esac
native() { if [ $under_wine = yes ]; then printf 'Z:%s' "${1//\//\\}"; else printf '%s' "$1"; fi; }
