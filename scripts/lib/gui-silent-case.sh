# The installer as a deployment tool runs it, on the real display, sourced by scripts/gui-test:
# the demo installer with /S /LOG= installs with exit status 0 and no window ever mapped; with
# CADTool.exe running it exits 1 and changes nothing; /? shows its box (read back by the probe)
# and exits 0 when the box is closed; the window closed without installing exits 5. Uses
# gui-test's variables and helpers (launch, click_close_and_check, demo_installer) and the
# host cases' host_probe_until and host_start_cad_tool.

# silent_visible: the display's visible windows, one id a line.
silent_visible() { xdotool search --onlyvisible --name '.*' 2>/dev/null | sort -u; }

# silent_run <work> <installer> <args...>: runs the installer to its end while watching the
# display; sets silent_status to its exit status and silent_mapped to the windows that showed
# during the run and not before it.
silent_run() {
  local work="$1" installer="$2"; shift 2
  local before seen pid
  before=$(silent_visible)
  (cd "$work" && exec wine "$installer" "$@" >"$work/wine.log" 2>&1) &
  pid=$!
  silent_mapped=
  while ! gui_gone "$pid"; do
    seen=$(comm -13 <(echo "$before") <(silent_visible))
    [ -n "$seen" ] && silent_mapped+=" $seen"
  done
  silent_status=0
  wait "$pid" 2>/dev/null || silent_status=$?
}

# silent_host <catalog>: the prefix's host with the earlier catalog of the demo package.
silent_host() {
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
  mkdir -p "$(dirname "$1")"
  bash "$root/demo/make-earlier-catalog.sh" "$1" "$root/build/linux/cli/pakiet" >/dev/null
}

silent_installs() {
  local installer="$1" catalog="$2" work="$root/build/gui-work-silent" before
  silent_host "$catalog"
  before=$(md5sum <"$catalog")
  rm -rf "$work"; mkdir -p "$work"
  silent_run "$work" "$installer" /S "/LOG=C:\\silent-log.txt"
  local log="$WINEPREFIX/drive_c/silent-log.txt"
  if [ "$silent_status" -eq 0 ]; then pass "/S /LOG= installs with exit status 0"; else fail "/S /LOG=: exit status $silent_status"; fi
  if [ -z "$silent_mapped" ]; then pass "/S maps no window from start to end"; else fail "/S mapped windows:$silent_mapped"; fi
  if grep -q '=== kod wyjścia: 0' "$log" 2>/dev/null; then pass "the log file holds the run and its exit code"
  else fail "the log file $log: $(tail -n3 "$log" 2>/dev/null | tr '\n' '|')"; fi
  local dump
  if [ "$(md5sum <"$catalog")" = "$before" ]; then fail "/S left the host's catalog as it was"
  elif dump=$("$root/build/linux/cli/pakiet" catalog dump "$catalog" Dodatki) && grep -q '^79001,' <<<"$dump" &&
       ! grep -q '^73990,' <<<"$dump"; then pass "/S merged the catalog: the user's item kept, the withdrawn one gone"
  else fail "/S: the merged catalog is not as expected"; fi
  [ -e "$work/tmp" ] && fail "/S left its working folder"
  rm -f "$log"
}

silent_refuses_beside_cad() {
  local installer="$1" catalog="$2" work="$root/build/gui-work-silent-cad" before
  silent_host "$catalog"
  before=$(md5sum <"$catalog")
  rm -rf "$work"; mkdir -p "$work"
  if host_start_cad_tool "$work"; then
    silent_run "$work" "$installer" /S "/LOG=C:\\silent-cad-log.txt"
    [ "$silent_status" -eq 1 ] && pass "/S beside a running CADTool.exe exits 1" || fail "/S beside CADTool.exe: exit status $silent_status"
    [ "$(md5sum <"$catalog")" = "$before" ] && pass "/S beside CADTool.exe leaves the catalog as it was" ||
      fail "/S beside CADTool.exe changed the catalog"
    grep -q 'CADTool.exe' "$WINEPREFIX/drive_c/silent-cad-log.txt" 2>/dev/null && pass "the log names the running CADTool.exe" ||
      fail "the log does not name CADTool.exe"
  else
    fail "CADTool.exe never showed in the process list"
  fi
  host_stop_cad_tool
  rm -f "$WINEPREFIX/drive_c/silent-cad-log.txt"
}

# silent_help_closer <title> <children file>: waits for the help box, reads its child windows
# with the probe, then closes it with Enter (in the background, while silent_run watches).
silent_help_closer() {
  local title="$1" kids="$2" box
  box=$(gui_wait_window "$title" 30) || return 1
  gui_wait_until 10 bash -c 'wine "$1" --children "$2" "$3" >/dev/null 2>&1 && grep -q "/LOG=" "$4"' _ \
    "$probe" "$title" "Z:${kids//\//\\}" "$kids"
  xdotool windowfocus --sync "$box" key --clearmodifiers Return
}

# silent_help_box: /? shows a message box with the switches and the exit codes, read back by
# the probe; Enter closes it and the program exits 0. The same watch that finds no window in
# silent mode must see this one, or its "no window" would prove nothing.
silent_help_box() {
  local installer="$1" work="$root/build/gui-work-silent-help" title="Instalator pakietów CAD"
  rm -rf "$work"; mkdir -p "$work"
  local kids="$work/help-children.txt"
  silent_help_closer "$title" "$kids" &
  local closer=$!
  silent_run "$work" "$installer" '/?'
  wait "$closer" 2>/dev/null || true
  if grep -q "/LOG=" "$kids" 2>/dev/null && grep -q "/D=" "$kids"; then pass "/? shows a box with the switches"
  else fail "/? box text: $(tr '\t\n' ' |' <"$kids" 2>/dev/null | head -c 300)"; fi
  [ -n "$silent_mapped" ] && pass "the watch that saw no window for /S sees the /? box" ||
    fail "the watch saw no window for /?: its \"no window\" for /S proves nothing"
  [ "$silent_status" -eq 0 ] && pass "/? exits 0 once its box is closed" || fail "/?: exit status $silent_status"
}

# silent_window_closed: the window closed with Install usable and unused exits 5, the catalog
# as it was.
silent_window_closed() {
  local installer="$1" catalog="$2" work="$root/build/gui-work-silent-closed" before
  silent_host "$catalog"
  before=$(md5sum <"$catalog")
  rm -rf "$work"; mkdir -p "$work"
  launch "$work" "$installer" || { fail "the demo installer showed no window"; return; }
  host_probe_until Edit "$work/edit1.txt" 'C:\Kavitek\CAD 2.0\' 20 || fail "the window's preparation found no host"
  click_close_and_check "$work" "window closed without installing" 1040 585 5
  [ "$close_ok" = yes ] && pass "the window closed without installing exits 5"
  [ "$(md5sum <"$catalog")" = "$before" ] || fail "closing without installing changed the catalog"
}

gui_silent_case() {
  echo "== silent and exit codes case"
  local installer catalog="$WINEPREFIX/drive_c/Kavitek/CAD 2.0/dodatki/Wrzos/dodatki.mdb"
  installer=$(demo_installer) || { fail "no demo installer could be made (see $art/demo-build.log)"; return; }
  silent_installs "$installer" "$catalog"
  silent_refuses_beside_cad "$installer" "$catalog"
  silent_help_box "$installer"
  silent_window_closed "$installer" "$catalog"
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
}
