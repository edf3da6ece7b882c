# 1920x1080 with the camera at (0, 0): the scene is scaled by 4 and world (0, 0)
# sits at the window centre (960, 540). A sprite at (x, y) spans window x from
# 960 + 4 * (x - w/2) and window y from 540 + 4 * y downwards.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

TOLERANCE = 8  # window pixels: one scene pixel of rounding either way

image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1080):
    sys.exit(f"screen is {image.width}x{image.height}")

wall = image.box_of(qm_image.near((0, 255, 0)))
mover = image.box_of(qm_image.near((255, 0, 0)))
ghost = image.box_of(qm_image.near((0, 0, 255)))
if wall is None:
    sys.exit("the wall is not on screen")
# The wall at (0, 0), 8x8: x 944..975, y 540..571; it is static and never moves.
if any(abs(a - b) > TOLERANCE for a, b in zip(wall, (944, 540, 975, 571))):
    sys.exit(f"the wall moved: at {wall}")
if mover is None:
    sys.exit("the mover is not on screen (it went through the wall and away?)")
# At rest against the wall: x -8, so 912..943.
if any(abs(a - b) > TOLERANCE for a, b in zip(mover, (912, 540, 943, 571))):
    sys.exit(f"the mover is at {mover}, expected resting against the wall's left side (912, 540, 943, 571)")
if ghost is None:
    sys.exit("the ghost is not on screen")
if not ghost[0] > wall[2]:
    sys.exit(f"the ghost at {ghost} did not pass through its wall")
print("the mover stopped at the wall and the ghost passed through")
