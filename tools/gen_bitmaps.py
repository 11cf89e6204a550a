#!/usr/bin/env python3
"""Writes the library's bitmaps (resources/bitmaps/*.bmp) from the pictures below.

A strip of 16 x 16 images side by side, 24 bits: '#' black, anything else the
magenta background the image manager takes as transparent (its top-left pixel).
Run it again after changing a picture; the .bmp files are kept in the tree."""
import os
import struct

BACKGROUND = (255, 0, 255)
INK = (0, 0, 0)

# Images of the child window's system commands: restore, minimize, maximize, close.
SYSTEM_COMMANDS = [
    [
        "",
        "",
        "     ########",
        "     ########",
        "     #      #",
        "  ########  #",
        "  ########  #",
        "  #      #  #",
        "  #      ####",
        "  #      #",
        "  #      #",
        "  ########",
    ],
    [""] * 11 + ["   ########", "   ########"],
    [
        "",
        "",
        "  ##########",
        "  ##########",
        "  #        #",
        "  #        #",
        "  #        #",
        "  #        #",
        "  #        #",
        "  #        #",
        "  #        #",
        "  ##########",
    ],
    [
        "",
        "",
        "",
        "   ##    ##",
        "    ##  ##",
        "     ####",
        "      ##",
        "     ####",
        "    ##  ##",
        "   ##    ##",
    ],
]


def write_strip(path, images, size=16):
    width = size * len(images)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = bytearray()
        for picture in images:
            line = picture[y] if y < len(picture) else ""
            for x in range(size):
                r, g, b = INK if x < len(line) and line[x] == "#" else BACKGROUND
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
    os.makedirs(here, exist_ok=True)
    write_strip(os.path.join(here, "system_commands.bmp"), SYSTEM_COMMANDS)


if __name__ == "__main__":
    main()
