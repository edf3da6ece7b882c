# check.py picture <screenshot>: the painted cells show yellow on screen.
# check.py level <file>: the written tile map holds the stroke: cells 3, 4, 6,
# 7 and 8 of row 0 hold tile 1 (cell 5 was erased), nothing else is painted.
#
# Cell (cx, cy) covers world x from 16 cx and y from 16 cy; the map grows
# evenly around the origin, so it sits at column W/2 + cx, row H/2 + cy.
import json
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402


def picture(path):
    image = qm_image.load(path)
    # Cells 3..8 of row 0 cover world x 48..144, y 0..16: screen x 1152..1535,
    # y 540..603 (the scene is drawn at scale 4).
    # Only the level is searched: the GUI window (x < 600) has yellow text.
    def is_yellow(rgb):
        return rgb[0] > 150 and rgb[1] > 150 and rgb[2] < 90

    hits = [(x, y) for y in range(300, 800) for x in range(600, image.width, 2) if is_yellow(image.at(x, y))]
    yellow = None
    if hits:
        xs, ys = [p[0] for p in hits], [p[1] for p in hits]
        yellow = (min(xs), min(ys), max(xs) + 1, max(ys))
    expected = (1152, 540, 1535, 603)
    if yellow is None or any(abs(a - b) > 8 for a, b in zip(yellow, expected)):
        sys.exit(f"painted tiles at {yellow}, expected {expected}")
    # The erased cell 5 (screen x 1280..1343) shows no tile.
    if is_yellow(image.at(1311, 570)):
        sys.exit("the erased cell still shows a tile")


def level(path):
    tile_map = json.load(open(path))["tile_map"]
    w, h = tile_map["width"], tile_map["height"]
    text = tile_map["tiles"]
    if not text.endswith(" "):
        sys.exit(f"tiles string does not end with a space: {text!r}")
    values = [int(v) for v in text.split()]
    if len(values) != w * h:
        sys.exit(f"{len(values)} tiles for a {w} x {h} map")
    if tile_map["tile_textures"] != ["tile"] or (tile_map["tile_width"], tile_map["tile_height"]) != (16, 16):
        sys.exit(f"tile map header changed: {tile_map}")
    painted = {(i // h - w // 2, i % h - h // 2): v for i, v in enumerate(values) if v}
    expected = {(cx, 0): 1 for cx in (3, 4, 6, 7, 8)}
    if painted != expected:
        sys.exit(f"painted cells {sorted(painted.items())}, expected {sorted(expected.items())} "
                 f"({w} x {h}, tiles {text!r})")
    if (w, h) != (18, 2):
        sys.exit(f"map of {w} x {h}, expected 18 x 2 (the stroke's last cell is 8)")


{"picture": picture, "level": level}[sys.argv[1]](sys.argv[2])
print(sys.argv[1], "as expected")
