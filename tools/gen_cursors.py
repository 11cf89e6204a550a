#!/usr/bin/env python3
"""Writes the library's cursors (resources/cursors/*.cur) from the pictures below.

Each picture is drawn at the top left of a 32 x 32 monochrome cursor: '#' black,
'.' white, anything else transparent; 'H' marks the hot spot (black).
Run it again after changing a picture; the .cur files are kept in the tree."""
import os
import struct
import sys

ARROW = [
    "H",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#....#####",
    "#..#..#",
    "#.# #..#",
    "##  #..#",
    "     #..#",
    "     #..#",
    "      ##",
]

def with_marker(marker):
    rows = ARROW + [""] * 2
    out = [r.ljust(10) for r in rows]
    for i, line in enumerate(marker):
        row = 10 + i
        while len(out) <= row:
            out.append(" " * 10)
        out[row] = out[row][:10].ljust(10) + line
    return out

BOX = ["#########", "#.......#", "#.......#", "#.......#", "#.......#", "#########"]
PLUS = ["#########", "#...#...#", "#...#...#", "#.#####.#", "#...#...#", "#...#...#", "#########"]
CROSS = ["#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"]

PICTURES = {
    "drag_move.cur": with_marker(BOX),
    "drag_copy.cur": with_marker(PLUS),
    "hand.cur": [
        "     H#",
        "     #..#",
        "     #..#",
        "     #..#",
        "     #..###",
        "     #..#..###",
        "     #..#..#..##",
        "  ## #..#..#..#.#",
        " #..##........#.#",
        " #...#..........#",
        "  #.............#",
        "   #............#",
        "   #...........#",
        "    #..........#",
        "     #........#",
        "     ##########",
    ],
    "no_drop.cur": [
        "     #####",
        "   ##.....##",
        "  #..#####..#",
        " #..#     #..#",
        " #.#.#      #.#",
        "#..#..#     #..#",
        "#.#  #.#     #.#",
        "#.#   #.H    #.#",
        "#.#    #.#   #.#",
        "#..#    #.# #..#",
        " #.#     #.#.#.#",
        " #..#     #..#",
        "  #..#####..#",
        "   ##.....##",
        "     #####",
    ],
    "drag_remove.cur": with_marker(CROSS),
    "split_horz.cur": [
        "      #.#.#",
        "      #.#.#",
        "   #  #.#.#  #",
        "  ##  #.#.#  ##",
        " #.####.#.####.#",
        "#.......H.......#",
        " #.####.#.####.#",
        "  ##  #.#.#  ##",
        "   #  #.#.#  #",
        "      #.#.#",
        "      #.#.#",
    ],
    "size_width.cur": [
        "    #       #",
        "   ##       ##",
        "  #.#########.#",
        " #......H......#",
        "  #.#########.#",
        "   ##       ##",
        "    #       #",
    ],
    "split_vert.cur": [
        "     #",
        "    #.#",
        "   #...#",
        "  ###.###",
        "    #.#",
        "#################",
        "........H........",
        "#################",
        "........#........",
        "#################",
        "    #.#",
        "  ###.###",
        "   #...#",
        "    #.#",
        "     #",
    ],
    # The button image editor's tools: pencil, fill, colour picker and the shapes' cross.
    "editor_pencil.cur": [
        "H",
        "#.#",
        "#..#",
        " #..#",
        "  #..#",
        "   #..#",
        "    #..#",
        "     #..#",
        "      #..#",
        "       #..#",
        "        #..#",
        "         #.#",
        "          #",
    ],
    "editor_fill.cur": [
        "H",
        "",
        "     ###",
        "    #...#",
        "   #.#...#",
        "  #..#....#",
        " #...#.....#",
        "  #..#....#.#",
        "   #.#...#..#",
        "    #...#...#",
        "     ###....#",
        "         #..#",
        "          ##",
    ],
    "editor_picker.cur": [
        "            ###",
        "           #####",
        "          ######",
        "        ########",
        "         #####",
        "        #.####",
        "       #...#",
        "      #...#",
        "     #...#",
        "    #...#",
        "   #...#",
        "  #...#",
        " #..#",
        "H.#",
        "##",
    ],
    "editor_cross.cur": [
        "       #",
        "       #",
        "       #",
        "       #",
        "       #",
        "",
        "",
        "#####  H  #####",
        "",
        "",
        "       #",
        "       #",
        "       #",
        "       #",
        "       #",
    ],
}


def cursor(picture):
    size = 32
    hot = (0, 0)
    xor = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    for y, line in enumerate(picture):
        for x, ch in enumerate(line):
            if ch in "#H":
                mask[y][x] = 0
            elif ch == ".":
                mask[y][x] = 0
                xor[y][x] = 1
            if ch == "H":
                hot = (x, y)

    def rows(bits):
        data = b""
        for row in reversed(bits):  # bottom-up
            for i in range(0, size, 8):
                byte = 0
                for b in row[i:i + 8]:
                    byte = byte << 1 | b
                data += bytes([byte])
        return data

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + rows(xor) + rows(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "cursors")
    os.makedirs(out, exist_ok=True)
    for name, picture in PICTURES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(cursor(picture))


if __name__ == "__main__":
    main()
