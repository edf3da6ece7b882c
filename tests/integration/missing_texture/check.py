# The 8x8 "debug" picture of the sprite at (0, 0): window x 944..975, y 540..571
# (scale 4, world origin at the window centre, hanging below its position).
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

image = qm_image.load(sys.argv[1])
box = image.box_of(qm_image.near((255, 0, 255)))
expected = (944, 540, 975, 571)
if box is None:
    sys.exit("the debug picture is not on screen")
if any(abs(a - b) > 8 for a, b in zip(box, expected)):
    sys.exit(f"debug picture at {box}, expected {expected}")
print("debug picture shown")
