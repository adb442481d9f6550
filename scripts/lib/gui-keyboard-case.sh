# The keyboard case of the GUI test, sourced by scripts/gui-test: the demo installer on a host
# with an earlier catalog, driven by the keyboard alone. A screen reader's view of the window
# is read back with the probe (push buttons "Instaluj" and "Zamknij" with their enabled state
# and the focus on Install, the folder field, the status line); Tab brings the focus cue (the
# Hover look, compared with the pictures the pointer brings); Enter installs, Escape closes
# the window; exit status and the merged catalog are checked. Uses gui-test's variables and
# helpers (launch, wait_region, crash_report, demo_installer).

# keys_children <file>: the probe's list of the window's child windows, with what the
# accessibility layer says of each.
keys_children() {
  wine "$probe" --children "$caption" "Z:${1//\//\\}" >/dev/null 2>&1
}

# keys_child_has <file> <class> <text> <field=value...>: the list, read afresh, has a child of
# that class and text (an & marking the access key left out) with all the given facts.
keys_child_has() {
  local file="$1" class="$2" text="$3"; shift 3
  keys_children "$file" || return 1
  python3 - "$file" "$class" "$text" "$@" <<'PY'
import sys
path, cls, text, wanted = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
for line in open(path, encoding='utf-8').read().splitlines():
    fields = line.split('\t')
    if len(fields) < 2 or fields[0].lower() != cls.lower() or fields[1].replace('&', '') != text:
        continue
    facts = dict(f.split('=', 1) for f in fields[2:] if '=' in f)
    if all(facts.get(k) == v for k, v in (w.split('=', 1) for w in wanted)):
        sys.exit(0)
sys.exit(1)
PY
}

# keys_press <key...>: keys typed into the window, the pointer resting on the cover away from
# every control (the X server's focus follows the pointer).
keys_press() {
  xdotool mousemove $((win_x + 300)) $((win_y + 150))
  xdotool windowfocus --sync "$win_id" key --clearmodifiers --delay "${keys_delay:-150}" "$@"
}

# keys_without_package: the bare stub, whose preparation ends with Install disabled and a
# message in the status line: both read back, Alt+I does nothing, Enter acts on Close.
keys_without_package() {
  local work="$root/build/gui-work-keys-bare" kids="$root/build/gui-work-keys-bare/children.txt" status=0
  start_installer "$work" || { fail "keyboard: no window for the stub without a package"; return; }
  mkdir -p "$work"
  if gui_wait_until 15 keys_child_has "$kids" Static 'Brak danych pakietu !' visible=1 type=13 \
       'name=Brak danych pakietu !'; then
    pass "the status line is a window a screen reader reads: \"Brak danych pakietu !\""
  else
    fail "the status line cannot be read: $(grep -i '^static' "$kids" | tr '\t\n' ' |')"
  fi
  keys_child_has "$kids" Button Instaluj visible=1 enabled=0 focused=0 unavailable=1 &&
    keys_child_has "$kids" Button Zamknij enabled=1 focused=1 &&
    pass "with Install disabled, \"Instaluj\" is unavailable and the focus is on \"Zamknij\"" ||
    fail "disabled Install as read: $(grep -i '^button' "$kids" | tr '\t\n' ' |')"
  cp "$kids" "$art/keys-children-bare.txt"
  keys_press alt+i
  expect_look keys-bare-install bnInstallDisable 698 527 "Alt+I leaves the disabled Install as it was"
  gui_gone "$app_pid" && fail "keyboard: Alt+I with Install disabled ended the program"
  keys_press Return
  if gui_wait_gone "$app_pid" 10; then
    wait "$app_pid" 2>/dev/null || status=$?
    app_pid=
    [ "$status" -eq 1 ] && pass "Enter on the focused Close ends the program (exit status 1: nothing could be installed)" ||
      fail "keyboard: exit status $status after Enter on Close, not 1"
  else
    fail "keyboard: Enter with the focus on Close did not end the program"
    kill "$app_pid" 2>/dev/null || true
    app_pid=
  fi
}

