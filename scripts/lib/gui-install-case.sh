# The INSTALUJ case of the GUI test, sourced by scripts/gui-test: the demo installer on a host
# whose C:\Kavitek\CAD 2.0\dodatki\Wrzos\ holds an earlier catalog; the pointer enters Install
# (Hover look), a click installs, the finish picture replaces the cover, Close ends the
# program, and the merged catalog read back on Linux keeps the user's item, drops the
# withdrawn one and carries the package's values. Prints how long the user waited between
# the click and the finish picture. Uses gui-test's variables and helpers (launch, wait_region)
# and the host cases' host_close (scripts/lib/gui-host-cases.sh).

gui_install_case() {
  echo "== install case"
  local pakiet="$root/build/linux/cli/pakiet" out="$art/install-demo"
  if [ ! -x "$pakiet" ]; then
    fail "the install case needs the native pakiet (build the linux preset)"
    return
  fi
  if ! bash "$root/demo/build-installer.sh" "$exe" "$out" "$pakiet" >"$art/install-demo.log" 2>&1; then
    fail "the demo installer could not be made: $(tail -3 "$art/install-demo.log")"
    return
  fi
  local host="$WINEPREFIX/drive_c/Kavitek/CAD 2.0"
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
  mkdir -p "$host/dodatki"
  bash "$root/demo/make-earlier-catalog.sh" "$host/dodatki/Wrzos/dodatki.mdb" "$pakiet"
  local catalog="$host/dodatki/Wrzos/dodatki.mdb" before
  before=$(md5sum <"$catalog")

  "$GUI_IM" "$root/demo/package/Wrzos.jpg" "$art/install-cover.png"
  "$GUI_IM" "$assets/BGfinish.jpg" -crop 400x200+40+40 +repage "$art/expected-finish.png"
  local look
  for look in bnInstallNormal bnInstallHover; do
    gui_expected_region "$art/install-cover.png" "$art/$look.png" 698 527 151 50 "$art/expected-install-$look.png"
  done

  local work="$root/build/gui-work-install"
  rm -rf "$work"; mkdir -p "$work"
  if ! launch "$work" "$out/instalator-demo.exe"; then
    fail "the demo installer never showed its window"
    return
  fi
  if wait_region install-enabled "$art/expected-install-bnInstallNormal.png" 698 527 151 50 30; then
    pass "the demo installer ends its preparation with Install enabled"
  else
    fail "Install never showed its Normal look"
    host_close "$work" "Close without installing" 5
    return
  fi
  xdotool mousemove $((win_x + 698 + 75)) $((win_y + 527 + 25))
  if wait_region install-hover "$art/expected-install-bnInstallHover.png" 698 527 151 50 10; then
    pass "the pointer over Install brings its Hover look"
  else
    fail "Install did not show its Hover look under the pointer"
  fi

  local clicked waited
  clicked=$(date +%s%N)
  xdotool click 1
  if wait_region install-finish "$art/expected-finish.png" 40 40 400 200 60; then
    waited=$(( ($(date +%s%N) - clicked) / 1000000 ))
    pass "the finish picture replaces the cover"
    echo "   the user waited $waited ms from the click to the finish picture (screenshot polling included)"
  else
    fail "no finish picture after the click"
  fi
  host_close "$work" "Close after the installation"
  [ "$close_ok" = yes ] && pass "Close ends the program after the installation"

  if [ "$(md5sum <"$catalog")" = "$before" ]; then
    fail "the host's catalog did not change"
    return
  fi
  local dump
  if ! dump=$("$pakiet" catalog dump "$catalog" Dodatki); then
    fail "the merged catalog cannot be read on Linux"
    return
  fi
  local rows=$(($(wc -l <<<"$dump") - 1))
  [ "$rows" -eq 37 ] && pass "the merged catalog holds 37 items" || fail "the merged catalog holds $rows items, not 37"
  grep -q '^79001,' <<<"$dump" && pass "the user's own item 79001 is kept" || fail "the user's item 79001 was lost"
  grep -q '^73990,' <<<"$dump" && fail "the withdrawn item 73990 is still there" || pass "the withdrawn item 73990 is gone"
  grep '^74001,' <<<"$dump" | grep -q '489,00' && pass "item 74001 carries the package's price" ||
    fail "item 74001 kept the earlier price"
  for leftover in dodatki_old.mdb dodatki_new.mdb; do
    [ -e "$host/dodatki/Wrzos/$leftover" ] && fail "$leftover was left in the host"
  done
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
}
