#!/usr/bin/env python3
"""Draws the controller's button pictures: for each of its six buttons an up picture and a lit,
pressed-in down picture, and the ON button's raised "On" picture shown while the browser is
being launched. Each is 67 x 22 pixels, 8 bits per pixel, meant for the controller's black
background.

    make_controller_bitmaps.py --ids resource_ids.h --out DIR [--rc FILE] [--preview FILE]

writes DIR/<id>.bmp for every picture (ids from the IDB_CONTROLLER_ names of the resource-id
header), reads each file back to check it, writes the resource-script lines naming them to
FILE (--rc), and, with --preview, a PNG of the controller in its states, four times enlarged.
"""

import os
import re
import sys
from collections import namedtuple

sys.dont_write_bytecode = True  # the build draws from the source tree and must not write into it
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import image_files  # noqa: E402
import pixel_font  # noqa: E402
from pixel_canvas import Canvas, art_size  # noqa: E402

WIDTH, HEIGHT = 67, 22
BLACK = (0, 0, 0)
BEVEL = 2  # pixels of frame on each side
FACE = (BEVEL, BEVEL, WIDTH - BEVEL, HEIGHT - BEVEL)
PRESSED_SHIFT = 1  # a pressed button's face content moves right and down by this much
SYMBOL_GAP = 4  # between a symbol and its label

# The frame of a classic raised button, lightest first; a pressed button swaps the two sides.
HIGHLIGHT, LIGHT, SHADOW, DARK = (255, 255, 255), (228, 228, 228), (128, 128, 128), (72, 72, 72)
UP_FACE = ((214, 214, 214), (178, 178, 178))  # top and bottom colour of the face
UP_TEXT = (16, 16, 16)

# A button's lit colours: its face (top, bottom), its label and the lit form of its symbol.
Hue = namedtuple("Hue", "face text symbol")
GREEN = Hue(((214, 255, 200), (110, 214, 96)), (0, 56, 0), (0, 120, 0))
AMBER = Hue(((255, 240, 176), (246, 186, 64)), (72, 40, 0), (150, 80, 0))
BLUE = Hue(((214, 236, 255), (120, 178, 246)), (0, 30, 90), (0, 60, 170))
RED = Hue(((255, 232, 220), (246, 168, 148)), (80, 0, 0), (226, 0, 0))
GOLD = Hue(((255, 250, 190), (236, 212, 72)), (64, 48, 0), (214, 96, 0))

# How a picture presents its button: the frame raised or pressed in, the face lit or not.
Look = namedtuple("Look", "raised lit")
UP = Look(raised=True, lit=False)
DOWN = Look(raised=False, lit=True)
LAUNCHING = Look(raised=True, lit=True)


class Art:
    """A pixel-art symbol (rows of letters, see pixel_canvas.Canvas.stamp) with its colours when
    unlit, and a function giving its colours when lit in a button's hue."""

    def __init__(self, rows, unlit, lit):
        self.rows, self.unlit, self.lit = rows, unlit, lit
        self.width, self.height = art_size(rows)

    def draw_at(self, canvas, left, top, lit, hue):
        colours = (self.lit(hue) if lit else self.unlit)
        canvas.stamp(left, top, self.rows, colours)


class Round:
    """A disc or a ring, drawn smooth; `hole` is the inner radius of a ring (0 for a disc)."""

    GLEAM = (255, 190, 170)  # the highlight of a lit disc, up and left of its centre

    def __init__(self, radius, hole, unlit, lit_gleam):
        self.radius, self.hole, self.unlit, self.lit_gleam = radius, hole, unlit, lit_gleam
        self.width = self.height = int(2 * radius + 1)

    def draw_at(self, canvas, left, top, lit, hue):
        cx, cy = left + self.width / 2, top + self.height / 2
        colour = hue.symbol if lit else self.unlit
        if self.hole:
            canvas.ring(cx, cy, self.radius, self.hole, colour)
        else:
            canvas.disc(cx, cy, self.radius, colour)
        if lit and self.lit_gleam:
            third = self.radius / 3
            canvas.disc(cx - third, cy - third, third, self.GLEAM)


# The plug: a cable into the plug's body (b, with a highlight h), two pins (p), and the socket
# (s): apart while the link is off, pushed in and glowing (g) while it is on. k is the outline.
PLUG_APART = [
    "....kkkkkk.........kkk.",
    "...kbhhhhbk.......ksssk",
    "...kbbbbbbkkkkk...ksssk",
    "...kbbbbbbkppppk..kkssk",
    "...kbbbbbbkkkkk...ksssk",
    "kkkkbbbbbbk.......ksssk",
    "...kbbbbbbkkkkk...ksssk",
    "...kbbbbbbkppppk..kkssk",
    "...kbbbbbbkkkkk...ksssk",
    "...kbbbbbbk.......ksssk",
    "....kkkkkk.........kkk.",
]
PLUG_JOINED = [
    "....kkkkkk....kkk.",
    "...kbhhhhbk..ksssk",
    "...kbbbbbbkkkksssk",
    "...kbbbbbbkpppgssk",
    "...kbbbbbbkkkksssk",
    "kkkkbbbbbbk..ksssk",
    "...kbbbbbbkkkksssk",
    "...kbbbbbbkpppgssk",
    "...kbbbbbbkkkksssk",
    "...kbbbbbbk..ksssk",
    "....kkkkkk....kkk.",
]
# The replay arrows: a (the arrow) inside the outline k.
ARROW_UP = [
    "....k....",
    "...kak...",
    "..kaaak..",
    ".kaaaaak.",
    "kkkaaakkk",
    "..kaaak..",
    "..kaaak..",
    "..kaaak..",
    "..kkkkk..",
]
ARROW_DOWN = list(reversed(ARROW_UP))

