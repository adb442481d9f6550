#!/usr/bin/env bash
# Renders the installer window's pictures from the SVG sources in src/ into this folder.
# The rendered files are committed, so neither the build nor CI runs this; run it by hand
# after editing a source, look at the results (and preview/), and commit both.
# Needs: librsvg2-bin (rsvg-convert), imagemagick, pngquant, optipng, jpegoptim, python3,
# fonts-lato, fonts-open-sans; for the previews also Wine's Tahoma (package fonts-wine), when
# it is there. The pictures are most of the stub's size, hence the quantising below.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
source "$here/../../scripts/lib/picture-tools.sh"
need_picture_tools pngquant pngquant optipng optipng jpegoptim jpegoptim

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PNG pictures are quantised to at most 256 colours with alpha (pngquant; the button looks
# differ from the full-colour render by at most 5 of 255 per channel), no time stamps, so
# that a render without changes leaves the committed files byte for byte as they were.
quantise() { pngquant --force --quality 90-100 --speed 1 --strip --output "$2" "$1"; }

# Button looks and the gauge background: palette PNG with transparency, which WIC reads.
png_palette() {
  quantise "$1" "$2"
  optipng -quiet -o7 "$2"
}

# The icon's image: an icon's PNG must be 32-bit RGBA, so the quantised colours are written
# back as 8-bit RGBA (colour type 6), which still deflates better than the full render.
png32() {
  quantise "$1" "$work/quantised.png"
  "$convert" "$work/quantised.png" -strip -define png:exclude-chunks=date,time "PNG32:$2"
  optipng -quiet -o7 -nc -nb "$2"
}

# JPEG pictures: baseline (not progressive), full-resolution colour so the orange edges and
# small type stay clean, no metadata. At quality 75 the covers stay near 39 dB PSNR against
# the render, and side by side with it, at 100 % and 200 %, type, orange edges and gradients
# look the same; quality 92 cost 80 KB more, a sixth of the stub.
jpeg() {
  "$convert" "$1" -strip -background white -alpha remove -alpha off -colorspace sRGB \
    -interlace none -sampling-factor 1x1 -quality 75 -define jpeg:optimize-coding=true "$2"
  jpegoptim --quiet --strip-all --all-normal "$2"
}

python3 "$src/facets.py" "$src/facets.svg"

rsvg-convert "$src/cover.svg" -o "$work/cover.png"
jpeg "$work/cover.png" "$here/BG.jpg"
rsvg-convert "$src/finish.svg" -o "$work/finish.png"
jpeg "$work/finish.png" "$here/BGfinish.jpg"

# One source per look; the Close looks are the Install looks with the label swapped.
for look in Normal Hover Active Disable; do
  source_svg=$src/button-${look,,}.svg
  rsvg-convert "$source_svg" -o "$work/install.png"
  png_palette "$work/install.png" "$here/bnInstall$look.png"
  sed 's/>INSTALUJ</>ZAMKNIJ</' "$source_svg" >"$work/close.svg"
  rsvg-convert "$work/close.svg" -o "$work/close.png"
  png_palette "$work/close.png" "$here/bnClose$look.png"
done

rsvg-convert "$src/gauge-bg.svg" -o "$work/gauge.png"
png_palette "$work/gauge.png" "$here/gaugeBG.png"

rsvg-convert -w 256 -h 256 "$src/icon.svg" -o "$work/icon.png"
png32 "$work/icon.png" "$here/instalator.png"
python3 "$src/png_to_ico.py" "$here/instalator.png" "$here/instalator.ico"

# Previews: the pictures with the window's controls drawn at their places, to judge the
# layout. librsvg reads pictures only beside the SVG, so everything is staged together.
cp "$here"/*.jpg "$here"/*.png "$here"/preview/*.svg "$work/"
if [ -f /usr/share/wine/fonts/tahoma.ttf ]; then
  cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><include ignore_missing="yes">/etc/fonts/fonts.conf</include>
<dir>/usr/share/wine/fonts</dir><cachedir>$work/fontcache</cachedir></fontconfig>
CONF
  export FONTCONFIG_FILE=$work/fonts.conf
fi
sheets=()
for state in ready installing finished; do
  rsvg-convert "$work/$state.svg" -o "$work/preview-$state.png"
  sheets+=("$work/preview-$state.png")
done
"$convert" "${sheets[@]}" +repage -background '#6b7079' -splice 0x8 -append +repage \
  -resize 50% -strip -interlace none -quality 82 "$here/preview/states.jpg"

echo "rendered into $here"
