"""Icon and cursor files for the resource compiler: .ico files holding 8-bit palette images with
a transparency mask, .cur files holding one 1-bit image with its hot spot, and a reader that
checks such a file and gives back what it holds.

An image is a list of rows, top row first, each a list of (red, green, blue) tuples or None for
a transparent pixel.
"""

import struct

from image_files import make_palette, row_stride

ICON_DIR = struct.Struct("<HHH")  # reserved, type, count
ICON_ENTRY = struct.Struct("<BBBBHHII")  # width, height, colours, reserved, two words, size, offset
INFO_HEADER = struct.Struct("<IiiHHIIiiII")
TYPE_ICON, TYPE_CURSOR = 1, 2
ICON_BITS, CURSOR_BITS = 8, 1
NO_COMPRESSION = 0  # BI_RGB
PALETTE_ENTRY_BYTES = 4
BITS_PER_BYTE = 8
MAX_SIDE = 255  # a directory entry holds a side in one byte (0 would mean 256)
# The two colours of a cursor's picture: a pixel whose colour bit is set is white.
CURSOR_PALETTE = [(0, 0, 0), (255, 255, 255)]
HIDDEN = (0, 0, 0)  # the colour stored under a transparent pixel, so that it shows nothing


def bit_stride(width):
    """The bytes of one row of one bit per pixel, padded to four bytes."""
    return row_stride((width + BITS_PER_BYTE - 1) // BITS_PER_BYTE)


def bit_rows(rows, width):
    """Rows of 0/1 values packed most significant bit first, each padded to four bytes."""
    stride = bit_stride(width)
    packed = bytearray()
    for row in rows:
        line = bytearray(stride)
        for x, bit in enumerate(row):
            if bit:
                line[x // BITS_PER_BYTE] |= 0x80 >> (x % BITS_PER_BYTE)
        packed += line
    return bytes(packed)


def image_bytes(image, bits):
    """The stored form of one image: its header (twice the height, for the picture and its
    mask), palette, picture rows and mask rows, both bottom-up."""
    height, width = len(image), len(image[0])
    mask = [[1 if colour is None else 0 for colour in row] for row in reversed(image)]
    shown = [[HIDDEN if colour is None else colour for colour in row] for row in image]
    if bits == ICON_BITS:
        palette, indexed = make_palette(shown)
        palette += [HIDDEN] * ((1 << bits) - len(palette))
        picture = b"".join(bytes(row) + bytes(row_stride(width) - width)
                           for row in reversed(indexed))
    else:
        palette = CURSOR_PALETTE
        if any(colour not in palette for row in shown for colour in row):
            raise ValueError("a cursor is drawn in black and white only")
        picture = bit_rows([[palette.index(c) for c in row] for row in reversed(shown)], width)
    masks = bit_rows(mask, width)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = INFO_HEADER.pack(INFO_HEADER.size, width, 2 * height, 1, bits, NO_COMPRESSION,
                              len(picture) + len(masks), 0, 0, 0, 0)
    return header + colours + picture + masks


def directory_bytes(kind, entries):
    """The file: its directory, then each image. entries: (image, bits, two words) where the
    words are planes and bits for an icon, the hot spot's x and y for a cursor."""
    out = ICON_DIR.pack(0, kind, len(entries))
    bodies = [image_bytes(image, bits) for image, bits, _ in entries]
    offset = ICON_DIR.size + ICON_ENTRY.size * len(entries)
    for (image, bits, words), body in zip(entries, bodies):
        height, width = len(image), len(image[0])
        if max(width, height) > MAX_SIDE:
            raise ValueError(f"a {width} x {height} image does not fit a directory entry")
        colours = 0 if bits == ICON_BITS else 1 << bits  # 0: 256 or more colours
        out += ICON_ENTRY.pack(width, height, colours, 0, *words, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def ico_bytes(images):
    """An icon file holding every image (8 bits per pixel), largest first as given."""
    return directory_bytes(TYPE_ICON, [(image, ICON_BITS, (1, ICON_BITS)) for image in images])


def cur_bytes(image, hot_spot):
    """A cursor file holding one black-and-white image whose hot spot is (x, y)."""
    x, y = hot_spot
    if not (0 <= y < len(image) and 0 <= x < len(image[0])) or image[y][x] is None:
        raise ValueError(f"the hot spot {hot_spot} is not on a pixel of the cursor")
    return directory_bytes(TYPE_CURSOR, [(image, CURSOR_BITS, hot_spot)])


def read_bits(data, start, width, height):
    stride = bit_stride(width)
    top_bit = BITS_PER_BYTE - 1
    return [[(data[start + y * stride + x // BITS_PER_BYTE] >> (top_bit - x % BITS_PER_BYTE)) & 1
             for x in range(width)] for y in reversed(range(height))]


def read_image(data, offset, size, width, height, bits):
    """One stored image as drawn, or a ValueError saying what is wrong with it."""
    if offset + size > len(data) or size < INFO_HEADER.size:
        raise ValueError("an image lies outside the file")
    (header_size, got_width, got_height, planes, got_bits, compression, image_size, _, _, _,
     _) = INFO_HEADER.unpack_from(data, offset)
    palette_size = 1 << bits
    picture_size = (row_stride(width) if bits == ICON_BITS else bit_stride(width)) * height
    mask_size = bit_stride(width) * height
    expected = {
        "header size": (header_size, INFO_HEADER.size),
        "size": ((got_width, got_height), (width, 2 * height)),
        "planes": (planes, 1),
        "bits per pixel": (got_bits, bits),
        "compression": (compression, NO_COMPRESSION),
        "image size": (image_size, picture_size + mask_size),
        "stored size": (size, INFO_HEADER.size + palette_size * PALETTE_ENTRY_BYTES +
                        picture_size + mask_size),
    }
    for what, (got, want) in expected.items():
        if got != want:
            raise ValueError(f"{what} is {got}, not {want}")
    start = offset + INFO_HEADER.size
    palette = [(data[i + 2], data[i + 1], data[i])
               for i in range(start, start + palette_size * PALETTE_ENTRY_BYTES,
                              PALETTE_ENTRY_BYTES)]
    start += palette_size * PALETTE_ENTRY_BYTES
    if bits == ICON_BITS:
        stride = row_stride(width)
        indices = [list(data[start + y * stride:start + y * stride + width])
                   for y in reversed(range(height))]
    else:
        indices = read_bits(data, start, width, height)
    mask = read_bits(data, start + picture_size, width, height)
    return [[None if hidden else palette[index] for index, hidden in zip(row, mask_row)]
            for row, mask_row in zip(indices, mask)]


def read_directory(data, kind):
    """The images of an icon or cursor file with their two words (see directory_bytes)."""
    if len(data) < ICON_DIR.size:
        raise ValueError("shorter than its directory")
    reserved, got_kind, count = ICON_DIR.unpack_from(data)
    if (reserved, got_kind) != (0, kind) or count == 0:
        raise ValueError(f"not {'a cursor' if kind == TYPE_CURSOR else 'an icon'} file")
    if len(data) < ICON_DIR.size + count * ICON_ENTRY.size:
        raise ValueError("shorter than its directory")
    found = []
    for i in range(count):
        width, height, colours, _, first, second, size, offset = ICON_ENTRY.unpack_from(
            data, ICON_DIR.size + i * ICON_ENTRY.size)
        bits = ICON_BITS if kind == TYPE_ICON else CURSOR_BITS
        if kind == TYPE_ICON and (colours, first, second) != (0, 1, ICON_BITS):
            raise ValueError(f"image {i} is not an 8-bit image")
        found.append((read_image(data, offset, size, width, height, bits), (first, second)))
    return found


def read_ico(data):
    return [image for image, _ in read_directory(data, TYPE_ICON)]


def read_cur(data):
    """The cursor's image and hot spot."""
    images = read_directory(data, TYPE_CURSOR)
    if len(images) != 1:
        raise ValueError(f"{len(images)} images, not one")
    return images[0]
