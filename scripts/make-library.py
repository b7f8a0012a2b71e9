#!/usr/bin/env python3
"""Writes a palette library of the current format for the measuring scripts: 260-byte records,
each a named palette ("Palette 1", ...) with eight spread colors and the built-in box font.

make-library.py PATH COUNT"""
import struct
import sys

path, count = sys.argv[1], int(sys.argv[2])
font = struct.pack("<5i8B", -48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 0x22) + "Georgia".encode("utf-16-le").ljust(64, b"\0")
with open(path, "wb") as out:
    for i in range(count):
        name = f"Palette {i + 1}".encode("utf-16-le").ljust(128, b"\0")
        colors = struct.pack("<8I", *((i * 2654435761 + k * 40503) & 0xFFFFFF for k in range(8)))
        out.write(struct.pack("<2I", 0xEBAD0132, 0) + name + colors + font)
