"""check.py <shot.png> <what> [numbers]: the game's screen shows it.

  title-menu <entries>  the title menu: the first entry bright on the gold bar,
                        the others dimmer below it, centred as that many entries are
  pause-menu            "PAUSED" over five entries, "RESUME" chosen
  quit-question         "QUIT? Y/N" on its small panel
  hint                  the two-line hint at the bottom of what is shown
  ending                "HOME AT LAST" in large letters, the time below
  player <dx> <dy>      the hero (his red cloak) at (dx, dy) from the view's centre

Places are view pixels from the view's centre (+y down), as the game's
interface gives them; the window shows them scaled by the engine's pixel scale
(the view's 498 x 280 into the window's size, rounded up), centred.
"""
import sys

import qm_image

img = qm_image.load(sys.argv[1])
what, args = sys.argv[2], [int(float(a)) for a in sys.argv[3:]]
scale = max(1, min(-(-img.width // 498), -(-img.height // 280)))
missing = []


def bright(p):  # the font's own colours at full strength
    return all(v >= 160 for v in p) and p[2] >= p[0]


def dim(p):  # the font at 60 % over a dark panel
    return all(v >= 90 for v in p) and p[2] >= p[0] and not bright(p)


def gold(p):
    return p[0] > 90 and p[0] > p[2] + 40 and p[1] > p[2]


def cloak(p):
    return p[0] > 70 and p[0] > 1.6 * p[1] and p[0] > 1.4 * p[2]


def expect(x0, y0, x1, y1, test, at_least, what, at_most=None):
    """The view pixels of the box passing test number at least (or below) so many."""
    cx, cy = img.width // 2, img.height // 2
    n = sum(1 for y in range(cy + y0 * scale, cy + y1 * scale) for x in range(cx + x0 * scale, cx + x1 * scale)
            if 0 <= x < img.width and 0 <= y < img.height and test(img.at(x, y))) // (scale * scale)
    if n < at_least or (at_most is not None and n >= at_most):
        missing.append(what)


def menu(top, entries):
    """Entry i's text occupies rows top + 14 i .. + 9."""
    expect(-45, top, 45, top + 9, bright, 30, "the chosen entry's words")
    expect(-64, top - 1, 64, top + 10, gold, 100, "the bar behind the chosen entry")
    for i in range(1, entries):
        expect(-45, top + 14 * i, 45, top + 14 * i + 9, dim, 20, f"the words of entry {i + 1}")
        expect(-64, top + 14 * i, 64, top + 14 * i + 9, gold, 0, f"no bar behind entry {i + 1}", 20)


if what == "title-menu":
    menu(int(72 - (args[0] * 14 - 5) / 2 + 0.5), args[0])
elif what == "pause-menu":
    menu(-22, 5)
    expect(-40, -42, 40, -33, bright, 25, "the heading PAUSED")
elif what == "quit-question":
    expect(-30, -4, 30, 5, bright, 40, "the words QUIT? Y/N")
    expect(-52, -16, 52, 16, gold, 150, "the question's panel")
elif what == "hint":  # 28 pixels above the bottom of what the window shows of the view
    bottom = img.height // scale // 2
    expect(-140, bottom - 45, 140, bottom - 15, bright, 300, "the hint's two lines")
elif what == "ending":
    expect(-70, -38, 70, -20, bright, 300, "HOME AT LAST")
    expect(-40, 26, 40, 35, bright, 40, "the time")
elif what == "player":
    expect(args[0] - 8, args[1], args[0] + 8, args[1] + 24, cloak, 25, f"the hero at {args}")
sys.exit("missing: " + ", ".join(missing) if missing else None)
