# The large install case of the GUI test, sourced by scripts/gui-test: a package of 1 GiB in
# 1,024 members of 1 MiB (data that do not compress, made from a fixed key, so every run has
# the same bytes) is built into an installer with pakiet and installed under Wine. From the
# window's first showing to the finish picture the probe asks the window for its title every
# half second, as another program would, and asks the system whether it counts the window as
# hung: every question must be answered within its second and none may find it hung.
# Screenshots taken during the extraction must show the gauge's fill growing, and a part of
# the window covered by another window and uncovered, once during the preparation (the
# package copied out of the installer) and once during the extraction, must be painted again
# before that step ends. Then Close ends the program with status 0 and the host holds every
# member byte for byte. Everything made here is removed at the end. Uses gui-test's
# variables and helpers and the host cases'.

# large_make_installer <folder>: <folder>/pkg/Duze (catalog, 1,024 members in tekstury/) and its
# cover, then <folder>/Duze.exe.
large_make_installer() {
  local gen="$1" pakiet="$root/build/linux/cli/pakiet" package="$1/pkg/Duze" table
  rm -rf "$gen"; mkdir -p "$package/tekstury"
  # The cipher's stream is endless: head ends it, which is no failure of the pipe.
  (set +o pipefail
   openssl enc -aes-128-ctr -nosalt -K 4c756d6f72207465737420646174610a -iv 00000000000000000000000000000000 \
     -in /dev/zero 2>/dev/null | head -c $((1024 * 1048576)) |
     (cd "$package/tekstury" && split -b 1048576 -a 4 -d --additional-suffix=.bin - t)) || return 1
  [ "$(ls "$package/tekstury" | wc -l)" -eq 1024 ] || return 1
  "$pakiet" catalog create "$package/dodatki.mdb" >/dev/null || return 1
  for table in info_producent Dodatki; do
    "$pakiet" catalog import "$package/dodatki.mdb" "$table" --csv "$root/demo/catalog/$table.csv" >/dev/null || return 1
  done
  cp "$root/demo/package/Wrzos.jpg" "$gen/pkg/Duze.jpg"
  "$pakiet" build --stub "$exe" --package "$package" --output "$gen/Duze.exe" >"$gen/build.log" 2>&1
}

# large_gauge_fill <shot>: how many pixels of the gauge's top row carry its fill colour.
large_gauge_fill() {
  "$GUI_IM" "$1" -crop "1040x1+${win_x}+$((win_y + 354 + 3))" +repage -fuzz 15% -fill black -opaque '#ff8c00' \
    -fill white +opaque black -format '%[fx:int(w * (1 - mean) + 0.5)]' info:
}

# large_cover_and_uncover: another program's window (xlogo) over the 400 x 200 at 40,40 of
# the window, shown until it is mapped, then closed: that part must be painted again.
large_cover_and_uncover() {
  local pid
  xlogo -geometry "400x200+$((win_x + 40))+$((win_y + 40))" >/dev/null 2>&1 &
  pid=$!
  gui_wait_until 10 xdotool search --onlyvisible --class xlogo >/dev/null 2>&1 || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  large_uncovered=yes
}

# large_install_normal <shot>: the shot shows Install's Normal look (the preparation is over).
large_install_normal() {
  gui_region_within 0.06 "$1" "$art/expected-large-install.png" $((win_x + 698)) $((win_y + 527)) 151 50 >/dev/null
}

# large_preparation_drawn: the window is drawn (not black where the cover will be) and Install
# is not usable yet; keeps that part of the screenshot as what it must show again.
large_preparation_drawn() {
  local shot="$art/large-preparation.png"
  gui_screenshot "$shot" || return 1
  large_install_normal "$shot" && return 1
  "$GUI_IM" "$shot" -crop "400x200+$((win_x + 40))+$((win_y + 40))" +repage "$art/large-preparation-part.png" &&
    awk -v m="$("$GUI_IM" "$art/large-preparation-part.png" -format '%[fx:mean]' info:)" 'BEGIN{exit !(m > 0.1)}'
}

