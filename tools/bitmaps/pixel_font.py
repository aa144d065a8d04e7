"""A tiny proportional pixel font for the button labels, in the spirit of the 8-point dialog
font: capitals 8 pixels high, small letters 6, no descenders (no label needs one).

Only the characters of the labels are drawn; any other character is an error, so that a new
label cannot silently lose a letter.
"""

HEIGHT = 8
LETTER_GAP = 1
SPACE_WIDTH = 3

GLYPHS = {
    "A": ["..#..", ".#.#.", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "#...#", "####."],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#....", "#...."],
    "M": ["#.....#", "##...##", "#.#.#.#", "#..#..#", "#.....#", "#.....#", "#.....#",
          "#.....#"],
    "O": [".####.", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", ".####."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "a": ["....", "....", ".###.", "....#", ".####", "#...#", "#..##", ".##.#"],
    "c": ["....", "....", ".###", "#...", "#...", "#...", "#...", ".###"],
    "d": ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", "#..##", ".##.#"],
    "e": ["....", "....", ".###.", "#...#", "#####", "#....", "#...#", ".###."],
    "f": ["..##", ".#..", "###.", ".#..", ".#..", ".#..", ".#..", ".#.."],
    "i": ["#", ".", "#", "#", "#", "#", "#", "#"],
    "k": ["#...", "#...", "#..#", "#.#.", "##..", "##..", "#.#.", "#..#"],
    "l": ["#", "#", "#", "#", "#", "#", "#", "#"],
    "n": ["....", "....", "#.##.", "##..#", "#...#", "#...#", "#...#", "#...#"],
    "o": ["....", "....", ".###.", "#...#", "#...#", "#...#", "#...#", ".###."],
    "r": ["...", "...", "#.##", "##..", "#...", "#...", "#...", "#..."],
    "t": ["...", ".#.", "###", ".#.", ".#.", ".#.", ".#.", "..#"],
    "u": ["....", "....", "#...#", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "v": ["....", "....", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "w": ["....", "....", "#.....#", "#.....#", "#..#..#", "#..#..#", "#.#.#.#", ".#...#."],
    ".": [".", ".", ".", ".", ".", ".", ".", "#"],
}


def glyph(char):
    if char == " ":
        return ["." * SPACE_WIDTH] * HEIGHT
    if char not in GLYPHS:
        raise ValueError(f"the button font has no character {char!r}")
    rows = GLYPHS[char]
    width = max(len(row) for row in rows)
    return [row.ljust(width, ".") for row in rows]


def text_width(text):
    return sum(len(glyph(c)[0]) for c in text) + LETTER_GAP * max(len(text) - 1, 0)


def draw_text(canvas, left, top, text, colour):
    """Draws text with its top-left at (left, top); returns the x just behind it."""
    x = left
    for char in text:
        rows = glyph(char)
        canvas.stamp(x, top, rows, {"#": colour})
        x += len(rows[0]) + LETTER_GAP
    return x - LETTER_GAP
