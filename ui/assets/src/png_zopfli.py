#!/usr/bin/env python3
# Deflates a PNG's image data again with zopfli, in place: the same filtered rows, so the same
# pixels, colour type and chunks, only smaller (about 7 % below optipng -o7 on the icon and
# the button looks). The file is left as it was when zopfli does not make it smaller.
# Usage: png_zopfli.py picture.png ...
import os
import struct
import subprocess
import sys
import tempfile
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data):
    pos = len(PNG_SIGNATURE)
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        yield data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def recompressed(data):
    if data[:8] != PNG_SIGNATURE:
        raise SystemExit("png_zopfli.py: not a PNG file")
    parts = list(chunks(data))
    rows = zlib.decompress(b"".join(body for kind, body in parts if kind == b"IDAT"))
    with tempfile.TemporaryDirectory() as work:  # zopfli reads a file, not a pipe
        rows_path = os.path.join(work, "rows")
        with open(rows_path, "wb") as f:
            f.write(rows)
        deflated = subprocess.run(["zopfli", "--zlib", "--i100", "-c", rows_path],
                                  stdout=subprocess.PIPE, check=True).stdout
    if zlib.decompress(deflated) != rows:
        raise SystemExit("png_zopfli.py: zopfli's stream does not inflate to the same rows")
    out, written = PNG_SIGNATURE, False
    for kind, body in parts:
        if kind == b"IDAT":
            if written:
                continue
            body, written = deflated, True
        out += chunk(kind, body)
    return out if len(out) < len(data) else data


for path in sys.argv[1:]:
    with open(path, "rb") as f:
        original = f.read()
    smaller = recompressed(original)
    if smaller != original:
        with open(path, "wb") as f:
            f.write(smaller)
