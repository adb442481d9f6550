# The tools the picture renderers (ui/assets/render.sh, demo/render.sh) need, checked before
# anything is drawn. Source it; then call need_picture_tools [extra-tool package]...
# Sets $convert to ImageMagick's convert.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

need() { command -v "$1" >/dev/null || { echo "render.sh: $1 is missing ($2)" >&2; exit 1; }; }

# rsvg-convert, ImageMagick, python3 and the fonts the sources name, then each extra
# "tool package" pair.
need_picture_tools() {
  need rsvg-convert "apt-get install librsvg2-bin"
  need "$convert" "apt-get install imagemagick"
  need python3 "apt-get install python3"
  while [ $# -ge 2 ]; do
    need "$1" "apt-get install $2"
    shift 2
  done
  local family
  for family in Lato "Open Sans"; do
    fc-list ":family=$family" family | grep -q . ||
      { echo "render.sh: font $family is missing (apt-get install fonts-lato fonts-open-sans)" >&2; exit 1; }
  done
}
