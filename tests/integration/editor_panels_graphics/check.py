# check.py pictures <before> <after>: the lit sprite (8x8 at world (60, 20):
# screen x 1184..1215, y 620..651 at scale 4) is bright grey before and dark
# after, while the panel shows the typed value.
# check.py level <file>: the written "graphics" object holds the new intensity
# and the other settings as they were.
import json
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402


def brightness(image):
    pixels = [image.at(x, y) for y in range(624, 648, 2) for x in range(1188, 1212, 2)]
    return sum(sum(p) for p in pixels) / (3 * len(pixels))


def pictures(before_path, after_path):
    before, after = brightness(qm_image.load(before_path)), brightness(qm_image.load(after_path))
    if before < 120:
        sys.exit(f"the sprite is not lit to begin with: mean {before:.1f}")
    if after > before * 0.25:
        sys.exit(f"the sprite did not go dark: mean {before:.1f} before, {after:.1f} after")


def level(path):
    graphics = json.load(open(path))["graphics"]
    if graphics["global_ambient_intensity"] != 0:
        sys.exit(f"global ambient intensity {graphics['global_ambient_intensity']}, expected 0")
    if graphics["global_ambient"] != {"x": 1, "y": 1, "z": 1} or graphics["moonlight_color"] != {"x": 1, "y": 1, "z": 1}:
        sys.exit(f"other settings changed: {graphics}")


if sys.argv[1] == "pictures":
    pictures(sys.argv[2], sys.argv[3])
else:
    level(sys.argv[2])
print(sys.argv[1], "as expected")