gui_keyboard_case() {
  echo "== keyboard case"
  keys_without_package
  local pakiet="$root/build/linux/cli/pakiet" installer
  installer=$(demo_installer) || { fail "no demo installer could be made (see $art/demo-build.log)"; return; }
  local host="$WINEPREFIX/drive_c/Kavitek/CAD 2.0" work="$root/build/gui-work-keys"
  rm -rf "$WINEPREFIX/drive_c/Kavitek" "$work"
  mkdir -p "$host/dodatki" "$work"
  bash "$root/demo/make-earlier-catalog.sh" "$host/dodatki/Wrzos/dodatki.mdb" "$pakiet"
  local catalog="$host/dodatki/Wrzos/dodatki.mdb" before
  before=$(md5sum <"$catalog")

  "$GUI_IM" "$root/demo/package/Wrzos.jpg" "$art/keys-cover.png"
  "$GUI_IM" "$assets/BGfinish.jpg" -crop 400x200+40+40 +repage "$art/expected-keys-finish.png"
  local look left
  for look in bnInstallNormal bnInstallHover bnCloseNormal bnCloseHover; do
    left=698; [ "${look#bnClose}" != "$look" ] && left=874
    gui_expected_region "$art/keys-cover.png" "$art/$look.png" "$left" 527 151 50 "$art/expected-keys-$look.png"
  done

  launch "$work" "$installer" "$(run_log_switch "$work")" || { fail "keyboard: no window"; return; }
  if ! wait_region keys-enabled "$art/expected-keys-bnInstallNormal.png" 698 527 151 50 30; then
    fail "keyboard: Install never showed its Normal look"
    return
  fi
  local kids="$work/children.txt"
  if gui_wait_until 10 keys_child_has "$kids" Button Instaluj visible=1 enabled=1 focused=1 type=11; then
    pass "Install is a push button window \"Instaluj\", enabled, with the focus after the preparation"
  else
    fail "no enabled, focused button \"Instaluj\": $(tr '\t\n' ' |' <"$kids")"
  fi
  keys_child_has "$kids" Button Zamknij visible=1 enabled=1 focused=0 && pass "Close is a push button window \"Zamknij\"" ||
    fail "no button \"Zamknij\": $(tr '\t\n' ' |' <"$kids")"
  # Windows' accessibility layer gives owner-drawn BUTTON windows the push button role (43);
  # Wine's has no proxy for the class and answers the generic client role (10).
  if keys_child_has "$kids" Button Instaluj name=Instaluj unavailable=0 &&
     keys_child_has "$kids" Button Zamknij name=Zamknij unavailable=0; then
    pass "the accessibility layer names \"Instaluj\" and \"Zamknij\", both available (role $(grep -i '^button' "$kids" | grep -o 'role=[0-9]*' | head -n1 | cut -d= -f2))"
  else
    fail "the accessibility layer's view of the buttons: $(grep -i '^button' "$kids" | tr '\t\n' ' |')"
  fi
  keys_child_has "$kids" Edit 'C:\Kavitek\CAD 2.0\' visible=1 role=42 \
      'name=Miejsce instalacji pakietu, zmień jeśli konieczne.' &&
    pass "the folder field reads C:\\Kavitek\\CAD 2.0\\, named by its caption" ||
    fail "the folder field: $(grep -i '^edit' "$kids" | tr '\t\n' ' |')"
  cp "$kids" "$art/keys-children-prepared.txt"

  # Tab twice: the folder field, then Close with its cue; Install back to Normal.
  keys_press Tab Tab
  if wait_region keys-focus-close "$art/expected-keys-bnCloseHover.png" 874 527 151 50 10 &&
     wait_region keys-focus-close-install "$art/expected-keys-bnInstallNormal.png" 698 527 151 50 5; then
    pass "Tab Tab: the focus cue on Close is its Hover look, Install shows Normal"
  else
    fail "Tab Tab did not show Close's Hover look as the focus cue"
  fi
  keys_child_has "$kids" Button Zamknij focused=1 || fail "the system's focus is not on Zamknij after Tab Tab"
  # Tab once more: back on Install, its cue the Hover look the pointer brings.
  keys_press Tab
  if wait_region keys-focus-install "$art/expected-keys-bnInstallHover.png" 698 527 151 50 10 &&
     wait_region keys-focus-install-close "$art/expected-keys-bnCloseNormal.png" 874 527 151 50 5; then
    pass "Tab: the focus cue on Install is its Hover look, Close back to Normal"
  else
    fail "Tab did not bring Install's Hover look back"
  fi

  # Escape typed while the installation runs does what a click on Close does then: nothing.
  # It follows Enter closely: the demo installs in less than the usual pause between keys,
  # after which Escape would rightly close the window.
  keys_delay=5 keys_press Return Escape
  if wait_region keys-finish "$art/expected-keys-finish.png" 40 40 400 200 60; then
    pass "Enter installed: the finish picture replaces the cover"
  else
    fail "no finish picture after Enter; the run's log ends: $(run_log_end "$work")"
  fi
  if gui_wait_until 10 keys_child_has "$kids" Button Zamknij visible=1 enabled=1; then
    keys_children "$kids"
    if gui_gone "$app_pid"; then fail "the Escape typed during the installation closed the window afterwards"
    else pass "the Escape typed during the installation did nothing"; fi
    keys_child_has "$kids" Button Instaluj visible=0 && pass "after the installation the button \"Instaluj\" is gone" ||
      fail "\"Instaluj\" is still shown after the installation: $(grep -i '^button' "$kids" | tr '\t\n' ' |')"
  else
    fail "Close is not enabled after the installation"
  fi
  cp "$kids" "$art/keys-children-finished.txt"

  keys_press Escape
  local status=0 report
  if ! gui_wait_gone "$app_pid" 10; then
    fail "keyboard: the program still runs 10 s after Escape"
    kill "$app_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    app_pid=
    return
  fi
  wait "$app_pid" 2>/dev/null || status=$?
  app_pid=
  report=$(crash_report "$work")
  if [ -n "$report" ]; then fail "keyboard: crash report: $report"
  elif [ "$status" -ne 0 ]; then fail "keyboard: exit status $status after Escape"
  elif [ -e "$work/tmp" ]; then fail "keyboard: working folder left after Escape"
  else pass "Escape ends the program with status 0 and removes the working files"
  fi

  if [ "$(md5sum <"$catalog")" = "$before" ]; then fail "keyboard: the host's catalog did not change"; return; fi
  local dump rows
  dump=$("$pakiet" catalog dump "$catalog" Dodatki) || { fail "keyboard: the merged catalog cannot be read"; return; }
  rows=$(($(wc -l <<<"$dump") - 1))
  if [ "$rows" -eq 37 ] && grep -q '^79001,' <<<"$dump" && ! grep -q '^73990,' <<<"$dump"; then
    pass "the catalog merged by the keyboard's installation holds 37 items, the user's own kept"
  else
    fail "the keyboard's merged catalog: $rows items"
  fi
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
}
