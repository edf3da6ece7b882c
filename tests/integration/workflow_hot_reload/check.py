# check.py <screenshot> <colour name>: the 16 x 16 picture centred on world
# (0, 0) covers window x 928..991, y 508..571 at 1920x1080 (scale 4).
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

colours = {"red": (255, 0, 0), "yellow": (255, 255, 0), "green": (0, 255, 0)}
image = qm_image.load(sys.argv[1])
want = qm_image.near(colours[sys.argv[2]])
bad = [(x, y, image.at(x, y)) for x in (936, 960, 984) for y in (516, 540, 564) if not want(image.at(x, y))]
if bad:
    sys.exit(f"expected {sys.argv[2]}: " + ", ".join(f"({x}, {y}) is {rgb}" for x, y, rgb in bad))
