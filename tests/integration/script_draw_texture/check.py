# 1920x1080 with the camera at (0, 0): the scene is scaled by 4 and world (0, 0)
# sits at the window centre (960, 540). A 16 x 16 picture centred on (0, y)
# covers window x 928..991 and y 540 + 4 * (y - 8) .. 540 + 4 * (y + 8) - 1.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1080):
    sys.exit(f"screen is {image.width}x{image.height}")

red = qm_image.near((255, 0, 0))
blue = qm_image.near((0, 0, 255))
failures = []
for world_y in (0, 30):
    top = 540 + 4 * (world_y - 8)
    # Sample well inside each half, clear of a pixel of rounding at the edges.
    for x in (936, 960, 984):
        if not red(image.at(x, top + 16)):
            failures.append(f"y={world_y}: expected red (upper half) at ({x}, {top + 16}), got {image.at(x, top + 16)}")
        if not blue(image.at(x, top + 48)):
            failures.append(f"y={world_y}: expected blue (lower half) at ({x}, {top + 48}), got {image.at(x, top + 48)}")
    for x, y in ((960, top - 8), (920, top + 32), (1000, top + 32)):
        if red(image.at(x, y)) or blue(image.at(x, y)):
            failures.append(f"y={world_y}: the picture reaches ({x}, {y}), outside its 16 x 16 units")
if failures:
    sys.exit("\n".join(failures))
print("both pictures upright, in place and at size")
