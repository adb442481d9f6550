# Host cases of the GUI test, sourced by scripts/gui-test: a real
# installer (the stub with a package appended) finds a host folder in
# C:\Kavitek\CAD 2.0\dodatki\ of the Wine prefix and ends with Install enabled; with a running
# program whose name holds "CAD", Install stays disabled and the status line names it.
# Uses gui-test's variables ($root $exe $probe $art $caption $assets) and helpers
# (launch, expect_look, click_close_and_check, pass, fail) and scripts/lib/gui.sh.

# host_probe_until <child class> <file> <grep pattern> <seconds>: reads a child window's text
# with the probe until it matches.
host_probe_until() {
  gui_wait_until "$4" host_probe_matches "$1" "$2" "$3"
}

host_probe_matches() {
  wine "$probe" "$caption" "$1" "Z:${2//\//\\}" >/dev/null 2>&1 && grep -qF -- "$3" "$2"
}

# host_start_cad_tool <work folder>: a program named CADTool.exe running in the prefix (Wine's
# cmd.exe, waiting on its input until the fifo's writer, fd 7, closes it); fails when it never
# shows in the process list. Sets cad_pid.
host_start_cad_tool() {
  cp "$WINEPREFIX/drive_c/windows/system32/cmd.exe" "$1/CADTool.exe"
  mkfifo "$1/hold"
  wine "$1/CADTool.exe" <"$1/hold" >/dev/null 2>&1 &
  cad_pid=$!
  exec 7>"$1/hold"
  gui_wait_until 20 wine "$probe" --process CADTool.exe
}

# host_stop_cad_tool: ends the CADTool.exe of host_start_cad_tool (end of its input).
host_stop_cad_tool() {
  exec 7>&-
  gui_wait_gone "$cad_pid" 10 || kill "$cad_pid" 2>/dev/null || true
}

# host_close <work folder> <what> [status]: Close clicked, the program ends cleanly with that
# exit status (gui-test's check).
host_close() {
  click_close_and_check "$1" "$2" 1040 585 "${3:-0}"
}

# host_make_installer <out.exe>: the stub, then a package archive (the catalog P\dodatki.mdb
# and the test cover as P.jpg, names with '\' as the format wants, made by Info-ZIP from files
# whose names hold the backslash), then the byte-order mark and the right-aligned offset.
host_make_installer() {
  local out="$1" dir="$art/host-package"
  rm -rf "$dir"; mkdir -p "$dir"
  printf 'catalog' >"$dir/Meble Nowak\dodatki.mdb"
  cp "$art/test-cover.jpg" "$dir/Meble Nowak.jpg"
  (cd "$dir" && zip -X -q package.zip 'Meble Nowak\dodatki.mdb' 'Meble Nowak.jpg') || return 1
  cat "$exe" "$dir/package.zip" >"$out"
  printf '\xef\xbb\xbf%20d' "$(stat -c %s "$exe")" >>"$out"
}

gui_host_cases() {
  echo "== host cases"
  local installer="$art/Meble Nowak.exe"
  if ! host_make_installer "$installer"; then
    fail "no installer with a package could be made"
    return
  fi
  local host="$WINEPREFIX/drive_c/Kavitek/CAD 2.0"
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
  mkdir -p "$host/dodatki"

  # --- a host in C:\Kavitek\CAD 2.0\ and nothing running: Install enabled ---------------------
  local work="$root/build/gui-work-host"
  rm -rf "$work"; mkdir -p "$work"
  if ! launch "$work" "$installer"; then
    fail "the installer with a package never showed its window"
    return
  fi
  expect_look host-install-normal bnInstallNormal 698 527 "a found host enables Install (Normal look)"
  cp "$art/host-install-normal.png" "$art/host-found.png" 2>/dev/null || true
  if host_probe_until Edit "$work/edit1.txt" 'C:\Kavitek\CAD 2.0\' 10 &&
     [ "$(cat "$work/edit1.txt")" = 'C:\Kavitek\CAD 2.0\' ]; then
    pass "the folder field shows C:\\Kavitek\\CAD 2.0\\"
  else
    fail "the folder field shows '$(cat "$work/edit1.txt" 2>/dev/null)'"
  fi
  # StaticText1 is sized to its text with its margins: its white reaches Edit1 at 408.
  gui_screenshot "$art/host-static-text.png"
  if gui_close_to "$art/host-static-text.png" $((win_x + 300)) $((win_y + 406)) 255 255 255 8 &&
     gui_close_to "$art/host-static-text.png" $((win_x + 106)) $((win_y + 405)) 255 255 255 8; then
    pass "the caption above the folder field is white down to the field (17 pixels high)"
  else
    fail "below or beside the caption: $(gui_pixel "$art/host-static-text.png" $((win_x + 300)) $((win_y + 406))) / $(gui_pixel "$art/host-static-text.png" $((win_x + 106)) $((win_y + 405)))"
  fi
  host_close "$work" "host found" 5

  # --- the same with a running CADTool.exe: Install disabled, the program named --------------
  work="$root/build/gui-work-host-cad"
  rm -rf "$work"; mkdir -p "$work"
  host_start_cad_tool "$work" || fail "CADTool.exe never showed in the process list"
  if ! launch "$work" "$installer" /d; then
    fail "the installer never showed its window beside CADTool.exe"
    host_stop_cad_tool
    return
  fi
  local message="Wyłącz program CADTool.exe i spróbuj ponownie."
  if host_probe_until LumorLogBox "$work/logbox.txt" "$message" 20; then
    pass "the status line names the running CADTool.exe"
  else
    fail "no \"$message\" in the log box"
  fi
  gui_screenshot "$art/host-cad-running.png"
  expect_look host-install-disable bnInstallDisable 698 527 "Install stays disabled while CADTool.exe runs"
  host_close "$work" "beside CADTool.exe" 1
  host_stop_cad_tool
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
}
