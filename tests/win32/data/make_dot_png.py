#!/usr/bin/python3
"""Writes dot.png: a 2x2 RGBA picture (red, green / blue, transparent), the picture
the resource tests embed."""
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


rows = b"\x00" + bytes([255, 0, 0, 255, 0, 255, 0, 255]) + b"\x00" + bytes([0, 0, 255, 255, 0, 0, 0, 0])
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 6, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
with open(sys.argv[1] if len(sys.argv) > 1 else "dot.png", "wb") as out:
    out.write(png)
