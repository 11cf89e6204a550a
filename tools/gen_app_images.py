#!/usr/bin/env python3
"""Writes the main window's pictures (resources/app/*.bmp, *.ico) from the drawings below.

Toolbar strips are 16 x 16 images side by side in the order of their toolbar resource:
a 24-bit strip on the magenta the image manager takes as transparent, and a 32-bit strip
with alpha for displays that blend. The program icon holds 32 x 32 and 16 x 16 images.
Run it again after changing a drawing; the files are kept in the tree."""
import os
import struct

CLEAR = None
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (212, 208, 200)
BLUE = (0, 70, 190)
SKY = (120, 170, 240)
GREEN = (0, 140, 40)
RED = (200, 20, 20)
YELLOW = (240, 200, 40)
BROWN = (150, 100, 30)


class Canvas:
    def __init__(self, size=16):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(max(y0, 0), min(y1, self.size - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.size - 1) + 1):
                self.px[y][x] = colour

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside is not None:
            self.fill(x0, y0, x1, y1, inside)
        self.fill(x0, y0, x1, y0, edge)
        self.fill(x0, y1, x1, y1, edge)
        self.fill(x0, y0, x0, y1, edge)
        self.fill(x1, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.fill(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps),
                      round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)


def page(c, x=3, y=1, w=10, h=14):
    c.box(x, y, x + w - 1, y + h - 1, BLACK, WHITE)
    for row in range(y + 4, y + h - 2, 2):
        c.fill(x + 2, row, x + w - 3, row, GREY)


def new_page():
    c = Canvas()
    page(c)
    c.fill(11, 0, 15, 4, CLEAR)
    c.line(11, 0, 15, 4, YELLOW)
    c.line(15, 0, 11, 4, YELLOW)
    c.fill(13, 1, 13, 3, YELLOW)
    return c


def folder(open_=True):
    c = Canvas()
    c.box(1, 4, 14, 13, BROWN, YELLOW)
    c.fill(1, 3, 6, 4, BROWN)
    if open_:
        c.fill(4, 7, 15, 7, BROWN)
        c.line(4, 7, 1, 13, BROWN)
    return c


def disk(c=None, x=1, y=1):
    c = c or Canvas()
    c.box(x, y, x + 13, y + 13, BLACK, BLUE)
    c.fill(x + 3, y + 1, x + 10, y + 5, WHITE)
    c.fill(x + 3, y + 9, x + 10, y + 13, LIGHT)
    c.fill(x + 8, y + 10, x + 9, y + 12, BLACK)
    return c


def disks():
    c = Canvas()
    disk(c, 2, 2)
    c.box(0, 0, 11, 11, BLACK, SKY)
    c.fill(3, 1, 8, 4, WHITE)
    return c


def scissors():
    c = Canvas()
    c.line(4, 1, 9, 10, BLACK)
    c.line(11, 1, 6, 10, BLACK)
    c.box(2, 10, 6, 14, BLUE)
    c.box(9, 10, 13, 14, BLUE)
    return c


def copy():
    c = Canvas()
    page(c, 1, 1, 8, 10)
    page(c, 6, 5, 9, 11)
    return c


def paste():
    c = Canvas()
    c.box(1, 2, 11, 14, BLACK, BROWN)
    c.fill(4, 1, 8, 3, GREY)
    page(c, 6, 6, 9, 10)
    return c


def arrow(back):
    c = Canvas()
    if back:
        c.line(12, 12, 12, 7, BLUE)
        c.line(12, 6, 4, 6, BLUE)
        for d in range(4):
            c.fill(4 + d, 6 - d, 4 + d, 6 + d, BLUE)
    else:
        c.line(3, 12, 3, 7, BLUE)
        c.line(3, 6, 11, 6, BLUE)
        for d in range(4):
            c.fill(11 - d, 6 - d, 11 - d, 6 + d, BLUE)
    return c


def combo_mark(colour):
    c = Canvas()
    c.box(1, 4, 14, 11, GREY, WHITE)
    c.fill(3, 7, 8, 8, colour)
    return c


