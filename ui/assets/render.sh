#!/usr/bin/env bash
# Renders the installer window's pictures from the SVG sources in src/ into this folder.
# The rendered files are committed, so neither the build nor CI runs this; run it by hand
# after editing a source, look at the results (and preview/), and commit both.
# Needs: librsvg2-bin (rsvg-convert), imagemagick, pngquant, optipng, zopfli, jpegoptim, python3,
# fonts-lato, fonts-open-sans; for the previews also Wine's Tahoma (package fonts-wine), when
# it is there. The pictures are most of the stub's size, hence the quantising below.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
source "$here/../../scripts/lib/picture-tools.sh"
need_picture_tools pngquant pngquant optipng optipng zopfli zopfli jpegoptim jpegoptim

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PNG pictures are quantised to at most 256 colours with alpha (pngquant), no time stamps, so
# that a render without changes leaves the committed files byte for byte as they were. Without
# dithering: on these smooth gradients it only added noise (the icon: 11 KB instead of 16 and
# closer to the full-colour render, 49.1 dB PSNR against 48.2).
quantise() { pngquant --force --nofs --quality 90-100 --speed 1 --strip --output "$2" "$1"; }

# Button looks and the gauge background: palette PNG with transparency, which WIC reads.
# optipng picks the row filters, zopfli deflates those rows again (same pixels, 8 % smaller).
png_palette() {
  quantise "$1" "$2"
  optipng -quiet -o7 "$2"
  python3 "$src/png_zopfli.py" "$2"
}

# The icon's image: an icon's PNG must be 32-bit RGBA, so the quantised colours are written
# back as 8-bit RGBA (colour type 6), which still deflates better than the full render.
png32() {
  quantise "$1" "$work/quantised.png"
  "$convert" "$work/quantised.png" -strip -define png:exclude-chunks=date,time "PNG32:$2"
  optipng -quiet -o7 -nc -nb "$2"
  python3 "$src/png_zopfli.py" "$2"
}

# JPEG pictures: baseline (not progressive), colour at half the horizontal resolution (4:2:2;
# 4:2:0 paled the small orange type), quality 72, no metadata. Side by side with the
# full-colour render at 100 %, 200 % and 300 %, type, orange edges, arcs and facets look the
# same (about 36 dB PSNR for the cover, 38.6 for the finish picture); full colour at quality 75
# cost 16 KB more.
jpeg() {
  "$convert" "$1" -strip -background white -alpha remove -alpha off -colorspace sRGB \
    -interlace none -sampling-factor 2x1 -quality 72 -define jpeg:optimize-coding=true "$2"
  jpegoptim --quiet --strip-all --all-normal "$2"
}

python3 "$src/facets.py" "$src/facets.svg"

rsvg-convert "$src/cover.svg" -o "$work/cover.png"
jpeg "$work/cover.png" "$here/BG.jpg"
rsvg-convert "$src/finish.svg" -o "$work/finish.png"
jpeg "$work/finish.png" "$here/BGfinish.jpg"

# The eight button looks in one picture, stacked top to bottom in the order the window cuts
# them (ui/form1_design.cpp): Install Normal, Hover, Active, Disable, then Close in the same
# order. One source per look; the Close looks are the Install looks with the label swapped.
# Stored together the looks share one palette and deflate finds each shape again in the next
# (6.6 KB against 16 KB as eight files); the largest error against the full-colour render is
# a few corner pixels of the faint shadow (22 of 255 at alpha 43), the mean 0.4.
looks=()
for label in INSTALUJ ZAMKNIJ; do
  for look in normal hover active disable; do
    sed "s/>INSTALUJ</>$label</" "$src/button-$look.svg" >"$work/look.svg"
    rsvg-convert "$work/look.svg" -o "$work/$label-$look.png"
    looks+=("$work/$label-$look.png")
  done
done
"$convert" "${looks[@]}" -append "PNG32:$work/looks.png"
png_palette "$work/looks.png" "$here/buttonLooks.png"

rsvg-convert "$src/gauge-bg.svg" -o "$work/gauge.png"
png_palette "$work/gauge.png" "$here/gaugeBG.png"

# The icon at the sizes Windows draws (title bar, Explorer's lists, task bar, large views),
# each rendered from the source rather than scaled down from 256; 256 is also kept as a PNG.
icon_images=()
for size in 16 24 32 48; do
  rsvg-convert -w "$size" -h "$size" "$src/icon.svg" -o "$work/icon-$size-full.png"
  png32 "$work/icon-$size-full.png" "$work/icon-$size.png"
  icon_images+=("$work/icon-$size.png")
done
rsvg-convert -w 256 -h 256 "$src/icon.svg" -o "$work/icon.png"
png32 "$work/icon.png" "$here/instalator.png"
python3 "$src/png_to_ico.py" "$here/instalator.ico" "${icon_images[@]}" "$here/instalator.png"

# Previews: the pictures with the window's controls drawn at their places, to judge the
# layout. librsvg reads pictures only beside the SVG, so everything is staged together.
cp "$here"/*.jpg "$here"/*.png "$here"/preview/*.svg "$work/"
i=0
for name in bnInstallNormal bnInstallHover bnInstallActive bnInstallDisable \
            bnCloseNormal bnCloseHover bnCloseActive bnCloseDisable; do
  "$convert" "$here/buttonLooks.png" -crop "151x50+0+$((i * 50))" +repage "$work/$name.png"
  i=$((i + 1))
done
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
