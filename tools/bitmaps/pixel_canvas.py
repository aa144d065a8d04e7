"""A small RGB canvas and the primitives the button pictures are drawn with: rectangles, shaded
fills, anti-aliased discs and rings, and pixel-art stamps.

Edges are smoothed with a few coverage levels only, so that every picture keeps well inside the
256 colours of an 8-bit palette.
"""

SUPERSAMPLES = 4  # per axis, for the coverage of round shapes
COVERAGE_LEVELS = 4  # a partly covered pixel is blended at 1/4, 2/4 or 3/4


def mix(under, over, amount):
    """The colour `over` laid on `under` with opacity `amount` (0 to 1)."""
    return tuple(round(u + (o - u) * amount) for u, o in zip(under, over))


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, colour, amount=1.0):
        if self.inside(x, y) and amount > 0:
            self.rows[y][x] = colour if amount >= 1 else mix(self.rows[y][x], colour, amount)

    def fill(self, left, top, right, bottom, colour):
        """Fills the pixels from (left, top) up to, not including, (right, bottom)."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def shade(self, left, top, right, bottom, top_colour, bottom_colour):
        """A vertical blend from top_colour in the first row to bottom_colour in the last."""
        span = max(bottom - top - 1, 1)
        for y in range(top, bottom):
            self.fill(left, y, right, y + 1, mix(top_colour, bottom_colour, (y - top) / span))

    def covered(self, x, y, inside):
        """The coverage of pixel (x, y) by the shape `inside`, rounded to a few levels."""
        hits = 0
        for sy in range(SUPERSAMPLES):
            for sx in range(SUPERSAMPLES):
                hits += inside(x + (sx + 0.5) / SUPERSAMPLES, y + (sy + 0.5) / SUPERSAMPLES)
        share = hits / (SUPERSAMPLES * SUPERSAMPLES)
        return round(share * COVERAGE_LEVELS) / COVERAGE_LEVELS

    def shape(self, left, top, right, bottom, inside, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour, self.covered(x, y, inside))

    def disc(self, cx, cy, radius, colour):
        """A filled circle centred on the point (cx, cy) in pixel coordinates."""
        box = bounding_box(cx, cy, radius)
        self.shape(*box, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, colour)

    def ring(self, cx, cy, outer, inner, colour):
        box = bounding_box(cx, cy, outer)
        self.shape(*box, lambda x, y: inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= outer ** 2,
                   colour)

    def stamp(self, left, top, art, colours):
        """Pixel art: one string per row; each character names a colour of `colours`, and a
        character without a colour leaves the pixel as it is."""
        for dy, line in enumerate(art):
            for dx, key in enumerate(line):
                if key in colours:
                    self.put(left + dx, top + dy, colours[key])


def bounding_box(cx, cy, radius):
    return (int(cx - radius) - 1, int(cy - radius) - 1, int(cx + radius) + 2,
            int(cy + radius) + 2)


def art_size(art):
    return max(len(line) for line in art), len(art)
