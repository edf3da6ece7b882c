# check.py editor <picture>: the editor window where it is first placed, at
# (50, 25), 500 pixels wide, with the orange mark of unsaved changes in its menu
# bar; a marker 20 pixels wide centred on every entity in view: red for the
# primary selection (zeta, the last one the box took), orange for the rest of
# it (delta, epsilon), black for the others; alpha's box collider outlined; the
# deleted gamma gone. World (x, y) is window (960 + 4x, 540 + 4y).
# check.py saved <picture>: no unsaved mark, and alpha shows its picture read
# again from disk (red). check.py level <file>: the level as edited.
import json
import sys

import qm_image

what, path = sys.argv[1:3]
if what == "level":
    found = [(e["name"], round(e["pos"]["x"]), round(e["pos"]["y"])) for e in json.load(open(path))["entities"]
             if {"Sprite", "Probe"} <= {c["__component_name"] for c in e["components"]}]
    expected = [("alpha", 40, 0), ("beta", 90, -30), ("delta", 80, 40), ("epsilon", 120, 0), ("zeta", 120, 40),
                ("beta", 90, -30)]
    sys.exit(None if found == expected else f"entities written: {found}\nexpected: {expected}")

image = qm_image.load(path)
orange = qm_image.near((255, 191, 51), 50)
unsaved = sum(1 for y in range(26, 46) for x in range(240, 440) if orange(image.at(x, y))) > 20
if what == "saved":
    if unsaved or not qm_image.near((255, 0, 0), 60)(image.at(1110, 566)):  # clear of the selection's axes
        sys.exit(f"unsaved mark {unsaved}; alpha shows {image.at(1110, 566)}, not its new red picture")
    sys.exit()
if not unsaved:
    sys.exit("no mark of unsaved changes")
qm_image.expect_box(image.box_of(qm_image.near((36, 36, 36), 6), 30, 10, 580, 70), (50, 25, 549), "the menu bar", 3)
for x, y in ((40, 400), (560, 400), (300, 715)):
    if image.at(x, y) != (0, 0, 0):
        sys.exit(f"the window reaches ({x}, {y}): {image.at(x, y)}")
markers = {"alpha": (1120, 540, (0, 0, 0)), "beta": (1320, 420, (0, 0, 0)), "delta": (1280, 700, (204, 77, 0)),
           "epsilon": (1440, 540, (204, 77, 0)), "zeta": (1440, 700, (255, 13, 0))}
for name, (cx, cy, colour) in markers.items():
    # The lower edge crosses the sprite 10 pixels below the position, the sides 10 left and right.
    if sum(1 for dy in (9, 10) for x in range(cx - 6, cx + 7) if qm_image.near(colour, 30)(image.at(x, cy + dy))) < 10:
        sys.exit(f"{name}: no {colour} marker edge at y {cy + 10}")
    for side in (cx - 10, cx + 10):
        if not any(qm_image.near(colour, 30)(image.at(x, cy + 5)) for x in range(side - 1, side + 2)):
            sys.exit(f"{name}: no marker side at x {side}")
# alpha's 16 x 16 box collider, centred 4 units below it: x 1088..1152, y 524..588.
for x, y in ((1088, 580), (1152, 580), (1095, 524), (1095, 588)):
    if not any(qm_image.near((255, 26, 26), 30)(image.at(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
        sys.exit(f"no collider outline at ({x}, {y})")
if qm_image.near((0, 255, 255), 40)(image.at(1120, 716)):
    sys.exit("gamma is still shown")
