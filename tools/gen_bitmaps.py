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


def write_bmp(path, width, height, depth, rows):
    """A bottom-up .bmp file of the rows given (each padded to whole DWORDs here)."""
    stride = (width * depth // 8 + 3) & ~3
    pixels = b"".join(row + b"\0" * (stride - len(row)) for row in rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, depth, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


def strip_rows(images, size, pixel):
    """The rows of pictures side by side, bottom-up; pixel(ch) gives the bytes of one character
    (None past the end of a line)."""
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for picture in images:
            line = picture[y] if y < len(picture) else ""
            for x in range(size):
                row += pixel(line[x] if x < len(line) else None)
        rows.append(bytes(row))
    return rows


def write_strip(path, images, size=16):
    def pixel(ch):
        r, g, b = INK if ch == "#" else BACKGROUND
        return bytes((b, g, r))

    write_bmp(path, size * len(images), size, 24, strip_rows(images, size, pixel))


# The button image editor's buttons, in the order of its toolbars: pencil, fill, undo, redo,
# colour picker, line, copy, paste, rectangle, ellipse, clear, import; then move left, down, up,
# right. Colours: '#' black, 'w' white, 'g' grey, 'r' red, 'b' blue, 'y' yellow, 'o' brown;
# anything else is the background.
EDITOR_COLORS = {"#": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128), "r": (200, 0, 0),
                 "b": (0, 64, 200), "y": (255, 210, 0), "o": (150, 90, 30)}
EDITOR_TOOLS = [
    ["", "            ##", "           #rr#", "          #rr#", "         #yy#", "        #yy#", "       #yy#",
     "      #yy#", "     #yy#", "    #yy#", "   #oo#", "   #o#", "  ###", "  ##"],
    ["", "      #", "     #w#", "    #www#", "   #wwwww#", "  #wwwwwww#", " #bbwwwwww#b", "  #bbbbbb#bb",
     "   #bbbb# bb", "    #bb#  bb", "     ##   bb", "           b"],
    ["", "", "     #", "    ##", "   #b######", "  #bbbbbbbb#", "   #b#####b#", "    ##    #b#",
     "     #     #b#", "           #b#", "          #b#", "         ##"],
    ["", "", "          #", "          ##", "   ######b#", "  #bbbbbbbb#", "  #b#####b#", " #b#    ##",
     "#b#     #", "#b#", " #b#", "  ##"],
    ["", "           ###", "          #####", "        #######", "         ####", "        #w##", "       #w#",
     "      #w#", "     #w#", "    #w#", "   #w#", "  #w#", "  ##"],
    ["", "", " #", "  #", "   #", "    #", "     #", "      #", "       #", "        #", "         #", "          #",
     "           #", "            #"],
    ["", " ######", " #wwww##", " #w##w#w#", " #wwww######", " #w##w#wwww##", " #wwww#w##w#w#",
     " #w##w#wwww####", " #wwww#w##www#", " ######wwwwww#", "      #w####w#", "      #wwwwww#", "      ########"],
    ["", "    ####", " ###w##w###", " #oo####oo#", " #oooooooo#", " #ooo######", " #ooo#wwww##",
     " #ooo#w##w#w#", " #ooo#wwww####", " #ooo#w##www#", " #ooo#wwwwww#", " #####w####w#", "     #wwwwww#",
     "     ########"],
    ["", "", "", " ############", " #          #", " #          #", " #          #", " #          #",
     " #          #", " #          #", " #          #", " ############"],
    ["", "", "", "     ####", "   ##    ##", "  #        #", " #          #", " #          #", " #          #",
     "  #        #", "   ##    ##", "     ####"],
    ["", "", "  #       #", "   #     #", "    #   #", "     # #", "      #", "     # #", "    #   #",
     "   #     #", "  #       #"],
    ["", "", " ####", "#yyyy#", "#yyyyy########", "#yyyyyyyyyyyy#", "#yyy#########", "#yy#ooooooooo#",
     "#y#ooooooooo#", "##ooooooooo#", "#ooooooooo#", "##########"],
    ["", "", "", "", "      #", "     ##", "    ###########", "   ############", "    ###########", "     ##",
     "      #"],
    ["", "", "      ###", "      ###", "      ###", "      ###", "      ###", "   #########", "    #######",
     "     #####", "      ###", "       #"],
    ["", "", "       #", "      ###", "     #####", "    #######", "   #########", "      ###", "      ###",
     "      ###", "      ###", "      ###"],
    ["", "", "", "", "         #", "         ##", " ###########", " ############", " ###########",
     "         ##", "         #"],
]


# The pictures "Change Button Image" offers (bitmap 9322): ten 16 x 16 pictures in the editor's
# colours on magenta, which is their mask: a heart, a star, a face, an arrow, a check mark, a flag,
# a bell, a key, a letter and a lamp.
BUTTON_PICTURES = [
    ["", "", "  ###   ###", " #rrr# #rrr#", "#rrrrr#rrrrr#", "#rrrrrrrrrrr#", "#rrrrrrrrrrr#", " #rrrrrrrrr#",
     "  #rrrrrrr#", "   #rrrrr#", "    #rrr#", "     #r#", "      #"],
    ["", "       #", "      #y#", "      #y#", "     #yyy#", " #####yyy#####", "  #yyyyyyyyy#", "   #yyyyyyy#",
     "    #yyyyy#", "   #yyyyyyy#", "   #yyy#yyy#", "  #yy#  #yy#", "  ##     ##"],
    ["", "     #####", "   ##yyyyy##", "  #yyyyyyyyy#", "  #yy#yyy#yy#", " #yyy#yyy#yyy#", " #yyyyyyyyyyy#",
     " #yyyyyyyyyyy#", " #yy#yyyyy#yy#", "  #yy#####yy#", "  #yyyyyyyyy#", "   ##yyyyy##", "     #####"],
    ["", "", "       #", "       ##", "       #b#", " #######bb#", " #bbbbbbbbb#", " #bbbbbbbbbb#",
     " #bbbbbbbbb#", " #######bb#", "       #b#", "       ##", "       #"],
    ["", "", "", "            #", "           ##", "          ##", "  #      ##", "  ##    ##", "   ##  ##",
     "    ####", "     ##"],
    ["", " ##", " #r######", " #rrrrrrr#", " #rrrrrrrr#", " #rrrrrrr#", " #rrrrrrrr#", " #r######", " #", " #",
     " #", " #", " #", " #"],
    ["", "       #", "      #y#", "     #yyy#", "    #yyyyy#", "    #yyyyy#", "    #yyyyy#", "   #yyyyyyy#",
     "   #yyyyyyy#", "  #yyyyyyyyy#", "  ###########", "      #o#", "       #"],
    ["", "", "  ####", " #yyyy#", "#yy##yy#", "#yy##yy#########", " #yyyyyyyyyyyyy#", "  ####  ##y##y#",
     "          # ##"],
    ["", "", "", " ##############", " ##wwwwwwwwww##", " #w#wwwwwwww#w#", " #ww#wwwwww#ww#", " #www#wwww#www#",
     " #wwww####wwww#", " #wwwwwwwwwwww#", " #wwwwwwwwwwww#", " ##############"],
    ["", "     #####", "    #yyyyy#", "   #yyyyyyy#", "   #yyyyyyy#", "   #yyyyyyy#", "    #yyyyy#",
     "     #yyy#", "     #ggg#", "     #ggg#", "     #ggg#", "      ###"],
]


# The MDI tabs' group commands (bitmap 9422) on green, their mask: a new group below (two windows
# one above the other), a new group beside (two windows side by side).
TAB_GROUP_PICTURES = [
    ["", " ##############", " #bbbbbbbbbbbb#", " #wwwwwwwwwwww#", " #wwwwwwwwwwww#", " ##############", "",
     " ##############", " #bbbbbbbbbbbb#", " #wwwwwwwwwwww#", " #wwwwwwwwwwww#", " #wwwwwwwwwwww#",
     " ##############"],
    ["", " ######  ######", " #bbbb#  #bbbb#", " #wwww#  #wwww#", " #wwww#  #wwww#", " #wwww#  #wwww#",
     " #wwww#  #wwww#", " #wwww#  #wwww#", " #wwww#  #wwww#", " #wwww#  #wwww#", " #wwww#  #wwww#",
     " #wwww#  #wwww#", " ######  ######"],
]


def write_color_strip(path, images, background, alpha, size=16):
    """24 bits on the background colour, or 32 bits with the background fully transparent."""
    def pixel(ch):
        color = EDITOR_COLORS.get(ch)
        r, g, b = color or background
        return bytes((b, g, r, 255 if color else 0)) if alpha else bytes((b, g, r))

    write_bmp(path, size * len(images), size, 32 if alpha else 24, strip_rows(images, size, pixel))


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
    os.makedirs(here, exist_ok=True)
    write_strip(os.path.join(here, "system_commands.bmp"), SYSTEM_COMMANDS)
    write_color_strip(os.path.join(here, "ImageEditorTools.bmp"), EDITOR_TOOLS, (192, 192, 192), False)
    write_color_strip(os.path.join(here, "ImageEditorTools32.bmp"), EDITOR_TOOLS, (0, 0, 0), True)
    write_color_strip(os.path.join(here, "ButtonPictures.bmp"), BUTTON_PICTURES, (255, 0, 255), False)
    write_color_strip(os.path.join(here, "TabGroups.bmp"), TAB_GROUP_PICTURES, (0, 255, 0), False)


if __name__ == "__main__":
    main()
