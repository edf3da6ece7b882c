# The crate is 8x8 at world (60, 20): window x 1184..1215, y 620..651 (scale 4,
# camera at the origin); tile cell (cx, cy) covers world x from 16 cx, y from 16 cy.
#   check.py crate <picture>: it shows the fallback "debug" picture, magenta.
#   check.py tiles <picture>: cells 3..8 of row 0 (window x 1152..1535, y
#     540..603) show the yellow tile but the erased cell 5 (x 1280..1343).
#   check.py dark <before> <after>: the lit crate went dark.
#   check.py level <file>: the level written holds every edit.
import json
import sys

import qm_image


def brightness(path):
    image = qm_image.load(path)
    pixels = [image.at(x, y) for y in range(624, 648, 2) for x in range(1188, 1212, 2)]
    return sum(sum(p) for p in pixels) / (3 * len(pixels))


def level(path):
    level = json.load(open(path))
    sprite, body = level["entities"][0]["components"]
    if (len(level["entities"]), sprite["texture"], body["__component_name"], body["restitution"]) != (2, "gone", "RigidBody", 0.25):
        sys.exit(f"entities: {level['entities']}")
    graphics = level["graphics"]
    if graphics["global_ambient_intensity"] != 0 or graphics["global_ambient"] != {"x": 1, "y": 1, "z": 1}:
        sys.exit(f"graphics: {graphics}")
    tiles = level["tile_map"]
    w, h = tiles["width"], tiles["height"]
    values = [int(v) for v in tiles["tiles"].split()]
    painted = {(i // h - w // 2, i % h - h // 2): v for i, v in enumerate(values) if v}
    if (tiles["tile_textures"], (w, h), painted) != (["tile"], (18, 2), {(cx, 0): 1 for cx in (3, 4, 6, 7, 8)}):
        sys.exit(f"tile map: {tiles}")


what = sys.argv[1]
if what == "crate":
    image = qm_image.load(sys.argv[2])
    qm_image.expect_box(image.box_of(qm_image.near((255, 0, 255)), 600), (1184, 620, 1215, 651), "the debug picture")
elif what == "tiles":
    image = qm_image.load(sys.argv[2])
    yellow = lambda rgb: rgb[0] > 150 and rgb[1] > 150 and rgb[2] < 90  # noqa: E731
    qm_image.expect_box(image.box_of(yellow, 600, 300, None, 800, 2), (1152, 540, 1534, 603), "the painted tiles")
    if yellow(image.at(1311, 570)):
        sys.exit("the erased cell still shows a tile")
elif what == "dark":
    before, after = brightness(sys.argv[2]), brightness(sys.argv[3])
    if before < 120 or after > before * 0.25:
        sys.exit(f"the lit crate: mean {before:.1f} before, {after:.1f} after")
else:
    level(sys.argv[2])