# large_preparation_repainted: the part shows again what it showed before it was covered,
# while Install is still not usable.
large_preparation_repainted() {
  local shot="$art/large-preparation-repainted.png"
  gui_screenshot "$shot" || return 1
  large_install_normal "$shot" && return 1
  gui_region_within 0.06 "$shot" "$art/large-preparation-part.png" $((win_x + 40)) $((win_y + 40)) 400 200 >/dev/null
}

# large_sample: one screenshot during the installation; succeeds once the finish picture
# shows, and otherwise records the gauge's fill (keeping the screenshots of partial fills).
# At the first partial fill the cover is covered and uncovered; a later screenshot with a
# partial fill must show that part of the cover again (painted during the installation).
large_sample() {
  local shot="$art/large-$large_shots.png" fill
  gui_screenshot "$shot" || return 1
  large_shots=$((large_shots + 1))
  if gui_region_within 0.06 "$shot" "$art/expected-finish.png" $((win_x + 40)) $((win_y + 40)) 400 200 >/dev/null; then
    return 0
  fi
  fill=$(large_gauge_fill "$shot") || return 1
  if [ "$fill" -le 0 ] || [ "$fill" -ge 1040 ]; then rm -f "$shot"; return 1; fi
  large_fills+=("$fill")
  if [ "$large_uncovered" = yes ] && [ "$large_repainted" = no ] &&
     gui_region_within 0.06 "$shot" "$art/expected-large-cover-part.png" $((win_x + 40)) $((win_y + 40)) 400 200 >/dev/null; then
    large_repainted=yes
  fi
  [ "$large_uncovered" = no ] && large_cover_and_uncover
  return 1
}