def build():
    c = Canvas()
    page(c, 1, 1, 8, 12)
    c.fill(9, 9, 15, 11, GREEN)
    c.fill(11, 7, 13, 13, GREEN)
    return c


def unbuild():
    c = Canvas()
    page(c, 6, 1, 9, 13)
    c.line(1, 7, 5, 7, BLUE)
    c.line(1, 8, 5, 8, BLUE)
    for d in range(3):
        c.fill(1 + d, 7 - d, 1 + d, 8 + d, BLUE)
    return c


def stop():
    c = Canvas()
    c.box(2, 2, 13, 13, BLACK, RED)
    c.fill(5, 7, 10, 8, WHITE)
    return c


def lens(c=None, x=5, y=5):
    c = c or Canvas()
    c.box(x - 4, y - 4, x + 2, y + 2, BLACK, SKY)
    c.line(x + 2, y + 2, x + 8, y + 8, BLACK)
    c.line(x + 3, y + 2, x + 9, y + 8, BLACK)
    return c


def find_in_files():
    c = Canvas()
    page(c, 7, 1, 8, 11)
    lens(c, 5, 8)
    return c


def replace_in_files():
    c = find_in_files()
    c.fill(11, 12, 15, 15, GREEN)
    return c


def panes(which):
    c = Canvas()
    c.box(0, 1, 15, 14, BLACK, WHITE)
    c.fill(0, 1, 15, 3, BLUE)
    if which == "left":
        c.fill(1, 4, 5, 13, SKY)
    elif which == "tree":
        for y in (5, 8, 11):
            c.fill(3, y, 5, y + 1, GREEN)
            c.fill(7, y, 13, y, GREY)
    else:
        c.fill(1, 10, 14, 13, SKY)
    return c


def printer():
    c = Canvas()
    c.fill(4, 1, 11, 6, WHITE)
    c.box(4, 1, 11, 6, BLACK)
    c.box(1, 6, 14, 12, BLACK, LIGHT)
    c.fill(11, 8, 12, 8, GREEN)
    return c


def gear():
    c = Canvas()
    c.box(4, 4, 11, 11, BLACK, GREY)
    c.fill(6, 6, 9, 9, WHITE)
    for x, y in ((7, 1), (7, 12), (1, 7), (12, 7)):
        c.fill(x, y, x + 1, y + 2 if y in (1, 12) else y + 1, BLACK)
    return c


def script_icon(size):
    c = Canvas(size)
    s = size / 16.0
    c.box(int(2 * s), int(0 * s), int(13 * s), size - 1, BLACK, WHITE)
    for i, colour in enumerate((BLUE, GREEN, BLUE, RED, BLUE, GREY)):
        y = int((3 + 2 * i) * s)
        if y < size - 2:
            c.fill(int(4 * s), y, int((7 + (i * 3) % 5) * s), y + max(int(s) - 1, 0), colour)
    return c


def app_icon(size):
    c = Canvas(size)
    s = size / 16.0
    c.box(0, int(1 * s), size - 1, size - int(1 * s), BLACK, BLUE)
    c.fill(int(1 * s), int(3 * s), size - 2, size - int(2 * s), WHITE)
    # A "T" of the program's name on the page.
    c.fill(int(3 * s), int(5 * s), int(12 * s), int(6 * s), RED)
    c.fill(int(7 * s), int(5 * s), int(8 * s), int(12 * s), RED)
    return c


# Toolbar 128 ("Standard"): New, Open, Save, Save All, Cut, Copy, Paste, Undo, Redo,
# platform box, Compile, Decompile, Stop Build, find box, Find in Files.
STANDARD = [new_page(), folder(), disk(), disks(), scissors(), copy(), paste(), arrow(True), arrow(False),
            combo_mark(GREEN), build(), unbuild(), stop(), combo_mark(BLUE), find_in_files()]
