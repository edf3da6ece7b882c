"""Tiny image helpers for the integration tests (no third-party modules).

  python3 qm_image.py png OUT.png W H RRGGBB [x0 y0 x1 y1 RRGGBB]...
      writes an RGBA PNG filled with the colour, then each rectangle painted
      (x1, y1 exclusive; row 0 is the top row of the image).

Checks import this module: load(path) reads any image through ImageMagick's
`convert` as binary PPM.
"""
import struct
import subprocess
import sys
import zlib


def colour(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) for i in (0, 2, 4))


def write_png(path, width, height, pixels):
    """pixels: list of rows, each a list of (r, g, b) tuples; written opaque."""
    raw = b"".join(b"\x00" + b"".join(bytes((r, g, b, 255)) for r, g, b in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) +
                chunk(b"IEND", b""))


class Image:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def box_of(self, match):
        """Bounding box (x0, y0, x1, y1), ends inclusive, of the pixels for which
        match(rgb) holds, or None."""
        xs, ys = [], []
        for y in range(self.height):
            row = self.data[y * self.width * 3:(y + 1) * self.width * 3]
            for x in range(self.width):
                if match(tuple(row[x * 3:x * 3 + 3])):
                    xs.append(x)
                    ys.append(y)
        if not xs:
            return None
        return min(xs), min(ys), max(xs), max(ys)


def load(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True,
                         timeout=60).stdout
    # P6 header: magic, width, height, maxval, separated by whitespace; a '#'
    # starts a comment up to the end of its line.
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace() or ppm[pos:pos + 1] == b"#":
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos)
            pos += 1
        end = pos
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[pos:end])
        pos = end
    pos += 1
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("unexpected image format from convert")
    width, height = int(fields[1]), int(fields[2])
    return Image(width, height, ppm[pos:pos + width * height * 3])


def near(expected, tolerance=40):
    return lambda rgb: all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def dominant(channel, margin=80):
    """The channel (0 r, 1 g, 2 b) exceeds both others by margin: survives lighting."""
    return lambda rgb: all(rgb[channel] - rgb[c] >= margin for c in range(3) if c != channel)


def main(argv):
    if len(argv) >= 5 and argv[0] == "png":
        out, width, height = argv[1], int(argv[2]), int(argv[3])
        pixels = [[colour(argv[4])] * width for _ in range(height)]
        rest = argv[5:]
        if len(rest) % 5:
            raise SystemExit("rectangles take x0 y0 x1 y1 colour")
        for i in range(0, len(rest), 5):
            x0, y0, x1, y1 = map(int, rest[i:i + 4])
            c = colour(rest[i + 4])
            for y in range(y0, y1):
                for x in range(x0, x1):
                    pixels[y][x] = c
        write_png(out, width, height, [list(r) for r in pixels])
        return 0
    raise SystemExit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
