"""Writers for the program's image resources: ICO files of palette images
and of a PNG.

An image is a list of rows, top row first; each row is a list of palette
indices. In an icon, None marks a transparent pixel. Only the standard
library is used, so the generators run anywhere Python 3 does.
"""

import struct
import zlib

# The standard 16-colour palette of Windows, by index.
STANDARD_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
               (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def _row_bytes(row, bits):
    """Packs one row of palette indices, padded to a multiple of 4 bytes."""
    per_byte = 8 // bits
    out = bytearray()
    for start in range(0, len(row), per_byte):
        value = 0
        chunk = row[start:start + per_byte]
        for i in range(per_byte):
            index = chunk[i] if i < len(chunk) else 0
            if index is None:
                index = 0
            value |= index << (8 - bits * (i + 1))
        out.append(value)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def _check(pixels, palette, bits):
    if bits not in (1, 4, 8):
        raise ValueError("bits must be 1, 4 or 8")
    if not pixels or len(palette) > (1 << bits):
        raise ValueError("empty image or palette too large for %d bits" % bits)
    width = len(pixels[0])
    for row in pixels:
        if len(row) != width:
            raise ValueError("rows of different lengths")
        for index in row:
            if index is not None and not 0 <= index < len(palette):
                raise ValueError("pixel outside the palette: %r" % index)
    return width, len(pixels)


def _info_header(width, height, bits, colours, image_size):
    # BITMAPINFOHEADER: size, width, height, planes, bit count, compression,
    # image size, resolution x and y (96 DPI), colours used, colours important.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       3780, 3780, colours, colours)


def _palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def _pixel_bytes(pixels, bits):
    # Stored bottom-up.
    return b"".join(_row_bytes(row, bits) for row in reversed(pixels))


def png_bytes(pixels, palette):
    """A 32-bit RGBA PNG of the image, None pixels transparent: the form in
    which icons hold their 256-pixel image."""
    width, height = _check(pixels, palette, 8)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + b"".join(bytes(palette[i]) + b"\xff" if i is not None else b"\0" * 4
                                    for i in row) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """An icon file holding each (pixels, palette, bits) image, None pixels
    transparent through the AND mask; bits "png" stores the image as a PNG,
    as a 256-pixel image is held."""
    entries = []
    bodies = []
    for pixels, palette, bits in images:
        if bits == "png":
            bodies.append(png_bytes(pixels, palette))
            entries.append((len(pixels[0]), len(pixels), 0, 32))
            continue
        width, height = _check(pixels, palette, bits)
        colours = _palette_bytes(palette)
        xor = _pixel_bytes(pixels, bits)
        mask_rows = [[1 if index is None else 0 for index in row] for row in pixels]
        mask = _pixel_bytes(mask_rows, 1)
        # The header's height counts the colour image and the mask together.
        body = _info_header(width, height * 2, bits, len(palette), len(xor) + len(mask))
        bodies.append(body + colours + xor + mask)
        entries.append((width, height, len(palette), bits))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for (width, height, count, bits), body in zip(entries, bodies):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, count % 256, 0, 1,
                                 bits, len(body), offset)
        offset += len(body)
    return directory + b"".join(bodies)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
