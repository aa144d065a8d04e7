"""Writing pictures to disk: uncompressed 8-bit palette BMP files for the resource compiler, a
reader that checks such a file, and a plain RGB PNG writer for looking at the pictures.

A picture is a list of rows, top row first, each a list of (red, green, blue) tuples.
"""

import argparse
import struct
import sys
import zlib

BMP_FILE_HEADER = struct.Struct("<2sIHHI")
BMP_INFO_HEADER = struct.Struct("<IiiHHIIiiII")
BITS_PER_PIXEL = 8
PALETTE_SIZE = 1 << BITS_PER_PIXEL
PALETTE_ENTRY_BYTES = 4
NO_COMPRESSION = 0  # BI_RGB
PIXELS_PER_METRE = 2835  # 72 dots per inch, what paint programs write
ROW_ALIGNMENT = 4


def row_stride(width):
    return (width + ROW_ALIGNMENT - 1) // ROW_ALIGNMENT * ROW_ALIGNMENT


def make_palette(picture):
    """The picture's colours in the order they are first met, and each pixel as an index."""
    palette, index_of, rows = [], {}, []
    for row in picture:
        indexed = []
        for colour in row:
            if colour not in index_of:
                index_of[colour] = len(palette)
                palette.append(colour)
            indexed.append(index_of[colour])
        rows.append(indexed)
    if len(palette) > PALETTE_SIZE:
        raise ValueError(f"{len(palette)} colours do not fit an 8-bit palette")
    return palette, rows


def bmp_bytes(picture):
    """An uncompressed 8-bit BMP with a full 256-entry palette, rows stored bottom-up."""
    height, width = len(picture), len(picture[0])
    palette, rows = make_palette(picture)
    palette += [(0, 0, 0)] * (PALETTE_SIZE - len(palette))
    stride = row_stride(width)
    pixels = b"".join(
        bytes(row) + bytes(stride - width) for row in reversed(rows))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = BMP_FILE_HEADER.size + BMP_INFO_HEADER.size + len(colours)
    file_header = BMP_FILE_HEADER.pack(b"BM", offset + len(pixels), 0, 0, offset)
    info_header = BMP_INFO_HEADER.pack(BMP_INFO_HEADER.size, width, height, 1, BITS_PER_PIXEL,
                                       NO_COMPRESSION, len(pixels), PIXELS_PER_METRE,
                                       PIXELS_PER_METRE, PALETTE_SIZE, 0)
    return file_header + info_header + colours + pixels


def read_bmp(data, width, height):
    """The picture held by an 8-bit BMP of the given size, or a ValueError saying what is wrong
    with it: the resource compiler takes whatever it is given, so the check is made here."""
    if len(data) < BMP_FILE_HEADER.size + BMP_INFO_HEADER.size:
        raise ValueError("shorter than its headers")
    magic, file_size, _, _, offset = BMP_FILE_HEADER.unpack_from(data)
    (info_size, got_width, got_height, planes, bits, compression, image_size, _, _, used,
     _) = BMP_INFO_HEADER.unpack_from(data, BMP_FILE_HEADER.size)
    stride = row_stride(width)
    expected = {
        "signature": (magic, b"BM"),
        "file size": (file_size, len(data)),
        "info header size": (info_size, BMP_INFO_HEADER.size),
        "size": ((got_width, got_height), (width, height)),
        "planes": (planes, 1),
        "bits per pixel": (bits, BITS_PER_PIXEL),
        "compression": (compression, NO_COMPRESSION),
        "colours used": (used, PALETTE_SIZE),
        "pixel offset": (offset, BMP_FILE_HEADER.size + BMP_INFO_HEADER.size +
                         PALETTE_SIZE * PALETTE_ENTRY_BYTES),
        "image size": (image_size, stride * height),
        "pixels end": (offset + image_size, file_size),
    }
    for what, (got, want) in expected.items():
        if got != want:
            raise ValueError(f"{what} is {got}, not {want}")
    palette_start = BMP_FILE_HEADER.size + BMP_INFO_HEADER.size
    palette = [(data[i + 2], data[i + 1], data[i])
               for i in range(palette_start, offset, PALETTE_ENTRY_BYTES)]
    rows = [data[offset + y * stride:offset + y * stride + width] for y in range(height)]
    return [[palette[index] for index in row] for row in reversed(rows)]


def png_bytes(picture):
    """A truecolour PNG of the picture (filter 0 on every row)."""
    height, width = len(picture), len(picture[0])
    raw = b"".join(b"\0" + bytes(v for colour in row for v in colour) for row in picture)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB, no interlace
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_scaled_png(path, rows, scale):
    """The rows as a PNG file, each pixel drawn as a scale x scale square."""
    enlarged = [[c for c in line for _ in range(scale)] for line in rows for _ in range(scale)]
    with open(path, "wb") as out:
        out.write(png_bytes(enlarged))


def generator_main(argv, tool, helps, steps):
    """The command line of the drawing tools: --ids HEADER --out DIR [--rc FILE] [--preview PNG].
    helps: (description, out, preview); steps: (read_ids, write_files, write_resource_lines,
    write_preview). Returns the exit status: 1 with the error on stderr."""
    description, out_help, preview_help = helps
    read_ids, write_files, write_resource_lines, write_preview = steps
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--ids", required=True, help="the resource-id header")
    parser.add_argument("--out", required=True, help=out_help)
    parser.add_argument("--rc", help="resource-script lines naming the files")
    parser.add_argument("--preview", help=preview_help)
    args = parser.parse_args(argv)
    try:
        files = write_files(read_ids(args.ids), args.out)
        if args.rc:
            write_resource_lines(files, args.rc)
        if args.preview:
            write_preview(args.preview)
    except (OSError, ValueError) as error:
        print(f"{tool}: {error}", file=sys.stderr)
        return 1
    return 0
