# The editor in use (1920x1080): its window where it is first placed, at
# (50, 25) and 500x680 pixels, and a marker on every entity in view, 20 pixels
# wide and centred on the entity's position: red for the primary selection
# (zeta, the last one the box took), orange for the rest of the selection
# (delta, epsilon), black for the others; the physics view outlines box
# colliders. A sprite hangs below its position,
# so the lower half of each marker lies on the sprite, where it shows.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

image = qm_image.load(sys.argv[1])
if (image.width, image.height) != (1920, 1080):
    sys.exit(f"screen is {image.width}x{image.height}")

# The window: its frame is the GUI's dark grey, the scene around it black.
# The menu bar is a lighter band along its top.
menu = qm_image.near((36, 36, 36), 6)
xs, ys = [], []
for y in range(10, 70):  # only the corner where it belongs: the picture is large
    for x in range(30, 580):
        if menu(image.at(x, y)):
            xs.append(x)
            ys.append(y)
if not xs:
    sys.exit("no editor menu bar at the top left")
band = (min(xs), min(ys), max(xs))
if any(abs(a - b) > 3 for a, b in zip(band, (50, 25, 549))):
    sys.exit(f"the menu bar spans {band}, expected from (50, 25) to x 549")
body = qm_image.near((15, 15, 15), 4)
for x, y in ((60, 400), (530, 650), (300, 600)):
    if not body(image.at(x, y)):
        sys.exit(f"no window body at ({x}, {y}): {image.at(x, y)}")
for x, y in ((40, 400), (560, 400), (300, 715)):
    if image.at(x, y) != (0, 0, 0):
        sys.exit(f"the window reaches ({x}, {y}): {image.at(x, y)}")

RED, ORANGE, BLACK = (255, 13, 0), (204, 77, 0), (0, 0, 0)
markers = {
    "alpha": ((1120, 540), BLACK),
    "beta": ((1320, 420), BLACK),
    "delta": ((1280, 700), ORANGE),
    "epsilon": ((1440, 540), ORANGE),
    "zeta": ((1440, 700), RED),
}
for name, ((cx, cy), colour) in markers.items():
    # The marker's lower edge crosses the sprite 10 pixels below the position.
    row = [image.at(x, cy + dy) for dy in (9, 10) for x in range(cx - 6, cx + 7)]
    hits = sum(1 for p in row if qm_image.near(colour, 30)(p))
    if hits < 10:
        sys.exit(f"{name}: no {colour} marker edge at y {cy + 10} around x {cx}: {row}")
    # Its sides stand 10 pixels left and right of the position.
    for side in (cx - 10, cx + 10):
        column = [image.at(x, cy + 5) for x in range(side - 1, side + 2)]
        if not any(qm_image.near(colour, 30)(p) for p in column):
            sys.exit(f"{name}: no marker side at x {side}: {column}")
# The physics view of the editor: alpha's 16 x 16 box collider, centred 4
# units below alpha, outlined in red from window x 1088 to 1152, y 524 to 588.
box_red = qm_image.near((255, 26, 26), 30)
for x, y in ((1088, 580), (1152, 580), (1095, 524), (1095, 588)):
    if not any(box_red(image.at(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
        sys.exit(f"no collider outline at ({x}, {y}): {image.at(x, y)}")
# The deleted gamma has neither sprite nor marker.
if qm_image.near((0, 255, 255), 40)(image.at(1120, 716)):
    sys.exit("gamma is still shown")
print("window and markers where they belong")
