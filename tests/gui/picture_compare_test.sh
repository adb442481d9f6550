#!/usr/bin/env bash
# The GUI script's picture comparison (scripts/lib/gui.sh) with ImageMagick alone, no Wine:
# a region matches only when there are two pictures to compare and they are alike; a missing
# or empty screenshot, a region off the screenshot or pictures of different sizes are failures,
# never a match.
#
# usage: picture_compare_test.sh SOURCE_DIR WORK
set -uo pipefail
source "$1/scripts/lib/gui.sh"
work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# A 100 x 60 screenshot: grey, with a 20 x 10 red button at 30,20.
"$GUI_IM" -size 100x60 xc:gray50 -fill red -draw "rectangle 30,20 49,29" "$work/shot.png"
"$GUI_IM" -size 20x10 xc:red "$work/button.png"
"$GUI_IM" -size 20x10 xc:blue "$work/other.png"
"$GUI_IM" -size 21x10 xc:red "$work/wider.png"
: >"$work/empty.png"

matches() {  # what, then gui_region_within's arguments after the limit
  local what=$1 out
  shift
  out=$(gui_region_within 0.06 "$@") && pass "$what matches ($out)" || fail "$what does not match ($out)"
}
differs() {
  local what=$1 out
  shift
  out=$(gui_region_within 0.06 "$@") && fail "$what matches ($out)" || pass "$what does not match ($out)"
}

matches "the button's own picture" "$work/shot.png" "$work/button.png" 30 20 20 10
differs "a picture of another colour" "$work/shot.png" "$work/other.png" 30 20 20 10
differs "a missing screenshot" "$work/none.png" "$work/button.png" 30 20 20 10
differs "an empty screenshot" "$work/empty.png" "$work/button.png" 30 20 20 10
differs "a missing expected picture" "$work/shot.png" "$work/none.png" 30 20 20 10
differs "a region reaching off the screenshot" "$work/shot.png" "$work/button.png" 90 55 20 10
differs "an expected picture of another size" "$work/shot.png" "$work/wider.png" 30 20 20 10
err=$(gui_region_error "$work/none.png" "$work/button.png" 30 20 20 10) &&
  fail "gui_region_error gave \"$err\" without a screenshot" || pass "gui_region_error fails without a screenshot"

[ $failures -eq 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
