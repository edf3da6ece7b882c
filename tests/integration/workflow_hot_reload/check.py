# check.py split <picture>: the probe's picture "split" (top half red, bottom
# half blue), 16 x 16 units centred on world (0, 0) and (0, 30), is upright, in
# place and at size, and the sprite at (-60, 0) whose texture is missing shows
# the magenta "debug" picture. check.py <colour> <picture>: the picture at
# (0, 0) is all that colour. World (x, y) is window (960 + 4x, 540 + 4y).
import sys

import qm_image

image = qm_image.load(sys.argv[2])
colours = {"red": (255, 0, 0), "blue": (0, 0, 255), "yellow": (255, 255, 0), "green": (0, 255, 0)}
failures = []


def expect(x, y, name, want=True):
    if qm_image.near(colours[name])(image.at(x, y)) != want:
        failures.append(f"({x}, {y}) is {image.at(x, y)}, {'' if want else 'not '}{name} expected")


if sys.argv[1] == "split":
    for top in (508, 628):
        for x in (936, 960, 984):
            expect(x, top + 16, "red")
            expect(x, top + 48, "blue")
        for x, y in ((960, top - 8), (920, top + 32), (1000, top + 32)):
            expect(x, y, "red", False)
            expect(x, y, "blue", False)
    qm_image.expect_box(image.box_of(qm_image.near((255, 0, 255)), 600, 300, 1400, 800), (704, 540, 735, 571),
                        "the debug picture")
else:
    for x, y in ((936, 516), (960, 540), (984, 564)):
        expect(x, y, sys.argv[1])
if failures:
    sys.exit("\n".join(failures))