# large_watch_verdict <watch file> <what>: every question answered, none found the window hung;
# prints the count and the slowest answer.
large_watch_verdict() {
  local file="$1" what="$2" verdict
  verdict=$(awk -F'\t' 'NF == 4 { n++; if ($2 != 1) lost++; if ($4 != 0) hung++; if ($3 > max) max = $3 }
    END { printf "%d %d %d %d\n", n, lost, hung, max }' "$file")
  read -r large_asked large_lost large_hung large_slowest <<<"$verdict"
  if [ "$large_asked" -lt 10 ]; then
    fail "$what: only $large_asked questions were asked (the probe did not watch)"
  elif [ "$large_lost" -eq 0 ] && [ "$large_hung" -eq 0 ]; then
    pass "$what: $large_asked questions, each answered (the slowest in $large_slowest ms), never counted hung"
  else
    fail "$what: of $large_asked questions $large_lost went unanswered within 1 s and $large_hung found the window hung (see $file)"
  fi
}

gui_large_install_case() {
  echo "== large install case"
  local pakiet="$root/build/linux/cli/pakiet" gen="$root/build/gui-large" started made
  if [ ! -x "$pakiet" ]; then
    fail "the large install case needs the native pakiet (build the linux preset)"
    return
  fi
  started=$(date +%s%N)
  if ! large_make_installer "$gen"; then
    fail "the large installer could not be made: $(tail -3 "$gen/build.log" 2>/dev/null)"
    rm -rf "$gen"
    return
  fi
  made=$(date +%s%N)
  echo "   1 GiB package and its installer made in $(( (made - started) / 1000000 )) ms"

  local host="$WINEPREFIX/drive_c/Kavitek/CAD 2.0" work="$root/build/gui-work-large"
  rm -rf "$WINEPREFIX/drive_c/Kavitek" "$work"
  mkdir -p "$host/dodatki" "$work"
  "$GUI_IM" "$root/demo/package/Wrzos.jpg" "$art/large-cover.png"
  "$GUI_IM" "$assets/BGfinish.jpg" -crop 400x200+40+40 +repage "$art/expected-finish.png"
  gui_expected_region "$art/large-cover.png" "$art/bnInstallNormal.png" 698 527 151 50 "$art/expected-large-install.png"
  "$GUI_IM" "$art/large-cover.png" -crop 400x200+40+40 +repage "$art/expected-large-cover-part.png"

  if ! launch "$work" "$gen/Duze.exe"; then
    fail "the large installer never showed its window"
    rm -rf "$gen" "$WINEPREFIX/drive_c/Kavitek"
    return
  fi
  local watch="$work/watch.txt" stop="$work/watch.stop" watch_pid
  wine "$probe" --watch "$caption" "Z:${watch//\//\\}" "Z:${stop//\//\\}" >/dev/null 2>&1 &
  watch_pid=$!

  # The preparation copies the package out of the executable: long enough to be watched, and
  # to be covered and uncovered, too.
  if ! gui_wait_until 10 large_preparation_drawn; then
    fail "the window was not drawn, or its preparation was over, before it could be covered"
  else
    large_cover_and_uncover
    if gui_wait_until 10 large_preparation_repainted; then
      pass "a part of the window uncovered during the preparation was painted again before it ended"
    else
      fail "the part of the window uncovered during the preparation was not painted again before it ended"
    fi
  fi
  if ! wait_region large-install-enabled "$art/expected-large-install.png" 698 527 151 50 180; then
    fail "the large installer never enabled Install"
  else
    pass "the large installer ends its preparation with Install enabled"
    local clicked waited
    large_fills=() large_shots=0 large_uncovered=no large_repainted=no
    xdotool mousemove $((win_x + 698 + 75)) $((win_y + 527 + 25))
    clicked=$(date +%s%N)
    xdotool click 1
    if gui_wait_until 300 large_sample; then
      waited=$(( ($(date +%s%N) - clicked) / 1000000 ))
      pass "the finish picture replaces the cover after the 1 GiB installation ($waited ms)"
    else
      fail "no finish picture within 300 s of the click"
    fi
    # The fill only grows, and the screenshots saw it at several places on its way.
    local distinct sorted
    distinct=$(printf '%s\n' "${large_fills[@]}" | sort -un | wc -l)
    sorted=$(printf '%s\n' "${large_fills[@]}" | sort -n | tr '\n' ' ')
    if [ "${#large_fills[@]}" -gt 0 ] && [ "$sorted" = "$(printf '%s\n' "${large_fills[@]}" | tr '\n' ' ')" ] &&
       [ "$distinct" -ge 3 ]; then
      pass "screenshots during the extraction show the gauge advancing ($distinct fills: $(printf '%s\n' "${large_fills[@]}" | sort -un | tr '\n' ' '))"
    else
      fail "the gauge did not advance in the screenshots (${#large_fills[@]} partial fills: ${large_fills[*]:-none})"
    fi
    if [ "$large_repainted" = yes ]; then
      pass "a part of the window uncovered during the extraction was painted again before it ended"
    else
      fail "the part of the window uncovered during the extraction was not painted again before it ended (uncovered: $large_uncovered)"
    fi
  fi
  touch "$stop"
  gui_wait_gone "$watch_pid" 10 || kill "$watch_pid" 2>/dev/null || true
  cp "$watch" "$art/large-watch.txt" 2>/dev/null || true
  large_watch_verdict "$watch" "the window answered throughout the preparation and the installation"

  host_close "$work" "Close after the large installation"
  [ "$close_ok" = yes ] && pass "Close ends the program with status 0 after the large installation"

  local installed="$host/dodatki/Duze/tekstury"
  if [ "$(find "$installed" -name 't*.bin' -size 1024k 2>/dev/null | wc -l)" -eq 1024 ] &&
     [ "$(cat "$installed"/t*.bin | md5sum)" = "$(cat "$gen/pkg/Duze/tekstury"/t*.bin | md5sum)" ]; then
    pass "the host holds the 1,024 members byte for byte"
  else
    fail "the host does not hold the 1,024 members as packed ($(ls "$installed" 2>/dev/null | wc -l) files)"
  fi
  local dump rows
  dump=$("$pakiet" catalog dump "$host/dodatki/Duze/dodatki.mdb" Dodatki 2>/dev/null) || dump=
  rows=$(($(wc -l <<<"$dump") - 1))
  # The demo's 37 rows, one of which withdraws an item the fresh host never had.
  [ "$rows" -eq 36 ] && pass "the installed catalog holds the package's 36 items" || fail "the installed catalog has $rows items, not 36"
  echo "   the large case took $(( ($(date +%s%N) - started) / 1000000 )) ms in all"
  rm -rf "$gen" "$work" "$WINEPREFIX/drive_c/Kavitek"
}
