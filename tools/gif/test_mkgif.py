#!/usr/bin/env python3
"""Checks the hand-written GIF encoder against a separate, plain decoder.

    python3 tools/gif/test_mkgif.py [picture.gif]

Without an argument only the encoder is tested; with one, the committed
picture is decoded as well and compared with what mkgif.py draws now.
"""

import os
import random
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mkgif  # noqa: E402

PICTURE = None


def lzw_decompress(data, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    pos = 0  # bit position

    def read(width):
        nonlocal pos
        value = 0
        for i in range(width):
            byte = data[(pos + i) // 8]
            value |= ((byte >> ((pos + i) % 8)) & 1) << i
        pos += width
        return value

    out = []
    width = min_code_size + 1
    table = None
    previous = None
    while True:
        if (pos + width) > len(data) * 8:
            raise ValueError("data ends without an end code")
        code = read(width)
        if code == clear:
            table = [[i] for i in range(clear)] + [None, None]
            width = min_code_size + 1
            previous = None
            continue
        if code == end:
            return out
        if table is None:
            raise ValueError("no clear code at the start")
        if previous is None:
            entry = table[code]
        else:
            if code < len(table):
                entry = table[code]
            elif code == len(table):
                entry = previous + previous[:1]
            else:
                raise ValueError("code %d beyond the table (%d)" % (code, len(table)))
            if len(table) < 4096:
                table.append(previous + entry[:1])
                if len(table) == (1 << width) and width < 12:
                    width += 1
        out.extend(entry)
        previous = entry


def decode_gif(blob):
    if blob[:6] != b"GIF89a":
        raise ValueError("not a GIF89a")
    width, height, packed, _bg, _pixel_ratio = struct.unpack("<HHBBB", blob[6:13])
    pos = 13
    palette = []
    if packed & 0x80:
        entries = 2 << (packed & 7)
        for i in range(entries):
            palette.append(tuple(blob[pos + 3 * i:pos + 3 * i + 3]))
        pos += 3 * entries
    if blob[pos] != 0x2C:
        raise ValueError("image descriptor expected")
    _x, _y, w, h, ipacked = struct.unpack("<HHHHB", blob[pos + 1:pos + 10])
    if (w, h) != (width, height) or ipacked & 0x80:
        raise ValueError("unexpected image descriptor")
    pos += 10
    min_code_size = blob[pos]
    pos += 1
    data = bytearray()
    while blob[pos] != 0:
        n = blob[pos]
        data += blob[pos + 1:pos + 1 + n]
        pos += 1 + n
    if blob[pos + 1:] != b"\x3b":
        raise ValueError("trailer missing or junk after it")
    pixels = lzw_decompress(bytes(data), min_code_size)
    if len(pixels) != width * height:
        raise ValueError("%d pixels for %d x %d" % (len(pixels), width, height))
    return width, height, palette, pixels


class LzwRoundTrip(unittest.TestCase):
    def roundtrip(self, indices, min_code_size=4):
        packed = mkgif.lzw_compress(indices, min_code_size)
        self.assertEqual(lzw_decompress(packed, min_code_size), indices)

    def test_short_inputs(self):
        for indices in ([0], [15], [1, 1], [3, 3, 3, 3, 3, 3, 3], [0, 1, 0, 1, 0, 1, 0]):
            self.roundtrip(indices)

    def test_code_width_grows(self):
        # enough different pairs to pass 32, 64, ... entries
        rnd = random.Random(7)
        self.roundtrip([rnd.randrange(16) for _ in range(3000)])

    def test_table_full_and_cleared(self):
        # random noise fills the 4096 entries several times over
        rnd = random.Random(11)
        self.roundtrip([rnd.randrange(16) for _ in range(40000)])

    def test_long_runs(self):
        self.roundtrip([5] * 20000 + [6] * 3 + [5] * 7)

    def test_other_code_sizes(self):
        rnd = random.Random(3)
        self.roundtrip([rnd.randrange(4) for _ in range(5000)], min_code_size=2)
        self.roundtrip([rnd.randrange(256) for _ in range(20000)], min_code_size=8)


class Picture(unittest.TestCase):
    def test_encoded_picture_decodes_to_the_drawing(self):
        img = mkgif.draw()
        width, height, palette, pixels = decode_gif(mkgif.gif_bytes(img, mkgif.PALETTE))
        self.assertEqual((width, height), (55, 40))  # fills the 825 x 600 twips box
        self.assertEqual(palette, mkgif.PALETTE)
        self.assertEqual(pixels, [c for row in img for c in row])

    def test_picture_is_colourful(self):
        used = set(c for row in mkgif.draw() for c in row)
        self.assertTrue({3, 4, 5, 6}.issubset(used), used)

    @unittest.skipUnless(PICTURE or len(sys.argv) > 1, "no picture given")
    def test_committed_picture_is_up_to_date(self):
        with open(PICTURE, "rb") as f:
            _w, _h, _palette, pixels = decode_gif(f.read())
        self.assertEqual(pixels, [c for row in mkgif.draw() for c in row])


if __name__ == "__main__":
    if len(sys.argv) > 1:
        PICTURE = sys.argv.pop(1)
    unittest.main()
