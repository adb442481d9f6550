#!/usr/bin/env python3
# Wraps square PNG images (16 to 256 px, 32-bit RGBA) into one .ico file whose images are those
# PNGs byte for byte: the form Windows Vista and later read at every size (a directory width
# or height of 0 means 256). Explorer, the task bar and the title bar each take the size they
# draw, instead of scaling the large one down. Usage: png_to_ico.py out.ico icon-16.png ...
import struct
import sys


def image(png_path):
    data = open(png_path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("%s: not a PNG file" % png_path)
    width, height = struct.unpack(">II", data[16:24])
    if width != height or not 16 <= width <= 256:
        sys.exit("%s: an icon image must be square, 16 to 256 px, is %d x %d" % (png_path, width, height))
    return width, data


def main(ico_path, png_paths):
    images = sorted((image(p) for p in png_paths), key=lambda i: i[0])
    header = struct.pack("<HHH", 0, 1, len(images))  # reserved, type icon, image count
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for width, data in images:
        side = 0 if width == 256 else width
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        bodies += data
        offset += len(data)
    with open(ico_path, "wb") as out:
        out.write(header + entries + bodies)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: png_to_ico.py out.ico icon-16.png [icon-32.png ...]")
    main(sys.argv[1], sys.argv[2:])
