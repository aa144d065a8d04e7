#!/usr/bin/env python3
"""Draws the program's icons and its help pointer: the application's icon (a crow's head, the
bird the program is named after), the icon the shell shows for URL list files (a page with a
list) and the help pointer (the arrow with a question mark), each in the sizes the shell and the
window manager ask for.

    make_program_icons.py --ids resource_ids.h --out DIR [--rc FILE] [--preview FILE]

writes DIR/<id>.ico and DIR/<id>.cur (ids from the resource-id header), reads each file back to
check it, writes the resource-script lines naming them to FILE (--rc), and, with --preview, a PNG
of every picture on a light and on a dark desktop, four times enlarged.
"""

import os
import re
import sys
from collections import namedtuple

sys.dont_write_bytecode = True  # the build draws from the source tree and must not write into it
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import icon_files  # noqa: E402
import image_files  # noqa: E402
from pixel_canvas import Canvas  # noqa: E402

ICON_SIZES = (32, 16)  # the large and the small icon, largest first as the shell expects
GRID = 32  # the drawings below are laid out on a 32-pixel grid and scaled to each size
OPAQUE_COVERAGE = 0.5  # a shape covering at least this much of a clear pixel makes it solid


class IconCanvas(Canvas):
    """A square canvas that starts transparent (None). A shape makes a clear pixel solid where
    it covers at least half of it, without blending, so that the outline stays crisp on any
    desktop; on solid pixels shapes blend as on any canvas."""

    def __init__(self, size):
        super().__init__(size, size, None)

    def put(self, x, y, colour, amount=1.0):
        if not self.inside(x, y):
            return
        if self.rows[y][x] is not None:
            super().put(x, y, colour, amount)
        elif amount >= OPAQUE_COVERAGE:
            self.rows[y][x] = colour

    def area(self, inside, colour):
        self.shape(0, 0, self.width, self.height, inside, colour)


