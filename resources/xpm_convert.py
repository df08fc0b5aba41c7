#!/usr/bin/python3
"""Turns the icon's XPM source into a 256-colour Windows .ico or a PNG.

   xpm_convert.py INPUT.xpm OUTPUT.ico|OUTPUT.png [SIZE[,SIZE...]]

Reads the simple XPM the project keeps (one character per pixel, colours as
#RRGGBB or None). An .ico gets one 8-bit image with its transparency mask; a
.png one RGBA image, for the Linux desktop's icon theme, SIZE pixels square
(default: the XPM's own). Pixel art stays crisp: it is scaled by a whole
number only (each pixel repeated, or every n-th kept) and centred on a
transparent square where that does not fill SIZE.

An .ico may hold several sizes (the installer's, for the Start menu and
Add/Remove Programs): each an 8-bit image, but 256 px as a PNG, as Windows
keeps its largest icons.
"""
import re
import struct
import sys
import zlib


def read_xpm(path):
    strings = re.findall(r'"([^"]*)"', open(path, encoding="ascii").read())
    width, height, ncolours, cpp = map(int, strings[0].split()[:4])
    if cpp != 1:
        sys.exit("only one character per pixel is supported")
    colours = {}
    for line in strings[1:1 + ncolours]:
        key, value = line[0], line.split()[-1]
        colours[key] = None if value.lower() == "none" else tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
    rows = strings[1 + ncolours:1 + ncolours + height]
    if len(rows) != height or any(len(r) != width for r in rows):
        sys.exit("the pixel rows do not match the declared size")
    return width, height, colours, rows


def ico(width, height, colours, rows):
    opaque = sorted(k for k, v in colours.items() if v is not None)
    if len(opaque) > 255:
        sys.exit("more than 255 colours")
    index = {k: i + 1 for i, k in enumerate(opaque)}  # 0 stands under transparent pixels
    palette = bytearray(4 * 256)
    for k, i in index.items():
        r, g, b = colours[k]
        palette[4 * i:4 * i + 4] = bytes((b, g, r, 0))
    xor_stride = (width + 3) // 4 * 4
    and_stride = ((width + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytes(index.get(ch, 0) for ch in row)
        xor += line + bytes(xor_stride - width)
        bits = bytearray(and_stride)
        for x, ch in enumerate(row):
            if colours[ch] is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    return icon_file([(width, height, 8, header + bytes(palette) + bytes(xor) + bytes(mask))])


def icon_file(images):
    """An .ico of (width, height, bits per pixel, image bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, bits, image in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
    return out + b"".join(image for *_, image in images)


def multi_ico(image, sizes):
    images = []
    for size in sizes:
        sized = resize(*image, size)
        if size >= 256:
            images.append((size, size, 32, png(*sized)))
        else:
            single = ico(*sized)
            images.append((size, size, 8, single[6 + 16:]))
    return icon_file(images)


def resize(width, height, colours, rows, size):
    if size >= width:
        k = size // width
        rows = ["".join(ch * k for ch in row) for row in rows for _ in range(k)]
    else:
        n = -(-width // size)
        rows = [row[::n] for row in rows[::n]]
    clear = next((k for k, v in colours.items() if v is None), None)
    if clear is None:
        clear = " "
        colours = dict(colours, **{clear: None})
    top = (size - len(rows)) // 2
    left = (size - len(rows[0])) // 2
    pad = [clear * size] * top
    body = [clear * left + row + clear * (size - left - len(row)) for row in rows]
    return size, size, colours, pad + body + [clear * size] * (size - top - len(rows))


def png(width, height, colours, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(colours[ch] + (255,)) if colours[ch] else bytes(4) for ch in row)
                   for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4) or not sys.argv[2].endswith((".ico", ".png")):
        sys.exit(__doc__)
    image = read_xpm(sys.argv[1])
    sizes = [int(s) for s in sys.argv[3].split(",")] if len(sys.argv) == 4 else []
    if len(sizes) > 1:
        if not sys.argv[2].endswith(".ico"):
            sys.exit("several sizes go into an .ico only")
        data = multi_ico(image, sizes)
    else:
        if sizes:
            image = resize(*image, sizes[0])
        data = (ico if sys.argv[2].endswith(".ico") else png)(*image)
    with open(sys.argv[2], "wb") as out:
        out.write(data)
