# 1920x1080 with the camera at (0, 0): the scene is scaled by 4 and world (0, 0)
# sits at the window centre (960, 540). A sprite at (x, y) spans window x from
# 960 + 4 * (x - w/2) and window y from 540 + 4 * y downwards.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

TOLERANCE = 8  # window pixels: one scene pixel of sub-pixel scroll, plus rounding


def close(box, expected, what):
    if box is None:
        sys.exit(f"{what}: not on screen, expected at {expected}")
    if any(abs(a - b) > TOLERANCE for a, b in zip(box, expected)):
        sys.exit(f"{what}: at {box}, expected {expected} (x0, y0, x1, y1)")


image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1080):
    sys.exit(f"screen is {image.width}x{image.height}")

# marker at (-40, -20), 8x8 unlit: x 784..815, y 460..491; red quarter top-left.
red = image.box_of(qm_image.near((255, 0, 0)))
green = image.box_of(qm_image.near((0, 255, 0)))
close(green, (784, 460, 815, 491), "marker (green part)")
close(red, (784, 460, 799, 475), "marker (red quarter)")
if not (red[1] < (green[1] + green[3]) / 2):
    sys.exit("marker is upside down: its red quarter is not at the top")
if not (red[0] < (green[0] + green[2]) / 2):
    sys.exit("marker is mirrored: its red quarter is not on the left")

# block at (40, 10), 8x4, lit: x 1104..1135, y 580..595; lighting may change
# its shade but not which channel dominates.
close(image.box_of(qm_image.dominant(2)), (1104, 580, 1135, 595), "block")
print("level shown as expected")
