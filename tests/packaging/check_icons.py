"""Checks the committed artwork in packaging/icons byte by byte.

Usage: check_icons.py <packaging/icons directory>

vantrel.ico must hold 18 images, 4, 8 and 32 bits per pixel at 256, 128, 48,
32, 24 and 16 pixels; the 256 images RGBA PNGs, the others bitmaps whose
header, colour table, XOR bitmap and AND mask add up to the stored size, and
whose mask agrees with the pixels. The hicolor PNGs and the picture-box JPEG
are checked for size and format.
"""

import os
import struct
import sys
import unittest
import zlib

ICONS = None
APP_ID = "org.vantrel.Vantrel"
SIZES = (256, 128, 48, 32, 24, 16)
EXPECTED = [(depth, size) for depth in (4, 8, 32) for size in SIZES]


def read(path):
    with open(os.path.join(ICONS, path), "rb") as f:
        return f.read()


def png_header(data):
    """(width, height, bit depth, colour type) from a PNG's IHDR."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "no PNG signature"
    length, kind = struct.unpack(">I4s", data[8:16])
    assert kind == b"IHDR" and length == 13
    body = data[16:29]
    assert struct.unpack(">I", data[29:33])[0] == zlib.crc32(kind + body), "IHDR CRC"
    width, height, depth, colour = struct.unpack(">IIBB", body[:10])
    return width, height, depth, colour


def ico_entries(data):
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    assert (reserved, kind) == (0, 1), "not an icon file"
    entries = []
    for i in range(count):
        fields = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        entries.append(dict(zip(("width", "height", "colours", "reserved", "planes",
                                 "bits", "length", "offset"), fields)))
    return entries


def mask_bit(mask, size, x, y):
    stride = (size + 31) // 32 * 4
    row = mask[(size - 1 - y) * stride:(size - y) * stride]  # rows are stored bottom-up
    return (row[x >> 3] >> (7 - (x & 7))) & 1


def xor_pixel(pixels, size, depth, x, y):
    """Palette index (4/8 bpp) or (b, g, r, a) (32 bpp) of a pixel."""
    stride = (size * depth + 31) // 32 * 4
    row = pixels[(size - 1 - y) * stride:(size - y) * stride]
    if depth == 32:
        return tuple(row[4 * x:4 * x + 4])
    if depth == 8:
        return row[x]
    return (row[x >> 1] >> (4 if x % 2 == 0 else 0)) & 0x0F


class ProgramIcon(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = read("vantrel.ico")
        cls.entries = ico_entries(cls.data)

    def images(self):
        for entry, (depth, size) in zip(self.entries, EXPECTED):
            blob = self.data[entry["offset"]:entry["offset"] + entry["length"]]
            yield entry, depth, size, blob

    def test_directory_lists_three_depths_times_six_sizes(self):
        self.assertEqual(len(self.entries), 18)
        for entry, depth, size, _ in self.images():
            with self.subTest(depth=depth, size=size):
                self.assertEqual(entry["width"], size % 256)  # 0 stands for 256
                self.assertEqual(entry["height"], size % 256)
                self.assertEqual(entry["colours"], 16 if depth == 4 else 0)
                self.assertEqual(entry["reserved"], 0)
                self.assertEqual(entry["planes"], 1)
                self.assertEqual(entry["bits"], depth)

    def test_images_fill_the_file_without_overlap(self):
        position = 6 + 16 * len(self.entries)
        for entry in sorted(self.entries, key=lambda e: e["offset"]):
            self.assertEqual(entry["offset"], position)
            position += entry["length"]
        self.assertEqual(position, len(self.data))

    def test_largest_images_are_rgba_pngs(self):
        for _, depth, size, blob in self.images():
            if size == 256:
                with self.subTest(depth=depth):
                    self.assertEqual(png_header(blob), (256, 256, 8, 6))
                    self.assertTrue(blob.endswith(b"IEND\xaeB`\x82"), "PNG is cut short")

    def test_smaller_images_are_bitmaps_with_mask(self):
        for _, depth, size, blob in self.images():
            if size == 256:
                continue
            with self.subTest(depth=depth, size=size):
                (header_size, width, height, planes, bits, compression, _, _, _, used,
                 _) = struct.unpack("<IiiHHIIiiII", blob[:40])
                self.assertEqual((header_size, width, height, planes, bits, compression),
                                 (40, size, 2 * size, 1, depth, 0))
                colours = 0 if depth == 32 else 1 << depth
                self.assertIn(used, (0, colours))  # 0 means a full colour table
                xor_length = (size * depth + 31) // 32 * 4 * size
                mask_length = (size + 31) // 32 * 4 * size
                self.assertEqual(len(blob), 40 + 4 * colours + xor_length + mask_length)

    def test_mask_agrees_with_pixels(self):
        # Where the AND mask lets the background through, the XOR bitmap must be
        # black (else old renderers invert the background there) or, at 32 bpp,
        # transparent; where it does not, the pixel must be opaque. The corner is
        # clear of the artwork, the centre lies on the card.
        for _, depth, size, blob in self.images():
            if size == 256:
                continue
            with self.subTest(depth=depth, size=size):
                colours = 0 if depth == 32 else 1 << depth
                table = blob[40:40 + 4 * colours]
                pixels = blob[40 + 4 * colours:]
                mask = pixels[(size * depth + 31) // 32 * 4 * size:]
                self.assertEqual(mask_bit(mask, size, 0, 0), 1, "top-left corner")
                self.assertEqual(mask_bit(mask, size, size // 2, size // 2), 0, "centre")
                for y in range(size):
                    for x in range(size):
                        value = xor_pixel(pixels, size, depth, x, y)
                        clear = mask_bit(mask, size, x, y)
                        if depth == 32:
                            self.assertEqual(clear, value[3] < 128, (x, y))
                        elif clear:
                            self.assertEqual(table[4 * value:4 * value + 3], b"\0\0\0", (x, y))


class DesktopArtwork(unittest.TestCase):
    def test_hicolor_pngs_have_their_sizes(self):
        for size in SIZES:
            with self.subTest(size=size):
                data = read(f"hicolor/{size}x{size}/apps/{APP_ID}.png")
                self.assertEqual(png_header(data), (size, size, 8, 6))

    def test_scalable_icon_is_the_source_drawing(self):
        self.assertEqual(read(f"hicolor/scalable/apps/{APP_ID}.svg"), read("vantrel.svg"))

    def test_picture_is_a_baseline_jfif_of_143_by_60(self):
        data = read("picture.jpg")
        self.assertEqual(data[:2], b"\xff\xd8")
        self.assertEqual(data[-2:], b"\xff\xd9")
        # APP0 JFIF 1.01 comes first.
        self.assertEqual(data[2:4], b"\xff\xe0")
        self.assertEqual(data[6:11], b"JFIF\0")
        self.assertEqual(tuple(data[11:13]), (1, 1))
        position, frames = 2, []
        while position < len(data):
            self.assertEqual(data[position], 0xFF)
            marker = data[position + 1]
            if marker == 0xDA:  # start of scan: entropy-coded data follows
                break
            length = struct.unpack(">H", data[position + 2:position + 4])[0]
            if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
                frames.append((marker,) + struct.unpack(">BHHB", data[position + 4:position + 10]))
            position += 2 + length
        self.assertEqual(frames, [(0xC0, 8, 60, 143, 3)])  # SOF0: baseline


if __name__ == "__main__":
    ICONS = sys.argv.pop(1)
    unittest.main(verbosity=2)