OUTLINE = (24, 24, 24)
UNLIT_SYMBOL = (92, 92, 92)
PLUG_UNLIT = {"k": OUTLINE, "b": UNLIT_SYMBOL, "h": (150, 150, 150), "p": (236, 236, 236),
              "s": (236, 236, 230), "g": OUTLINE}
PLUG_LIT = dict(PLUG_UNLIT, b=(40, 40, 40), h=(110, 110, 110), g=(120, 255, 80))
ARROW_UNLIT = {"k": OUTLINE, "a": UNLIT_SYMBOL}


def plug_lit(_hue):
    return PLUG_LIT


def arrow_lit(hue):
    return {"k": OUTLINE, "a": hue.symbol}


PLUG_OFF = Art(PLUG_APART, PLUG_UNLIT, plug_lit)
PLUG_ON = Art(PLUG_JOINED, PLUG_UNLIT, plug_lit)
UP_ARROW = Art(ARROW_UP, ARROW_UNLIT, arrow_lit)
DOWN_ARROW = Art(ARROW_DOWN, ARROW_UNLIT, arrow_lit)
REC_DOT = Round(4.5, 0, (110, 40, 40), lit_gleam=True)
TRACK_RING = Round(4.5, 2.3, UNLIT_SYMBOL, lit_gleam=False)

Picture = namedtuple("Picture", "label symbol look hue")

# Every picture, by the name of its resource id.
PICTURES = {
    "IDB_CONTROLLER_ON_UP": Picture("Off", PLUG_OFF, UP, GREEN),
    "IDB_CONTROLLER_ON_DOWN": Picture("On", PLUG_ON, DOWN, GREEN),
    "IDB_CONTROLLER_ON_LAUNCHING": Picture("On", PLUG_ON, LAUNCHING, GREEN),
    "IDB_CONTROLLER_AUTO_NAVI_UP": Picture("Manual", None, UP, AMBER),
    "IDB_CONTROLLER_AUTO_NAVI_DOWN": Picture("Auto navi.", None, DOWN, AMBER),
    "IDB_CONTROLLER_FORWARD_UP": Picture("Forward", UP_ARROW, UP, BLUE),
    "IDB_CONTROLLER_FORWARD_DOWN": Picture("Forward", UP_ARROW, DOWN, BLUE),
    "IDB_CONTROLLER_BACK_UP": Picture("Back", DOWN_ARROW, UP, BLUE),
    "IDB_CONTROLLER_BACK_DOWN": Picture("Back", DOWN_ARROW, DOWN, BLUE),
    "IDB_CONTROLLER_REC_UP": Picture("Rec", REC_DOT, UP, RED),
    "IDB_CONTROLLER_REC_DOWN": Picture("Rec", REC_DOT, DOWN, RED),
    "IDB_CONTROLLER_TRACK_UP": Picture("Track", TRACK_RING, UP, GOLD),
    "IDB_CONTROLLER_TRACK_DOWN": Picture("Track", TRACK_RING, DOWN, GOLD),
}


def draw_frame(canvas, raised):
    top_left = (HIGHLIGHT, LIGHT) if raised else (DARK, SHADOW)
    bottom_right = (DARK, SHADOW) if raised else (HIGHLIGHT, LIGHT)
    for ring, (lead, trail) in enumerate(zip(top_left, bottom_right)):
        right, bottom = WIDTH - 1 - ring, HEIGHT - 1 - ring
        canvas.fill(ring, ring, right, ring + 1, lead)
        canvas.fill(ring, ring, ring + 1, bottom, lead)
        canvas.fill(ring, bottom, right + 1, bottom + 1, trail)
        canvas.fill(right, ring, right + 1, bottom + 1, trail)
    for x, y in ((0, 0), (WIDTH - 1, 0), (0, HEIGHT - 1), (WIDTH - 1, HEIGHT - 1)):
        canvas.put(x, y, BLACK)  # softened corners against the black controller


