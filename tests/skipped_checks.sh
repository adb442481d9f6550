#!/usr/bin/env bash
# Counts and names the checks that skipped, from the GoogleTest programs' XML reports, and
# fails when one skipped that this platform's suite can run: only checks the allow-list names
# for the platform may skip. (A program that dies before writing its report fails its own
# CTest entry.)
#
# usage: skipped_checks.sh REPORTS_DIR PLATFORM ALLOW_LIST
# The allow-list holds lines "PLATFORM PATTERN  # why", PATTERN a shell pattern over
# "Suite.Check" as GoogleTest names it (parameterised: "Prefix/Suite.Check/Param").
set -uo pipefail
reports=$1 platform=$2 allow_list=$3

allowed=()
while read -r plat pattern _; do
  [ "$plat" = "$platform" ] && allowed+=("$pattern")
done < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$allow_list")

is_allowed() {
  local pattern
  for pattern in "${allowed[@]}"; do
    # shellcheck disable=SC2053  # the pattern is meant as a pattern
    [[ $1 == $pattern ]] && return 0
  done
  return 1
}

# One line per check of a report: "skipped|run NAME<TAB>REASON".
checks_of() {
  awk '
    function attr(line, key,   m) {
      if (match(line, " " key "=\"[^\"]*\"")) return substr(line, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
      return ""
    }
    function unescape(s) {
      gsub(/&#x0A;/, " ", s); gsub(/&quot;/, "\"", s); gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s)
      gsub(/&apos;/, "'"'"'", s); gsub(/&amp;/, "\\&", s)
      return s
    }
    /<testcase / {
      if (name != "") print state, name "\t"
      name = attr($0, "classname") "." attr($0, "name")
      state = attr($0, "result") == "skipped" ? "skipped" : attr($0, "status") == "run" ? "run" : "notrun"
      if ($0 ~ /\/>[[:space:]]*$/) { print state, name "\t"; name = "" }
      next
    }
    /<skipped message=/ && name != "" {
      reason = attr($0, "message"); sub(/^[^&]*&#x0A;/, "", reason)
      print "skipped", name "\t" unescape(reason); name = ""
      next
    }
    /<\/testcase>/ { if (name != "") print state, name "\t"; name = "" }
  ' "$1"
}

shopt -s nullglob
files=("$reports"/*.xml)
if [ ${#files[@]} -eq 0 ]; then
  echo "skipped checks ($platform): no reports in $reports"
  exit 1
fi
total_run=0 total_skipped=0 unexpected=0
summary=() details=()
for file in "${files[@]}"; do
  program=$(basename "$file" .xml)
  run=0 skipped=0
  while IFS=$'\t' read -r head reason; do
    state=${head%% *} name=${head#* }
    case $state in
      run) run=$((run + 1)) ;;
      skipped)
        skipped=$((skipped + 1))
        if is_allowed "$name"; then
          details+=("  $program: $name (allowed here): $reason")
        else
          details+=("  $program: $name SKIPPED, NOT ALLOWED on $platform: $reason")
          unexpected=$((unexpected + 1))
        fi
        ;;
    esac
  done < <(checks_of "$file")
  total_run=$((total_run + run + skipped)) total_skipped=$((total_skipped + skipped))
  summary+=("$(printf '  %-22s %4d skipped of %4d' "$program" "$skipped" "$((run + skipped))")")
done
echo "skipped checks ($platform): $total_skipped of $total_run"
printf '%s\n' "${summary[@]}" "${details[@]}"
if [ $unexpected -gt 0 ]; then
  echo "$unexpected check(s) skipped that $platform can run (allow-list: $allow_list)"
  exit 1
fi
