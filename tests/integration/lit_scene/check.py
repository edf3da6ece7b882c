# Reads the screenshot of the lit_scene level and checks what its layout
# (scene.py) implies.
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
sys.path.insert(0, here)
import qm_image  # noqa: E402
import scene  # noqa: E402

image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1080):
    sys.exit(f"screen is {image.width}x{image.height}")
failures = []


def expect(ok, what):
    if not ok:
        failures.append(what)


def at(x, y):
    """Window pixel at the middle of world pixel (x, y)."""
    wx, wy = scene.window(x + 0.5, y + 0.5)
    return image.at(int(wx), int(wy))


def brightness(x, y):
    return sum(at(x, y))


# 1. A lit sprite is brighter near its light than far from it.
y = scene.STRIP_A[1] + 4
near, far = brightness(scene.LIGHT_A[0] + 4, y), brightness(scene.STRIP_A[0] + 70, y)
expect(near > far + 60, f"strip a: near the light {near}, far from it {far}")

# 2. The caster darkens the strip straight behind it, not beside it.
y = scene.STRIP_B[1] + 4
behind = brightness(scene.CASTER[0], y)
left, right = brightness(scene.CASTER[0] - 30, y), brightness(scene.CASTER[0] + 30, y)
expect(behind + 40 < min(left, right), f"strip b: behind the caster {behind}, beside it {left} and {right}")
expect(abs(left - right) <= max(left, right) * 0.2, f"strip b: the two sides differ, {left} and {right}")


def is_tile(rgb):
    r, g, b = rgb
    return r > 10 and g > 10 and b <= 4 and abs(r - g) <= max(r, g) * 0.25 + 4


# 3. The tile map fills the pixels no sprite covered, and only those.
for x, y in [(0, -40), (-200, 100), (200, -130), (0, 100)]:
    expect(is_tile(at(x, y)), f"no tile at world ({x}, {y}): {at(x, y)}")
expect(not is_tile(at(scene.STRIP_A[0], scene.STRIP_A[1] + 4)), "the tile map covers strip a")


def red(rgb):
    r, g, b = rgb
    return r > 2 * g + 8 and r > 2 * b + 8


def green(rgb):
    r, g, b = rgb
    return g > 2 * r + 8 and g > 2 * b + 8


# 4. Each marker upright and not mirrored, 32 x 32 window pixels (scale 4);
# the unlit one at full colour over the scene.
for name, (mx, my) in [("lit", scene.MARKER_LIT), ("free", scene.MARKER_FREE), ("unlit", scene.MARKER_UNLIT)]:
    x0, y0 = scene.window(mx - 4, my)
    reds, greens = [], []
    for py in range(int(y0) - 8, int(y0) + 40):
        for px in range(int(x0) - 8, int(x0) + 40):
            rgb = image.at(px, py)
            if red(rgb):
                reds.append((px, py))
            elif green(rgb):
                greens.append((px, py))
    if not reds or not greens:
        failures.append(f"marker {name}: red {len(reds)} and green {len(greens)} pixels")
        continue
    rx0, ry0 = min(p[0] for p in reds), min(p[1] for p in reds)
    rx1, ry1 = max(p[0] for p in reds), max(p[1] for p in reds)
    gx0, gy0 = min(p[0] for p in greens), min(p[1] for p in greens)
    gx1, gy1 = max(p[0] for p in greens), max(p[1] for p in greens)
    expect(abs((gx1 - gx0 + 1) - 32) <= 1 and abs((gy1 - gy0 + 1) - 32) <= 1,
           f"marker {name}: {gx1 - gx0 + 1} x {gy1 - gy0 + 1} window pixels, expected 32 x 32")
    expect(abs((rx1 - rx0 + 1) - 16) <= 1 and abs((ry1 - ry0 + 1) - 16) <= 1,
           f"marker {name}: red quarter {rx1 - rx0 + 1} x {ry1 - ry0 + 1}, expected 16 x 16")
    expect(ry0 <= gy0 + 1 and rx0 <= gx0 + 1, f"marker {name}: red quarter not at the top left")
    expect(abs(gx0 - x0) <= 4 and abs(gy0 - y0) <= 4, f"marker {name}: at ({gx0}, {gy0}), expected ({x0}, {y0})")
    if name == "unlit":
        expect(image.at(rx0 + 2, ry0 + 2) == (255, 0, 0), f"marker unlit: not full red {image.at(rx0 + 2, ry0 + 2)}")

if failures:
    sys.exit("\n".join(failures))
print("lit scene as expected")
