#!/usr/bin/env python3
"""Draws the demo library's items from its catalog: for every row of Dodatki.csv a picture
(an SVG, rendered to the item's JPEG by render.sh), a drawing file (.dwx) and a palette file
(.PAL), all from the same front layout, so the three always agree with the catalog's
dimensions and colours.

usage: draw_items.py CATALOG.csv PACKAGE_FOLDER SVG_FOLDER
"""
import csv
import os
import sys

# Colour of each finish named in the catalog's Kolor column.
FINISHES = {
    "Dąb naturalny": "#c9a072",
    "Biały mat": "#efede8",
    "Biały połysk": "#f8f8f6",
    "Grafit mat": "#4d5157",
    "Orzech": "#7a5236",
    "Kamień szary": "#8e908f",
    "Aluminium": "#b9bdc1",
}
HANDLE = "#2c2d30"
PLINTH = "#3b3d41"
GLASS = "#cfe3ea"
MIRROR = "#dfe9ee"

# Front layout of each item: rows from the top, each a share of the front's height and the
# kinds of its cells from left to right. Items drawn by a function of their own are absent.
LAYOUTS = {
    "SD40": [(1, ["door"])],
    "SD60": [(0.22, ["drawer"]), (0.78, ["door"])],
    "SD80": [(1, ["door", "door"])],
    "SDZ80": [(1, ["door", "door"])],
    "SDN90": [(1, ["door", "door"])],
    "SDS60": [(0.25, ["drawer"]), (0.3, ["drawer"]), (0.45, ["drawer"])],
    "SG40": [(1, ["door"])],
    "SG60": [(1, ["door"])],
    "SG80": [(1, ["door", "door"])],
    "SGO60": [(1, ["flap"])],
    "SGW60": [(1, ["glass"])],
    "SL60L": [(0.18, ["flap"]), (0.82, ["door"])],
    "SL60P": [(0.3, ["door"]), (0.5, ["oven"]), (0.2, ["drawer"])],
    "SL30C": [(1, ["door"])],
    "LU60": [(1, ["drawer"])],
    "LU80": [(0.5, ["drawer"]), (0.5, ["drawer"])],
    "LS35": [(0.68, ["door"]), (0.32, ["door"])],
    "LW40": [(1, ["mirror"])],
    "KM150": [(1, ["door", "door", "door"])],
    "RG80": [(0.2, ["open"]), (0.2, ["open"]), (0.2, ["open"]), (0.2, ["open"]), (0.2, ["open"])],
    "RTV160": [(1, ["flap", "open", "flap"])],
    "WT90": [(0.6, ["glass", "glass"]), (0.4, ["door", "door"])],
    "PW120": [(1, ["flap"])],
    "SZ100": [(1, ["door", "door"])],
    "SZP200": [(1, ["slide", "slide"])],
    "KD80": [(0.25, ["drawer"])] * 4,
    "SN45": [(0.4, ["drawer"]), (0.6, ["open"])],
    "SB80": [(0.5, ["flap"]), (0.5, ["flap"])],
    "LW100": [(1, ["flap"])],
}
PLINTH_MM = 100
GAP_MM = 3
CANVAS_W, CANVAS_H, MARGIN = 240, 180, 16


def shade(colour, factor):
    """The colour darkened (factor < 1) or lightened (factor > 1)."""
    r, g, b = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
    if factor < 1:
        r, g, b = (int(c * factor) for c in (r, g, b))
    else:
        r, g, b = (int(c + (255 - c) * (factor - 1)) for c in (r, g, b))
    return "#%02x%02x%02x" % (r, g, b)


