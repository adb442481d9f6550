#!/usr/bin/env python3
# Wraps one 256 x 256 PNG into an .ico file whose single image is that PNG, byte for byte:
# the form Windows Vista and later read for large icons (directory width and height 0 mean
# 256). Usage: png_to_ico.py icon.png out.ico
import struct
import sys


def main(png_path, ico_path):
    data = open(png_path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("%s: not a PNG file" % png_path)
    width, height = struct.unpack(">II", data[16:24])
    if (width, height) != (256, 256):
        sys.exit("%s: icon must be 256 x 256, is %d x %d" % (png_path, width, height))
    header = struct.pack("<HHH", 0, 1, 1)                      # reserved, type icon, one image
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(data), 6 + 16)
    with open(ico_path, "wb") as out:
        out.write(header + entry + data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: png_to_ico.py icon.png out.ico")
    main(sys.argv[1], sys.argv[2])
