# 1920x1200: letterbox 1920x1080 at y 60 (bars of 60 rows), pixel scale still 4.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
sys.path.insert(0, sys.argv[2])
import qm_image  # noqa: E402
import scene  # noqa: E402

image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1200):
    sys.exit(f"screen is {image.width}x{image.height}")
failures = []
columns = range(0, 1920, 23)
for y in list(range(0, 60, 7)) + [59, 1140] + list(range(1141, 1200, 7)):
    row = [image.at(x, y) for x in columns]
    if any(p != (0, 0, 0) for p in row):
        failures.append(f"bar row {y} is not black: {sorted(set(row))[-1]}")
for y in (60, 1139):
    row = [image.at(x, y) for x in columns]
    lit = [p for p in row if p[2] <= 4 and p[0] > 10 and p[1] > 10]
    if len(lit) < len(row) * 0.9:
        failures.append(f"row {y}, just inside the view, is not the tile map: {row[:3]}")
# The lit marker where the scene puts it around the 1920x1200 centre.
x0, y0 = scene.window(scene.MARKER_LIT[0] - 4, scene.MARKER_LIT[1], (1920, 1200))
r, g, b = image.at(int(x0) + 8, int(y0) + 8)  # inside its red top-left quarter
if not (r > 2 * g + 8 and r > 2 * b + 8):
    failures.append(f"no red marker quarter at ({x0 + 8}, {y0 + 8}): {(r, g, b)}")
r, g, b = image.at(int(x0) + 24, int(y0) + 24)  # inside its green part
if not (g > 2 * r + 8 and g > 2 * b + 8):
    failures.append(f"no green marker part at ({x0 + 24}, {y0 + 24}): {(r, g, b)}")
if failures:
    sys.exit("\n".join(failures))
print("letterbox as expected")
