# The planted-DLL case of the GUI test, sourced by scripts/gui-test: an installer downloaded
# into a folder where a stranger left DLLs runs none of them. Every name the installer loads
# (its import table, and what a first run loads while it prepares, decodes the cover and
# opens the folder chooser, as Wine's +loaddll trace shows) gets a copy of the marker DLL
# beside the installer, and Wine is told to prefer such a copy for each of those names;
# the run must leave no marker, load nothing from that folder and still prepare.
# Left out are Windows' KnownDLLs and what they import: Windows maps them from its own folder
# before the program's first line whatever lies beside it, and resolves their imports there
# too, which Wine's loader does not model (an override makes it take even kernel32.dll, or
# version.dll, which Wine's user32 imports, from the program's folder). What they import is
# read from Wine's own builds of them. The stub's import table is held to KnownDLLs (and the
# manifest's Common Controls) by the CTest entry stub_imports.
planted_known_dlls="advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32
  kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
  shlwapi user32 wldap32 ws2_32 ntdll kernelbase"

# planted_known_closure: the KnownDLLs and every DLL Wine's builds of them import, one file
# name a line, lower case.
planted_known_closure() {
  local dir name dep
  dir=$(dirname "$(ls /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernel32.dll /usr/lib/wine/x86_64-windows/kernel32.dll \
    /usr/local/lib/wine/x86_64-windows/kernel32.dll /opt/wine*/lib*/wine/x86_64-windows/kernel32.dll 2>/dev/null | head -n1)")
  local -A seen=()
  local queue=($planted_known_dlls)
  while [ ${#queue[@]} -gt 0 ]; do
    name=${queue[0]}; queue=("${queue[@]:1}")
    [ -n "${seen[$name]:-}" ] && continue
    seen[$name]=1
    [ -f "$dir/$name.dll" ] || continue
    for dep in $(x86_64-w64-mingw32-objdump -p "$dir/$name.dll" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
      queue+=("${dep%.dll}")
    done
  done
  printf '%s.dll\n' "${!seen[@]}"
}

# planted_loaded_names <wine.log>: the DLL files a +pid,+loaddll trace shows the installer's
# process loading (not Wine's helper processes), lower case.
planted_loaded_names() {
  local pid
  pid=$(grep -a 'instalator\.exe" at' "$1" | head -n1 | cut -d: -f1)
  [ -n "$pid" ] || return 0
  grep -a "^$pid:" "$1" | grep -aoE 'Loaded L"[^"]+\.[dD][lL][lL]"' | sed -E 's/.*\\([^\\"]+)"$/\1/' |
    tr 'A-Z' 'a-z' | sort -u
}

# planted_chooser_shown: the folder chooser is on the screen.
planted_chooser_shown() { gui_visible_window "Wybierz folder instalacji biblioteki" >/dev/null; }

# planted_run <work> <installer> <what>: the installer prepares against the host, the folder
# chooser is opened from the folder field and cancelled, Close ends the program.
planted_run() {
  local work="$1" installer="$2" what="$3" chooser
  launch "$work" "$installer" "$(run_log_switch "$work")" ||
    { fail "$what: the installer never showed its window"; return 1; }
  if ! host_probe_until Edit "$work/edit1.txt" 'C:\Kavitek\CAD 2.0\' 20; then
    fail "$what: the preparation did not end with the host in the folder field; its log: $(run_log_end "$work")"
    gui_screenshot "$art/planted-${what// /-}.png"
  fi
  xdotool mousemove $((win_x + 200)) $((win_y + 417)) click 1
  if gui_wait_until 20 planted_chooser_shown; then
    chooser=$(gui_visible_window "Wybierz folder instalacji biblioteki")
    xdotool mousemove $((win_x + 200)) $((win_y + 100))
    # Typed into the focused chooser, not sent to its window: xdotool types the press (the
    # chooser has the focus), the chooser closes, the release is then sent to a window that is
    # gone, xdotool dies, and Escape stays held in the X server, whose auto-repeat then closes
    # the next installer to take the focus.
    timeout 10 xdotool windowfocus --sync "$chooser" key Escape ||
      fail "$what: Escape could not be typed into the folder chooser"
    gui_wait_until 10 bash -c '! xdotool search --onlyvisible --name "^Wybierz folder instalacji biblioteki$" >/dev/null 2>&1' ||
      fail "$what: the folder chooser did not close"
  else
    fail "$what: the folder field opened no folder chooser"
  fi
  host_close "$work" "$what" 5
}

gui_planted_dll_case() {
  echo "== planted DLLs"
  local dll="$build/tests/gui/planted.dll" installer="$art/Meble Nowak.exe"
  local host="$WINEPREFIX/drive_c/Kavitek/CAD 2.0" names static runtime name overrides
  [ -f "$dll" ] || { fail "$dll is missing; build the planted_dll target"; return; }
  host_make_installer "$installer" || { fail "no installer with a package could be made"; return; }
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
  mkdir -p "$host/dodatki"

  # A clean run names what the installer loads at run time.
  local work="$root/build/gui-work-loads"
  rm -rf "$work"; mkdir -p "$work"
  cp "$installer" "$work/instalator.exe"
  WINEDEBUG=+pid,+loaddll planted_run "$work" "$work/instalator.exe" "clean run" || return
  cp "$work/wine.log" "$art/loaddll-clean.log"
  static=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  runtime=$(planted_loaded_names "$work/wine.log")
  names=$(printf '%s\n%s\n' "$static" "$runtime" | grep -vxF -f <(planted_known_closure) | sort -u)
  echo "   planting $(wc -w <<<"$names") names: $(tr '\n' ' ' <<<"$names")"
  if [ "$(wc -w <<<"$runtime")" -lt 10 ]; then fail "the +loaddll trace named too few DLLs: $runtime"; return; fi

  # The same installer downloaded beside the planted copies.
  work="$root/build/gui-work-planted"
  rm -rf "$work"; mkdir -p "$work"
  cp "$installer" "$work/instalator.exe"
  overrides="$WINEDLLOVERRIDES"
  for name in $names; do
    cp "$dll" "$work/$name"
    overrides="$overrides;${name%.dll}=n,b"
  done
  WINEDEBUG=+pid,+loaddll WINEDLLOVERRIDES="$overrides" planted_run "$work" "$work/instalator.exe" "beside planted DLLs"
  cp "$work/wine.log" "$art/loaddll-planted.log"
  local markers from_folder
  markers=$(cd "$work" && ls -- *.loaded 2>/dev/null | tr '\n' ' ' || true)
  from_folder=$(grep -aF "Loaded L\"Z:${work//\//\\\\}" "$work/wine.log" | grep -avF 'instalator.exe"' | head -n3 || true)
  if [ -z "$markers" ] && [ -z "$from_folder" ]; then
    pass "no DLL planted beside the installer ran ($(wc -w <<<"$names") names, preparation, cover, folder chooser)"
  else
    fail "planted DLLs ran inside the installer: ${markers:-}${from_folder:+; $from_folder}"
  fi
  rm -rf "$WINEPREFIX/drive_c/Kavitek"
}
