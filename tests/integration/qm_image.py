"""Image helpers for the integration tests (no third-party modules).

  python3 qm_image.py png OUT.png W H FILL [x0 y0 x1 y1 COLOUR]...
      writes a PNG filled with FILL, then each rectangle painted (x1, y1
      exclusive; row 0 at the top). Colours are RRGGBB or RRGGBBAA.

Checks import it: load(path) reads any picture through ImageMagick.
"""
import struct
import subprocess
import sys
import zlib


def colour(text):
    return tuple(int(text[i:i + 2], 16) for i in range(0, len(text), 2)) + ((255,) if len(text) == 6 else ())


def png(path, width, height, fill, *rects):
    rows = [[colour(fill)] * width for _ in range(height)]
    for x0, y0, x1, y1, c in rects:
        for y in range(int(y0), int(y1)):
            rows[y][int(x0):int(x1)] = [colour(c)] * (int(x1) - int(x0))
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class Image:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def at(self, x, y):
        i = (int(y) * self.width + int(x)) * 3
        return tuple(self.data[i:i + 3])

    def box_of(self, match, x0=0, y0=0, x1=None, y1=None, step=1):
        """Bounding box (x0, y0, x1, y1), ends inclusive, of the pixels in the
        given area for which match(rgb) holds, or None."""
        hits = [(x, y) for y in range(y0, y1 or self.height) for x in range(x0, x1 or self.width, step)
                if match(self.at(x, y))]
        if not hits:
            return None
        return min(p[0] for p in hits), min(p[1] for p in hits), max(p[0] for p in hits), max(p[1] for p in hits)


def load(path, crop=None):
    """crop: "WxH+X+Y", the part of the picture to keep."""
    args = ["convert", path, "-strip"] + (["-crop", crop, "+repage"] if crop else []) + ["-depth", "8", "ppm:-"]
    ppm = subprocess.run(args, check=True, capture_output=True, timeout=60).stdout
    # ImageMagick writes "P6\n<w> <h>\n255\n" and the data, with no comments.
    magic, width, height, rest = ppm.split(maxsplit=3)
    data = rest[4:]
    if magic != b"P6" or rest[:4] != b"255\n":
        raise ValueError("unexpected image format from convert")
    return Image(int(width), int(height), data)


def near(expected, tolerance=40):
    return lambda rgb: all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def expect_box(box, expected, what, tolerance=8):
    """Exits naming what, unless box lies within tolerance of expected."""
    if box is None or any(abs(a - b) > tolerance for a, b in zip(box, expected)):
        sys.exit(f"{what}: at {box}, expected {expected}")


if __name__ == "__main__":
    if len(sys.argv) < 6 or sys.argv[1] != "png" or (len(sys.argv) - 6) % 5:
        sys.exit(__doc__)
    a = sys.argv[2:]
    png(a[0], int(a[1]), int(a[2]), a[3], *[a[i:i + 5] for i in range(4, len(a), 5)])
