#!/usr/bin/env python3
"""Writes the docking markers' artwork (resources/bitmaps/Marker*.bmp): the cross backdrop
(43 x 43) and three atlases of arrows and centres (120 x 109), one per colour scheme.

Pure green is transparent; the pieces use no pure black, because the markers' hit test
takes a black pixel as a miss. Where each piece lies is fixed by the drag context's table.
Run it again after changing a picture; the .bmp files are kept in the tree."""
import os

from gen_bitmaps import write_bmp

GREEN = (0, 255, 0)
BORDER = (64, 64, 64)
BACKDROP = (200, 200, 200)

# Fill, highlighted fill and arrow colour of each scheme.
SCHEMES = {
    "MarkerAtlas.bmp": ((236, 233, 216), (255, 238, 194), (49, 106, 197)),
    "MarkerAtlasOlive.bmp": ((236, 236, 220), (255, 238, 194), (110, 130, 60)),
    "MarkerAtlasSilver.bmp": ((232, 232, 240), (255, 238, 194), (110, 110, 140)),
}


def canvas(width, height):
    return [[GREEN] * width for _ in range(height)]


def box(img, left, top, right, bottom, fill):
    for y in range(top, bottom):
        for x in range(left, right):
            edge = x in (left, right - 1) or y in (top, bottom - 1)
            img[y][x] = BORDER if edge else fill


def arrow(img, left, top, right, bottom, direction, ink):
    """A solid triangle pointing to the side named, centred in the box."""
    cx, cy = (left + right) // 2, (top + bottom) // 2
    for i in range(6):
        for j in range(-i, i + 1):
            if direction == "up":
                img[cy - 3 + i][cx + j] = ink
            elif direction == "down":
                img[cy + 3 - i][cx + j] = ink
            elif direction == "left":
                img[cy + j][cx - 3 + i] = ink
            else:
                img[cy + j][cx + 3 - i] = ink


def centre(img, left, top, fill, ink):
    box(img, left, top, left + 33, top + 33, fill)
    box(img, left + 8, top + 8, left + 25, top + 25, ink)


def atlas(fill, hot, ink):
    img = canvas(120, 109)
    for dy, colour in ((0, fill), (76, hot)):
        box(img, 0, dy, 43, dy + 30, colour)
        arrow(img, 0, dy, 43, dy + 30, "up", ink)
        box(img, 43, dy, 86, dy + 30, colour)
        arrow(img, 43, dy, 86, dy + 30, "down", ink)
        centre(img, 86, dy, colour, ink)
    for left, direction, colour in ((0, "right", fill), (30, "left", fill), (60, "right", hot), (90, "left", hot)):
        box(img, left, 33, left + 30, 76, colour)
        arrow(img, left, 33, left + 30, 76, direction, ink)
    return img


def backdrop():
    img = canvas(43, 43)
    box(img, 0, 0, 43, 43, BACKDROP)
    return img


def write(path, img):
    height, width = len(img), len(img[0])
    rows = [b"".join(bytes((b, g, r)) for r, g, b in img[y]) for y in range(height - 1, -1, -1)]
    write_bmp(path, width, height, 24, rows)


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
    os.makedirs(here, exist_ok=True)
    write(os.path.join(here, "MarkerBackdrop.bmp"), backdrop())
    for name, colours in SCHEMES.items():
        write(os.path.join(here, name), atlas(*colours))


if __name__ == "__main__":
    main()
