# Helpers for driving the real installer window under Xvfb and Wine; sourced by
# scripts/gui-test and scripts/lib/demo-run. Screenshots and pixel checks use ImageMagick,
# pointer moves and clicks xdotool.

source "$(dirname "${BASH_SOURCE[0]}")/deps.sh"  # lumor_wine_prefix

GUI_IM=/usr/bin/convert  # another `convert` may shadow ImageMagick's

# Starts Xvfb on the first free display from :90 up and exports DISPLAY; GUI_XVFB_PID is
# its process. Fails after a few tries.
gui_start_display() {
  local n attempt
  for attempt in 1 2 3; do
    for n in $(seq 90 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 "${GUI_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    GUI_XVFB_PID=$!
    export DISPLAY=":$n"
    gui_wait_until 5 gui_display_settled || true
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    kill "$GUI_XVFB_PID" 2>/dev/null || true
    wait "$GUI_XVFB_PID" 2>/dev/null || true
  done
  echo "gui: no X display could be started" >&2
  return 1
}

# The display answers, or its server has died (then waiting longer is pointless).
gui_display_settled() {
  xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
  kill -0 "$GUI_XVFB_PID" 2>/dev/null || return 0
  return 1
}

gui_stop_display() {
  if [ -n "${GUI_XVFB_PID:-}" ]; then
    kill "$GUI_XVFB_PID" 2>/dev/null || true
    wait "$GUI_XVFB_PID" 2>/dev/null || true
    GUI_XVFB_PID=
  fi
}

# gui_wait_until <seconds> <command...>: runs the command until it succeeds, polling every
# tenth of a second; fails once the time is up. The one place where the GUI scripts pause.
gui_wait_until() {
  local limit="$1"; shift
  local deadline=$(( $(date +%s%N) + limit * 1000000000 ))
  while :; do
    "$@" && return 0
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# gui_visible_window <caption>: prints the X id of the mapped window with exactly that name.
gui_visible_window() {
  local id
  id=$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null | head -n1 || true)
  [ -n "$id" ] && echo "$id"
}

# gui_wait_window <caption> [seconds]: prints the X window id once the window is mapped.
gui_wait_window() {
  gui_wait_until "${2:-30}" gui_visible_window "$1"
}

# gui_gone <pid>: the process has ended.
gui_gone() { ! kill -0 "$1" 2>/dev/null; }

# gui_wait_gone <pid> <seconds>
gui_wait_gone() { gui_wait_until "$2" gui_gone "$1"; }

# gui_window_size <id>: "W H" of the window.
gui_window_size() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print w, h}'
}

# gui_has_geometry <id> <x> <y> <w> <h>: the window has that place and size now.
gui_has_geometry() {
  [ "$(gui_window_origin "$1" 2>/dev/null) $(gui_window_size "$1" 2>/dev/null)" = "$2 $3 $4 $5" ]
}

# gui_window_origin <id>: "X Y" of the window's top-left corner on the screen.
gui_window_origin() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

gui_screenshot() {  # <file>
  import -window root "$1"
}

# gui_pixel <png> <x> <y>: "R G B" of one pixel, 0-255.
gui_pixel() {
  "$GUI_IM" "$1" -crop "1x1+$2+$3" -depth 8 -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# gui_close_to <png> <x> <y> <R G B> <tolerance>: the pixel is within tolerance of a colour.
gui_close_to() {
  local png="$1" x="$2" y="$3" r="$4" g="$5" b="$6" tol="$7" pr pg pb
  read -r pr pg pb < <(gui_pixel "$png" "$x" "$y")
  local d=$(( (pr-r)*(pr-r) > (pg-g)*(pg-g) ? (pr-r)*(pr-r) : (pg-g)*(pg-g) ))
  d=$(( d > (pb-b)*(pb-b) ? d : (pb-b)*(pb-b) ))
  [ "$d" -le $((tol * tol)) ]
}

# gui_region_error <shot> <expected> <x> <y> <w> <h>: root-mean-square difference (0-1)
# between the screenshot's region and the expected picture of the same size. Prints nothing
# and fails when there is no such difference to give: a missing or unreadable picture, a
# region that is not wholly on the screenshot, pictures of different sizes.
gui_region_error() {
  local shot="$1" expected="$2" x="$3" y="$4" w="$5" h="$6" tmp out status=0
  tmp=$(mktemp --suffix=.png)
  if [ -s "$shot" ] && [ -s "$expected" ] &&
     "$GUI_IM" "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$tmp" 2>/dev/null &&
     [ "$("$GUI_IM" "$tmp" -format '%wx%h' info: 2>/dev/null)" = "${w}x${h}" ] &&
     [ "$("$GUI_IM" "$expected" -format '%wx%h' info: 2>/dev/null)" = "${w}x${h}" ]; then
    # compare exits 0 (alike) or 1 (different) with a measure, 2 on an error.
    out=$(compare -metric RMSE "$tmp" "$expected" null: 2>&1) || [ $? -eq 1 ] || status=1
    out=$(sed -n 's/^[0-9.e+-]* (\([0-9.e+-]*\))$/\1/p' <<<"$out")
    [ $status -eq 0 ] && [ -n "$out" ] && echo "$out" || status=1
  else
    status=1
  fi
  rm -f "$tmp"
  return $status
}

# gui_region_within <limit> <shot> <expected> <x> <y> <w> <h>: the region's difference is a
# number below the limit; prints the difference, or "error" when there is none.
gui_region_within() {
  local limit="$1" err
  shift
  if ! err=$(gui_region_error "$@"); then
    echo error
    return 1
  fi
  echo "$err"
  awk -v e="$err" -v l="$limit" 'BEGIN{exit !(e + 0 < l + 0)}'
}

# gui_expected_region <background> <overlay png> <x> <y> <w> <h> <out>: the overlay
# alpha-blended over the background at x,y, cropped to the overlay's place.
gui_expected_region() {
  "$GUI_IM" "$1" "$2" -geometry "+$3+$4" -compose over -composite -crop "${5}x${6}+${3}+${4}" +repage "$7"
}