# Toolbar 133 (menu icons): New Solution, Open Solution, Solution Explorer, Class View,
# Output, Print, Find, Replace, Replace in Files, Build Options.
MENU = [new_page(), folder(), panes("left"), panes("tree"), panes("bottom"), printer(), lens(), replace_in_files(),
        replace_in_files(), gear()]
# Toolbar 135 (the script windows' tabs): a script.
TABS = [script_icon(16)]

# The class view's tree (bitmap 140): root, class, instance, prototype, class member,
# variable or constant, script function, internal function.
PURPLE = (120, 40, 160)
TEAL = (0, 128, 128)


def symbol(kind):
    c = Canvas()
    if kind == "class":
        c.box(2, 3, 13, 12, BLACK, PURPLE)
        c.fill(4, 6, 11, 6, WHITE)
        c.fill(4, 9, 11, 9, WHITE)
    elif kind == "instance":
        for row in range(6):
            c.fill(7 - row, 2 + row, 8 + row, 2 + row, BLUE)
            c.fill(7 - row, 13 - row, 8 + row, 13 - row, BLUE)
    elif kind == "prototype":
        for row in range(6):
            c.fill(7 - row, 2 + row, 8 + row, 2 + row, TEAL)
            c.fill(7 - row, 13 - row, 8 + row, 13 - row, TEAL)
        c.fill(6, 6, 9, 9, WHITE)
    elif kind == "member":
        c.box(4, 5, 11, 10, BLACK, SKY)
    elif kind == "variable":
        c.box(3, 4, 12, 11, BLACK, GREEN)
    else:
        # Functions: a block with a tail; the engine's own in red.
        colour = RED if kind == "internal" else BROWN
        c.box(2, 5, 9, 12, BLACK, colour)
        c.fill(10, 8, 14, 9, colour)
    return c


CLASS_VIEW = [folder(False)] + [symbol(kind) for kind in
                                ("class", "instance", "prototype", "member", "variable", "function", "internal")]
# Bitmap 138 (the solution explorer's tree): solution, project, closed folder, open folder,
# script. Its top-left pixel is the mask colour.
def plain_page():
    c = Canvas()
    page(c)
    return c


EXPLORER = [panes("tree"), script_icon(16), folder(False), folder(True), plain_page()]

MAGENTA = (255, 0, 255)


def bmp(images, alpha):
    size = images[0].size
    width = size * len(images)
    bpp = 32 if alpha else 24
    stride = (width * bpp // 8 + 3) & ~3
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for c in images:
            for x in range(size):
                colour = c.px[y][x]
                if alpha:
                    row += bytes((0, 0, 0, 0)) if colour is None else bytes((colour[2], colour[1], colour[0], 255))
                else:
                    colour = colour or MAGENTA
                    row += bytes((colour[2], colour[1], colour[0]))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, size, 1, bpp, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels


def ico(canvases):
    entries = b""
    images = b""
    offset = 6 + 16 * len(canvases)
    for c in canvases:
        size = c.size
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((size + 31) // 32) * 4
        for y in range(size - 1, -1, -1):
            bits = bytearray(mask_stride)
            for x in range(size):
                colour = c.px[y][x]
                xor += bytes((0, 0, 0, 0)) if colour is None else bytes((colour[2], colour[1], colour[0], 255))
                if colour is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        data = header + bytes(xor) + bytes(mask)
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    return struct.pack("<HHH", 0, 1, len(canvases)) + entries + images


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "app")
    os.makedirs(here, exist_ok=True)
    files = {
        "Standard.bmp": bmp(STANDARD, False),
        "StandardAlpha.bmp": bmp(STANDARD, True),
        "MenuIcons.bmp": bmp(MENU, False),
        "MenuIconsAlpha.bmp": bmp(MENU, True),
        "Tabs.bmp": bmp(TABS, False),
        "ClassView.bmp": bmp(CLASS_VIEW, False),
        "Explorer.bmp": bmp(EXPLORER, False),
        "Tavrelin.ico": ico([app_icon(32), app_icon(16)]),
        "Script.ico": ico([script_icon(32), script_icon(16)]),
    }
    for name, data in files.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