class Drawing:
    """One item in millimetres, drawn as an SVG front view with an oblique top and side, and
    recorded as the lines of its .dwx file."""

    def __init__(self, row):
        self.row = row
        self.x, self.y, self.z = (int(row[k]) for k in ("wymiar X", "wymiar Y", "wymiar Z"))
        self.colour = FINISHES.get(row["Kolor"], "#c0c0c0")
        # Depth drawn at half scale, receding up and to the right.
        self.dx, self.dy = self.y * 0.35, self.y * 0.22
        width_mm, height_mm = self.x + self.dx, self.z + self.dy
        self.scale = min((CANVAS_W - 2 * MARGIN) / width_mm, (CANVAS_H - 2 * MARGIN) / height_mm)
        self.ox = (CANVAS_W - width_mm * self.scale) / 2
        self.oy = CANVAS_H - (CANVAS_H - height_mm * self.scale) / 2
        self.svg = []
        self.dwx = []

    def px(self, x, z):
        """Screen point of a front-plane point (x from the left, z up from the floor)."""
        return self.ox + x * self.scale, self.oy - z * self.scale

    def rect(self, kind, x, z, w, h, fill, stroke=None, rx=0.0, opacity=1.0):
        left, top = self.px(x, z + h)
        stroke = stroke or shade(fill, 0.72)
        self.svg.append(
            '<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="%.1f" fill="%s" '
            'fill-opacity="%.2f" stroke="%s" stroke-width="0.8"/>'
            % (left, top, w * self.scale, h * self.scale, rx, fill, opacity, stroke))
        self.dwx.append("RECT %s %d %d %d %d" % (kind, x, z, w, h))

    def box(self, x, z, w, h, fill):
        """A block with its top and right side in oblique view, then its front."""
        dx, dy = self.dx * self.scale, self.dy * self.scale
        (x0, y0), (x1, y1) = self.px(x, z + h), self.px(x + w, z)
        top = [(x0, y0), (x0 + dx, y0 - dy), (x1 + dx, y0 - dy), (x1, y0)]
        side = [(x1, y0), (x1 + dx, y0 - dy), (x1 + dx, y1 - dy), (x1, y1)]
        for points, factor in ((top, 1.18), (side, 0.78)):
            self.svg.append('<polygon points="%s" fill="%s" stroke="%s" stroke-width="0.8"/>' % (
                " ".join("%.1f,%.1f" % p for p in points), shade(fill, factor), shade(fill, 0.6)))
        self.rect("korpus", x, z, w, h, fill)
        self.dwx.pop()  # the block is recorded whole, with its depth
        self.dwx.append("BOX korpus %d %d %d %d %d" % (x, z, w, self.y, h))

    def handle(self, cx, z, horizontal=True):
        s = self.scale
        length = min(128, self.x * 0.3)
        if horizontal:
            left, top = self.px(cx - length / 2, z + 8)
            w, h = length * s, max(1.6, 16 * s)
        else:
            left, top = self.px(cx - 8, z + length / 2)
            w, h = max(1.6, 16 * s), length * s
        self.svg.append('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="0.8" fill="%s"/>' % (
            left, top, w, h, HANDLE))
        self.dwx.append("HANDLE %d %d %s" % (cx, z, "H" if horizontal else "V"))

    def cell(self, kind, x, z, w, h, door_index, doors):
        g = GAP_MM
        x, z, w, h = x + g, z + g, w - 2 * g, h - 2 * g
        front = shade(self.colour, 1.06)
        if kind == "door":
            self.rect("drzwi", x, z, w, h, front)
            hinge_left = door_index % 2 == 1 or doors == 1
            self.handle(x + (w - 40 if hinge_left else 40), z + h * (0.85 if self.z < 1000 else 0.5), False)
        elif kind in ("drawer", "flap"):
            self.rect("szuflada" if kind == "drawer" else "klapa", x, z, w, h, front)
            self.handle(x + w / 2, z + h - min(60, h * 0.3))
        elif kind == "glass":
            self.rect("drzwi", x, z, w, h, front)
            frame = min(60, w * 0.15)
            self.rect("szyba", x + frame, z + frame, w - 2 * frame, h - 2 * frame, GLASS, opacity=0.9)
            self.handle(x + w - 40, z + h * 0.5, False)
        elif kind == "mirror":
            self.rect("lustro", x, z, w, h, MIRROR, stroke="#9aa6ad")
            self.reflection(x, z, w, h)
        elif kind == "open":
            self.rect("wneka", x, z, w, h, shade(self.colour, 0.62))
            self.rect("polka", x, z, w, 18, shade(self.colour, 1.1))
        elif kind == "oven":
            self.rect("piekarnik", x, z, w, h, "#27292c", stroke="#111214")
            self.rect("szyba", x + w * 0.12, z + h * 0.15, w * 0.76, h * 0.55, "#3f464d")
            self.handle(x + w / 2, z + h * 0.85)
        elif kind == "slide":
            self.rect("drzwi", x, z, w, h, front)
            self.rect("listwa", x + w / 2 - 6, z, 12, h, "#a9adb1")

    def reflection(self, x, z, w, h):
        (x0, y0), (x1, y1) = self.px(x, z + h), self.px(x + w, z)
        self.svg.append('<polygon points="%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f" fill="#ffffff" fill-opacity="0.55"/>' % (
            x0 + (x1 - x0) * 0.15, y1, x0 + (x1 - x0) * 0.45, y0, x0 + (x1 - x0) * 0.6, y0, x0 + (x1 - x0) * 0.3, y1))

    def cabinet(self, layout):
        floor = PLINTH_MM if int(self.row["Wysokosc"]) == 0 and self.z >= 300 and self.z < 2300 else 0
        if floor:
            self.rect("cokol", 30, 0, self.x - 60, floor, PLINTH)
        self.box(0, floor, self.x, self.z - floor, self.colour)
        top = self.z
        for share, kinds in layout:
            h = (self.z - floor) * share
            w = self.x / len(kinds)
            doors = sum(1 for k in kinds if k == "door")
            for i, kind in enumerate(kinds):
                self.cell(kind, i * w, top - h, w, h, i, doors)
            top -= h

    def countertop(self):
        self.box(0, 0, self.x, self.z, self.colour)
        for i in range(1, 6):
            left, y = self.px(self.x * i / 6, self.z * 0.5)
            self.svg.append('<line x1="%.1f" y1="%.1f" x2="%.1f" y2="%.1f" stroke="%s" stroke-width="0.6"/>' % (
                left - 12, y, left + 12, y, shade(self.colour, 0.8)))

    def table(self):
        leg, slab = 50, 40
        for x in (40, self.x - 40 - leg):
            self.rect("noga", x, 0, leg, self.z - slab, shade(self.colour, 0.85))
        self.rect("polka", 40, 90, self.x - 80, 24, shade(self.colour, 0.95))
        self.box(0, self.z - slab, self.x, slab, self.colour)

    def bed(self):
        # The headboard stands at the back: drawn first, shifted by the full depth.
        ox, oy = self.ox, self.oy
        self.ox, self.oy = ox + self.dx * self.scale, oy - self.dy * self.scale
        self.rect("zaglowek", 0, 180, self.x, self.z - 180, shade(self.colour, 1.1), rx=3)
        self.rect("tapicerka", 60, 450, self.x - 120, self.z - 520, "#8a8d91", rx=3)
        self.ox, self.oy = ox, oy
        for x in (40, self.x - 90):
            self.rect("noga", x, 0, 50, 180, PLINTH)
        self.box(0, 180, self.x, 220, self.colour)
        self.rect("materac", 30, 400, self.x - 60, 160, "#eceae4", rx=4)

    def led_mirror(self):
        self.rect("rama", 0, 0, self.x, self.z, self.colour, rx=6)
        self.rect("lustro", 25, 25, self.x - 50, self.z - 50, MIRROR, stroke="#ffffff", rx=4)
        self.reflection(25, 25, self.x - 50, self.z - 50)

    def coat_rack(self):
        self.box(0, 0, self.x, self.z, self.colour)
        self.rect("polka", 0, self.z - 40, self.x, 40, shade(self.colour, 1.12))
        for i in range(5):
            cx, cy = self.px(self.x * (i + 1) / 6, self.z * 0.6)
            self.svg.append('<circle cx="%.1f" cy="%.1f" r="%.1f" fill="%s"/>' % (cx, cy, max(1.5, 22 * self.scale), HANDLE))
            self.dwx.append("HOOK %d %d" % (self.x * (i + 1) / 6, self.z * 0.6))

    def dressing_table(self):
        low = 760
        for x in (0, self.x - 40):
            self.rect("noga", x, 0, 40, low - 160, shade(self.colour, 0.85))
        self.box(0, low - 160, self.x, 160, self.colour)
        self.cell("drawer", 0, low - 160, self.x, 160, 0, 0)
        self.rect("lustro", self.x * 0.2, low + 40, self.x * 0.6, self.z - low - 60, MIRROR, stroke="#9aa6ad", rx=8)
        self.reflection(self.x * 0.2, low + 40, self.x * 0.6, self.z - low - 60)

    def bench(self):
        self.box(0, 0, self.x, self.z - 90, self.colour)
        self.cell("flap", 0, 0, self.x, self.z - 90, 0, 0)
        self.rect("poduszka", 10, self.z - 90, self.x - 20, 90, "#55585d", rx=6)

    def draw(self):
        stem = self.row["JPG"][:-4]
        special = {"BL180": self.countertop, "BL240": self.countertop, "ST110": self.table,
                   "LZ160": self.bed, "LL80": self.led_mirror, "GW90": self.coat_rack,
                   "TL100": self.dressing_table}
        if stem == "LW100":
            self.bench()
        elif stem in special:
            special[stem]()
        else:
            self.cabinet(LAYOUTS[stem])
        floor_y = self.oy + 2
        shadow = ('<ellipse cx="%.1f" cy="%.1f" rx="%.1f" ry="4" fill="#000000" fill-opacity="0.10"/>'
                  % (CANVAS_W / 2, floor_y, self.x * self.scale * 0.55))
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">\n'
                '<defs><linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">'
                '<stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#eef0f2"/>'
                '</linearGradient></defs>\n<rect width="100%%" height="100%%" fill="url(#bg)"/>\n%s\n%s\n</svg>\n'
                % (CANVAS_W, CANVAS_H, shadow, "\n".join(self.svg)))