def draw_picture(picture):
    canvas = Canvas(WIDTH, HEIGHT, BLACK)
    look, hue = picture.look, picture.hue
    face_top, face_bottom = hue.face if look.lit else UP_FACE
    canvas.shade(*FACE, face_top, face_bottom)
    draw_frame(canvas, look.raised)
    shift = 0 if look.raised else PRESSED_SHIFT
    symbol = picture.symbol
    label_width = pixel_font.text_width(picture.label)
    group = label_width + (symbol.width + SYMBOL_GAP if symbol else 0)
    left = FACE[0] + (FACE[2] - FACE[0] - group) // 2 + shift
    if symbol:
        symbol.draw_at(canvas, left, (HEIGHT - symbol.height) // 2 + shift, look.lit, hue)
        left += symbol.width + SYMBOL_GAP
    text_top = (HEIGHT - pixel_font.HEIGHT) // 2 + shift
    pixel_font.draw_text(canvas, left, text_top, picture.label, hue.text if look.lit else UP_TEXT)
    return canvas.rows


def read_ids(header_path):
    """The IDB_CONTROLLER_ ids of the resource-id header; every picture must have one."""
    with open(header_path, encoding="ascii") as header:
        found = dict(re.findall(r"^#define (IDB_CONTROLLER_\w+) (\d+)", header.read(), re.M))
    missing = sorted(set(PICTURES) - set(found))
    unknown = sorted(set(found) - set(PICTURES))
    if missing or unknown:
        raise ValueError(f"{header_path}: ids without a picture {unknown}, pictures without an "
                         f"id {missing}")
    return {name: int(value) for name, value in found.items()}


def write_bitmaps(ids, out_dir):
    """Writes every picture and reads it back; returns the file of each id name."""
    os.makedirs(out_dir, exist_ok=True)
    files = {}
    for name, picture in PICTURES.items():
        rows = draw_picture(picture)
        path = os.path.join(out_dir, f"{ids[name]}.bmp")
        with open(path, "wb") as out:
            out.write(image_files.bmp_bytes(rows))
        with open(path, "rb") as back:
            if image_files.read_bmp(back.read(), WIDTH, HEIGHT) != rows:
                raise ValueError(f"{path} does not read back as drawn")
        files[name] = path
    return files


def write_resource_lines(files, rc_path):
    lines = ["// Drawn by tools/bitmaps/make_controller_bitmaps.py; the controller's pictures.",
             '#include "resource_ids.h"']
    for name, path in files.items():
        lines.append(f'{name} BITMAP "{os.path.abspath(path).replace(os.sep, "/")}"')
    with open(rc_path, "w", encoding="ascii") as rc:
        rc.write("\n".join(lines) + "\n")


# The preview: the controller as it shows with every button up, every button down, and while
# the browser is being launched. The buttons stand where the controller's dialog puts them (in
# dialog units, in the controller's button order), converted with the base units of an 8-point
# dialog font at which the 38 x 15-unit controls just hold the pictures.
BUTTON_DIALOG_UNITS = [(0, 0), (0, 16), (39, 0), (39, 16), (78, 0), (78, 16)]
BASE_UNITS = (7, 12)  # pixels per 4 horizontal and 8 vertical dialog units
BUTTON_PLACES = [(x * BASE_UNITS[0] // 4, y * BASE_UNITS[1] // 8) for x, y in BUTTON_DIALOG_UNITS]
PREVIEW_STATES = [
    ["ON_UP", "AUTO_NAVI_UP", "FORWARD_UP", "BACK_UP", "REC_UP", "TRACK_UP"],
    ["ON_DOWN", "AUTO_NAVI_DOWN", "FORWARD_DOWN", "BACK_DOWN", "REC_DOWN", "TRACK_DOWN"],
    ["ON_LAUNCHING", "AUTO_NAVI_UP", "FORWARD_UP", "BACK_UP", "REC_DOWN", "TRACK_DOWN"],
]
PREVIEW_MARGIN, PREVIEW_SCALE = 8, 4


def write_preview(path):
    panel_width = BUTTON_PLACES[-1][0] + WIDTH
    panel_height = BUTTON_PLACES[-1][1] + HEIGHT
    canvas = Canvas(panel_width + 2 * PREVIEW_MARGIN,
                    len(PREVIEW_STATES) * (panel_height + PREVIEW_MARGIN) + PREVIEW_MARGIN, BLACK)
    for row, state in enumerate(PREVIEW_STATES):
        top = PREVIEW_MARGIN + row * (panel_height + PREVIEW_MARGIN)
        for (x, y), name in zip(BUTTON_PLACES, state):
            pixels = draw_picture(PICTURES["IDB_CONTROLLER_" + name])
            for dy, line in enumerate(pixels):
                for dx, colour in enumerate(line):
                    canvas.put(PREVIEW_MARGIN + x + dx, top + y + dy, colour)
    image_files.write_scaled_png(path, canvas.rows, PREVIEW_SCALE)


def main(argv):
    helps = (__doc__.splitlines()[0], "directory for the .bmp files", "PNG of the controller's states")
    steps = (read_ids, write_bitmaps, write_resource_lines, write_preview)
    return image_files.generator_main(argv, "make_controller_bitmaps", helps, steps)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
