#!/usr/bin/env python3
"""Draws the picture of the unit LIP_ (an open book with the letters ABC) and
writes it as a GIF, 55 x 40 pixels - the size of the unit picture box.

    python3 tools/gif/mkgif.py [out.gif]     (default: demo/Grafik/BST_LIP.GIF)

Only the standard library is used: the GIF and its LZW compression are
written by hand below.
"""

import os
import struct
import sys

WIDTH, HEIGHT = 55, 40

# 16 colours, index -> RGB
PALETTE = [
    (0xFF, 0xF6, 0xD5),  # 0 background, cream
    (0x30, 0x30, 0x38),  # 1 outline
    (0xFF, 0xFF, 0xFF),  # 2 paper
    (0xC8, 0x28, 0x3C),  # 3 cover
    (0xE5, 0x32, 0x2A),  # 4 letter A, red
    (0x2E, 0xA0, 0x3E),  # 5 letter B, green
    (0x2A, 0x5C, 0xD8),  # 6 letter C, blue
    (0xA8, 0xB4, 0xC8),  # 7 text lines on the pages
    (0xE2, 0xDA, 0xC8),  # 8 page shadow at the spine
    (0x8E, 0x1B, 0x2A),  # 9 cover, dark edge
    (0xF5, 0xC5, 0x18),  # 10 little stars
    (0x90, 0x90, 0x98),  # 11 letter shadow
    (0x00, 0x00, 0x00),
    (0x00, 0x00, 0x00),
    (0x00, 0x00, 0x00),
    (0x00, 0x00, 0x00),
]

FONT = {  # 5 x 7
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
}


def draw():
    img = [[0] * WIDTH for _ in range(HEIGHT)]

    def put(x, y, c):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            img[y][x] = c

    spine = WIDTH // 2  # 27

    # Cover: a little wider and lower than the pages.
    for y in range(20, 39):
        for x in range(2, WIDTH - 2):
            put(x, y, 9 if y == 38 or x in (2, WIDTH - 3) else 3)

    # Pages: their top and bottom edges sink towards the spine.
    def page_edges(x):
        t = abs(x - spine) / (spine - 4)  # 0 at the spine, 1 at the outer edge
        top = 17 + round(3 * (1 - t) ** 2)
        bottom = 35 + round(2 * (1 - t) ** 2)
        return top, bottom

    for x in range(4, WIDTH - 4):
        top, bottom = page_edges(x)
        for y in range(top, bottom + 1):
            edge = y in (top, bottom) or x in (4, WIDTH - 5)
            near_spine = abs(x - spine) <= 1
            put(x, y, 1 if edge or x == spine else (8 if near_spine else 2))

    # Lines of "text" on both pages, following the curve of the page.
    for row in range(4):
        for x in list(range(7, spine - 3)) + list(range(spine + 4, WIDTH - 7)):
            if row == 3 and (x > 18 and x < spine or x > 43):
                continue  # the last lines are shorter
            top, _ = page_edges(x)
            put(x, top + 4 + 3 * row, 7)

    # The letters rise out of the book, twice the font size, with a shadow.
    def letter(ch, x0, y0, colour):
        for dy, line in enumerate(FONT[ch]):
            for dx, bit in enumerate(line):
                if bit == "#":
                    for sy in range(2):
                        for sx in range(2):
                            put(x0 + 2 * dx + sx + 1, y0 + 2 * dy + sy + 1, 11)
        for dy, line in enumerate(FONT[ch]):
            for dx, bit in enumerate(line):
                if bit == "#":
                    for sy in range(2):
                        for sx in range(2):
                            put(x0 + 2 * dx + sx, y0 + 2 * dy + sy, colour)

    letter("A", 8, 1, 4)
    letter("B", 22, 1, 5)
    letter("C", 36, 1, 6)

    # Two small stars for a bit of sparkle.
    for cx, cy in ((3, 4), (51, 9)):
        for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
            put(cx + dx, cy + dy, 10)
    return img


def lzw_compress(indices, min_code_size):
    """GIF flavour of LZW: variable code width, codes packed LSB first."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {bytes([i]): i for i in range(clear)}

    table = fresh_table()
    next_code = end + 1
    width = min_code_size + 1
    emit(clear, width)

    prefix = b""
    for index in indices:
        candidate = prefix + bytes([index])
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The decoder adds its entries one step later, so it widens its
            # codes once our next free code has passed the current limit.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = fresh_table()
            next_code = end + 1
            width = min_code_size + 1
        prefix = bytes([index])
    if prefix:
        emit(table[prefix], width)
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_bytes(img, palette):
    height, width = len(img), len(img[0])
    assert len(palette) == 16
    data = bytearray(b"GIF89a")
    # global colour table of 16 entries, 8 bits per primary
    data += struct.pack("<HHBBB", width, height, 0xF3, 0, 0)
    for r, g, b in palette:
        data += bytes((r, g, b))
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    min_code_size = 4
    data.append(min_code_size)
    packed = lzw_compress([c for row in img for c in row], min_code_size)
    for i in range(0, len(packed), 255):
        chunk = packed[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data.append(0)      # end of image data
    data.append(0x3B)   # trailer
    return bytes(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "demo", "Grafik", "BST_LIP.GIF")
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default)
    with open(target, "wb") as f:
        f.write(gif_bytes(draw(), PALETTE))
    print("wrote", target)


if __name__ == "__main__":
    main()