def polygon(points):
    """The inside test of a polygon (even-odd rule) for Canvas.shape."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        crossings = 0
        for (x1, y1), (x2, y2) in edges:
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                crossings += 1
        return crossings % 2 == 1

    return inside


def in_disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


# --- The application's icon: a crow, head and breast in profile, looking right: a black bird
# with a slate beak, a blue sheen on the crown and a white eye, ringed in light grey so that it
# stands apart from a dark desktop. Points are on the grid.
RING = (178, 184, 198)
FEATHER = (26, 28, 38)
SHEEN = (70, 88, 134)
BEAK_TOP, BEAK_BOTTOM = (128, 134, 150), (84, 90, 106)
EYE, PUPIL = (255, 255, 255), (0, 0, 0)
HEAD = (12.5, 12.5, 8.5)  # centre and radius
BREAST = [(5, 15), (18, 17), (22.5, 24), (21, 32), (2, 32), (2.5, 23)]
BEAK_ROOT_TOP, BEAK_TIP, BEAK_ROOT_BOTTOM = (16, 6.5), (31, 13.5), (17.5, 18.5)
BEAK_GAPE = (19.5, 13.5)  # where the two halves of the beak meet at its root
SHEEN_SHIFT = 1.8  # the sheen is the crescent left by the head moved down and right by this
EYE_AT, EYE_RADIUS, PUPIL_RADIUS, PUPIL_SHIFT = (15.5, 10.5), 2.6, 1.4, 0.6
# Below the full size a round eye blurs into grey: the small icon's eye is set pixel by pixel
# (w: white, k: the pupil), with its top-left on the pixel under the eye's centre.
SMALL_EYE = ["ww", "wk"]
FOUR_NEIGHBOURS = [(-1, 0), (1, 0), (0, -1), (0, 1)]


def outline(canvas, pixels, neighbours, colour):
    """Lays colour on every clear pixel that is one of the neighbours of one of the pixels."""
    for x, y in pixels:
        for dx, dy in neighbours:
            if canvas.inside(x + dx, y + dy) and canvas.get(x + dx, y + dy) is None:
                canvas.put(x + dx, y + dy, colour)


def solid_pixels(canvas):
    return [(x, y) for y in range(canvas.height) for x in range(canvas.width)
            if canvas.get(x, y) is not None]


def draw_crow(size):
    canvas, unit = IconCanvas(size), size / GRID

    def at(*points):
        return [(x * unit, y * unit) for x, y in points]

    hx, hy, radius = (v * unit for v in HEAD)
    canvas.area(polygon(at(BEAK_ROOT_TOP, BEAK_TIP, BEAK_GAPE)), BEAK_TOP)
    canvas.area(polygon(at(BEAK_GAPE, BEAK_TIP, BEAK_ROOT_BOTTOM)), BEAK_BOTTOM)
    canvas.area(polygon(at(*BREAST)), FEATHER)
    head = in_disc(hx, hy, radius)
    canvas.area(head, FEATHER)
    shifted = in_disc(hx + SHEEN_SHIFT * unit, hy + SHEEN_SHIFT * unit, radius)
    canvas.area(lambda x, y: head(x, y) and not shifted(x, y), SHEEN)
    (ex, ey), = at(EYE_AT)
    if size < GRID:
        canvas.stamp(int(ex), int(ey), SMALL_EYE, {"w": EYE, "k": PUPIL})
    else:
        canvas.area(in_disc(ex, ey, EYE_RADIUS * unit), EYE)
        canvas.area(in_disc(ex + PUPIL_SHIFT * unit, ey, PUPIL_RADIUS * unit), PUPIL)
    outline(canvas, solid_pixels(canvas), FOUR_NEIGHBOURS, RING)
    return canvas.rows


# --- The URL list file's icon: a sheet of paper with a folded corner and a list of entries,
# each a bullet and a line of link-blue text. Laid out per size, so that every line stays whole.
PAPER, EDGE, FOLD = (255, 255, 255), (60, 62, 72), (200, 204, 214)
BULLET, TEXT = (0, 70, 160), (40, 90, 190)
# Per size: the sheet's box (right and bottom outside it) and its fold; the entries' first row,
# spacing, bullet (offset from the sheet's left, side), text start (offset from the left) and
# end (margin from the right) and by how much each entry's text falls short of that end.
Page = namedtuple("Page", "box fold first_row row_step bullet_left bullet text_left text_margin "
                          "shortenings")
PAGES = {
    32: Page((5, 1, 27, 31), 7, 9, 4, 3, 2, 7, 3, (0, 4, 1, 6, 3)),
    16: Page((2, 0, 14, 16), 4, 5, 3, 2, 1, 4, 2, (0, 2, 1)),
}


def draw_page(size):
    page, canvas = PAGES[size], IconCanvas(size)
    (left, top, right, bottom), fold = page.box, page.fold
    corner = right - fold
    canvas.area(polygon([(left, top), (corner, top), (right, top + fold), (right, bottom),
                         (left, bottom)]), EDGE)
    canvas.area(polygon([(left + 1, top + 1), (corner, top + 1), (right - 1, top + fold),
                         (right - 1, bottom - 1), (left + 1, bottom - 1)]), PAPER)
    canvas.area(polygon([(corner, top), (corner, top + fold), (right, top + fold)]), EDGE)
    canvas.area(polygon([(corner + 1, top + 2), (corner + 1, top + fold - 1),
                         (right - 2, top + fold - 1)]), FOLD)
    bullet_left, text_left = left + page.bullet_left, left + page.text_left
    for row, shortening in enumerate(page.shortenings):
        y = page.first_row + row * page.row_step
        canvas.fill(bullet_left, y, bullet_left + page.bullet, y + page.bullet, BULLET)
        text_y = y + page.bullet // 2
        canvas.fill(text_left, text_y, right - page.text_margin - shortening, text_y + 1, TEXT)
    return canvas.rows


# --- The help pointer: the ordinary arrow (k: black outline, w: white body) with a black
# question mark beside it, ringed in white so that it shows on a dark window too. The hot spot is
# the arrow's tip.
ARROW = [
    "k",
    "kk",
    "kwk",
    "kwwk",
    "kwwwk",
    "kwwwwk",
    "kwwwwwk",
    "kwwwwwwk",
    "kwwwwwwwk",
    "kwwwwwwwwk",
    "kwwwwwkkkkk",
    "kwwkwwk",
    "kwk kwwk",
    "kk  kwwk",
    "k    kwwk",
    "     kwwk",
    "      kwwk",
    "      kwwk",
    "       kk",
]
QUESTION_MARK = [
    " kkkkk ",
    "kkk kkk",
    "kk   kk",
    "     kk",
    "    kkk",
    "   kkk ",
    "   kk  ",
    "   kk  ",
    "       ",
    "   kk  ",
    "   kk  ",
]
QUESTION_AT = (13, 2)
POINTER_SIZE = 32
HOT_SPOT = (0, 0)
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
ALL_NEIGHBOURS = [(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1) if dx or dy]


def draw_pointer(_size=POINTER_SIZE):
    canvas = IconCanvas(POINTER_SIZE)
    canvas.stamp(0, 0, ARROW, {"k": BLACK, "w": WHITE})
    qx, qy = QUESTION_AT
    marks = [(qx + dx, qy + dy) for dy, line in enumerate(QUESTION_MARK)
             for dx, key in enumerate(line) if key == "k"]
    outline(canvas, marks, ALL_NEIGHBOURS, WHITE)
    for x, y in marks:
        canvas.put(x, y, BLACK)
    return canvas.rows


# Every resource, by the name of its id: its kind (the file's extension) and its drawing.
Resource = namedtuple("Resource", "kind draw")
RESOURCES = {
    "IDI_CORVISANT": Resource("ico", draw_crow),
    "IDI_URL_LIST": Resource("ico", draw_page),
    "IDC_HELP_POINTER": Resource("cur", draw_pointer),
}
RC_KEYWORDS = {"ico": "ICON", "cur": "CURSOR"}


def read_ids(header_path):
    """The ids of RESOURCES in the resource-id header; every one must be there."""
    with open(header_path, encoding="ascii") as header:
        found = dict(re.findall(r"^#define (\w+) (\d+)", header.read(), re.M))
    missing = sorted(set(RESOURCES) - set(found))
    if missing:
        raise ValueError(f"{header_path}: no id for {missing}")
    return {name: int(found[name]) for name in RESOURCES}


def drawn(name):
    """The file's bytes and what reading them back must give."""
    resource = RESOURCES[name]
    if resource.kind == "cur":
        image = resource.draw()
        return icon_files.cur_bytes(image, HOT_SPOT), (image, HOT_SPOT)
    images = [resource.draw(size) for size in ICON_SIZES]
    return icon_files.ico_bytes(images), images