def write_crlf(path, lines):
    with open(path, "w", encoding="utf-8", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    catalog, package, svg_folder = sys.argv[1:4]
    os.makedirs(svg_folder, exist_ok=True)
    with open(catalog, encoding="utf-8", newline="") as f:
        rows = list(csv.DictReader(f))
    for row in rows:
        stem = row["JPG"][:-4]
        drawing = Drawing(row)
        with open(os.path.join(svg_folder, stem + ".svg"), "w", encoding="utf-8") as out:
            out.write(drawing.draw())
        write_crlf(os.path.join(package, row["DWG"]), [
            "DWX 1.0",
            "; %s %s - %s" % (row["Producent"], row["Kod_Producenta"], row["Nazwa"]),
            "UNITS mm",
            "SIZE %s %s %s" % (row["wymiar X"], row["wymiar Y"], row["wymiar Z"]),
            "ELEVATION %s" % row["Wysokosc"],
            "; x z szerokość wysokość, od lewego dolnego rogu frontu",
        ] + drawing.dwx + ["END"])
        front = shade(drawing.colour, 1.06)
        write_crlf(os.path.join(package, stem + ".PAL"), [
            "PAL 1.0",
            "; %s %s - kolory materiałów" % (row["Producent"], row["Kod_Producenta"]),
            "korpus %s %s" % (drawing.colour[1:].upper(), row["Kolor"]),
            "front %s %s" % (front[1:].upper(), row["Kolor"]),
            "uchwyt %s Czarny mat" % HANDLE[1:].upper(),
            "cokol %s Grafit" % PLINTH[1:].upper(),
            "szyba %s Szkło" % GLASS[1:].upper(),
        ])
    print("%d items drawn" % len(rows))


if __name__ == "__main__":
    main()
