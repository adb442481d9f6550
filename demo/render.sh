#!/usr/bin/env bash
# Re-renders the demo package's pictures and item files from their sources: the item pictures,
# drawings (.dwx) and palettes (.PAL) from catalog/Dodatki.csv through src/draw_items.py, the
# textures with ImageMagick, the cover Wrzos.jpg from src/cover.svg. The results are committed,
# so neither the build nor CI runs this; run it by hand after editing a source and commit both.
# Needs: librsvg2-bin (rsvg-convert), imagemagick, python3, fonts-lato, fonts-open-sans.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets=$here/../ui/assets/src
package=$here/package
source "$here/../scripts/lib/picture-tools.sh"
need_picture_tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Baseline JPEG without metadata: what the installer's decoders and the host read.
jpeg() {
  "$convert" "$1" -strip -background white -alpha remove -alpha off -colorspace sRGB \
    -interlace none -sampling-factor "${3:-1x1}" -quality "${4:-90}" -define jpeg:optimize-coding=true "$2"
}

# Items: one picture, drawing and palette per catalog row.
python3 "$here/src/draw_items.py" "$here/catalog/Dodatki.csv" "$package/Wrzos" "$work"
for svg in "$work"/*.svg; do
  stem=$(basename "$svg" .svg)
  rsvg-convert "$svg" -o "$work/$stem.png"
  jpeg "$work/$stem.png" "$package/Wrzos/$stem.jpg" 2x2 88
done

# Textures, 256 x 256, drawn from fixed seeds so a new render changes nothing.
tex=$package/Wrzos/tekstury
mkdir -p "$tex"
grain() {  # <name> <light> <dark> <seed>
  "$convert" -size 256x256 -seed "$4" plasma:"$2"-"$3" -attenuate 3 +noise Gaussian \
    -virtual-pixel tile -motion-blur 0x40+90 \
    -colorspace Gray -auto-level +level-colors "$3","$2" "$work/$1.png"
  jpeg "$work/$1.png" "$tex/$1.jpg" 2x2 85
}
speckle() {  # <name> <colour> <seed> <spread>
  "$convert" -size 256x256 xc:"$2" -seed "$3" -attenuate "$4" +noise Gaussian -blur 0x0.6 "$work/$1.png"
  jpeg "$work/$1.png" "$tex/$1.jpg" 2x2 85
}
grain "dąb_naturalny" "#d8b48a" "#a77a4c" 11
grain "orzech_włoski" "#8c6244" "#4f3120" 12
grain "jesion_szary" "#c9c6c0" "#8e8a84" 13
speckle "kamień_szary" "#8e908f" 21 1.2
speckle "beton_jasny" "#c4c1bb" 22 0.8
speckle "grafit_mat" "#4d5157" 23 0.3
"$convert" -size 256x256 gradient:"#ffffff"-"#e7e8ea" -seed 31 -attenuate 0.15 +noise Gaussian "$work/gloss.png"
jpeg "$work/gloss.png" "$tex/biały_połysk.jpg" 2x2 85
"$convert" -size 256x256 pattern:crosshatch -blur 0x0.4 +level-colors "#8f877c","#d9d1c4" -seed 41 \
  -attenuate 0.4 +noise Gaussian "$work/linen.png"
jpeg "$work/linen.png" "$tex/tkanina_lniana.jpg" 2x2 85

# Cover: the window's own backdrop pieces with the arc in heather colours, and four items.
cp "$assets/facets.svg" "$work/"
sed -e 's/#fbb040/#c99ad9/g; s/#f7941d/#9b59b6/g; s/#ee7212/#7d3c98/g' \
    -e 's/#fdd29a/#e6cdef/g; s/#f9b266/#c996dc/g' "$assets/arc.svg" >"$work/arc-heather.svg"
cp "$here/src/cover.svg" "$work/"
rsvg-convert "$work/cover.svg" -o "$work/cover.png"
jpeg "$work/cover.png" "$package/Wrzos.jpg" 1x1 92
echo "render.sh: pictures written below $package"