def write_files(ids, out_dir):
    """Writes every icon and the pointer and reads each back; returns the file of each name."""
    os.makedirs(out_dir, exist_ok=True)
    files = {}
    for name, resource in RESOURCES.items():
        data, expected = drawn(name)
        path = os.path.join(out_dir, f"{ids[name]}.{resource.kind}")
        with open(path, "wb") as out:
            out.write(data)
        with open(path, "rb") as back:
            stored = back.read()
        got = icon_files.read_cur(stored) if resource.kind == "cur" else icon_files.read_ico(stored)
        if got != expected:
            raise ValueError(f"{path} does not read back as drawn")
        files[name] = path
    return files


def write_resource_lines(files, rc_path):
    lines = ["// Drawn by tools/bitmaps/make_program_icons.py; the program's icons and its help "
             "pointer.",
             '#include "resource_ids.h"']
    for name, path in files.items():
        keyword = RC_KEYWORDS[RESOURCES[name].kind]
        lines.append(f'{name} {keyword} "{os.path.abspath(path).replace(os.sep, "/")}"')
    with open(rc_path, "w", encoding="ascii") as rc:
        rc.write("\n".join(lines) + "\n")


# The preview: each picture on the grey of a classic desktop and on a dark teal one.
DESKTOPS = [(192, 192, 192), (0, 96, 96)]
PREVIEW_MARGIN, PREVIEW_SCALE = 8, 4


def write_preview(path):
    pictures = [RESOURCES[name].draw(size) for name in ("IDI_CORVISANT", "IDI_URL_LIST")
                for size in ICON_SIZES] + [draw_pointer()]
    cell = max(len(picture) for picture in pictures) + PREVIEW_MARGIN
    canvas = Canvas(len(pictures) * cell + PREVIEW_MARGIN, len(DESKTOPS) * cell + PREVIEW_MARGIN,
                    DESKTOPS[0])
    for row, desktop in enumerate(DESKTOPS):
        top = PREVIEW_MARGIN + row * cell
        canvas.fill(0, top - PREVIEW_MARGIN // 2, canvas.width, top + cell - PREVIEW_MARGIN // 2,
                    desktop)
        for column, picture in enumerate(pictures):
            left = PREVIEW_MARGIN + column * cell
            for dy, line in enumerate(picture):
                for dx, colour in enumerate(line):
                    if colour is not None:
                        canvas.put(left + dx, top + dy, colour)
    image_files.write_scaled_png(path, canvas.rows, PREVIEW_SCALE)


def main(argv):
    helps = (__doc__.splitlines()[0], "directory for the .ico and .cur files", "PNG of the pictures")
    steps = (read_ids, write_files, write_resource_lines, write_preview)
    return image_files.generator_main(argv, "make_program_icons", helps, steps)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
