"""Checks a screenshot of the game for what must be on it.

usage: check.py <shot.png> <what> [numbers...]

Positions are given as the game's interface gives them: pixels of the view
relative to its centre (+y down), which the window shows scaled by the
engine's pixel scale (the view's size into the window's, rounded up) with the
centre of the view at the centre of the screen.

  title-menu <entries>     the title menu: the first entry bright on the gold
                           bar, the others written dimmer below it
  pause-menu               "PAUSED" over five entries, "RESUME" chosen
  quit-question            "QUIT? Y/N" on its small panel
  hint                     the two-line hint at the bottom of what is shown
  ending                   "HOME AT LAST" in large letters, the time below
  player <dx> <dy>         the hero (his red cloak) at (dx, dy) from the view's centre
"""
import os
import sys

sys.path.insert(0, os.environ.get("QM_TOOLS_DIR", os.path.dirname(os.environ.get("QM_TOOLS", ""))))
import qm_image  # noqa: E402

VIEW_W, VIEW_H = 498, 280


def setup(img):
    scale = max(1, min(-(-img.width // VIEW_W), -(-img.height // VIEW_H)))
    return scale, img.width // 2, img.height // 2


def count(img, box, test):
    scale, cx, cy = setup(img)
    x0, y0, x1, y1 = box
    n = 0
    for y in range(cy + y0 * scale, cy + y1 * scale):
        for x in range(cx + x0 * scale, cx + x1 * scale):
            if 0 <= x < img.width and 0 <= y < img.height and test(img.at(x, y)):
                n += 1
    return n // (scale * scale)  # in view pixels


def bright_text(p):   # the font's own colours, drawn at full strength
    return all(v >= 160 for v in p) and p[2] >= p[0]


def dim_text(p):      # the font at 60 % over a dark panel
    return all(v >= 90 for v in p) and p[2] >= p[0] and not bright_text(p)


def gold(p):
    return p[0] > 90 and p[0] > p[2] + 40 and p[1] > p[2]


def cloak(p):
    return p[0] > 70 and p[0] > 1.6 * p[1] and p[0] > 1.4 * p[2]


def expect(ok, what):
    if not ok:
        print("missing:", what)
    return ok


def menu_rows(img, first_row_y, entries, heading=None):
    """Entry i's text occupies rows first_row_y + 14 i .. + 9."""
    ok = True
    if heading:
        ok &= expect(count(img, (-40, first_row_y - 20, 40, first_row_y - 11), bright_text) >= 25,
                     f"the heading {heading}")
    ok &= expect(count(img, (-45, first_row_y, 45, first_row_y + 9), bright_text) >= 30, "the chosen entry's words")
    ok &= expect(count(img, (-64, first_row_y - 1, 64, first_row_y + 10), gold) >= 100, "the bar behind the chosen entry")
    for i in range(1, entries):
        y = first_row_y + 14 * i
        ok &= expect(count(img, (-45, y, 45, y + 9), dim_text) >= 20, f"the words of entry {i + 1}")
        ok &= expect(count(img, (-64, y, 64, y + 9), gold) < 20, f"no bar behind entry {i + 1}")
    return ok


def main():
    img = qm_image.load(sys.argv[1])
    what, args = sys.argv[2], [float(a) for a in sys.argv[3:]]
    if what == "title-menu":
        entries = int(args[0])
        top = int(72 - (entries * 14 - 5) / 2 + 0.5)
        ok = menu_rows(img, top, entries)
    elif what == "pause-menu":
        top = int(0 - (5 * 14 - 5 + 20) / 2 + 0.5) + 20
        ok = menu_rows(img, top, 5, "PAUSED")
    elif what == "quit-question":
        ok = expect(count(img, (-30, -4, 30, 5), bright_text) >= 40, "the words QUIT? Y/N")
        ok &= expect(count(img, (-52, -16, 52, 16), gold) >= 150, "the question's panel")
    elif what == "hint":
        # 28 pixels above the bottom of what the window shows of the view
        half_h = img.height // setup(img)[0] // 2
        ok = expect(count(img, (-140, half_h - 45, 140, half_h - 15), bright_text) >= 300, "the hint's two lines")
    elif what == "ending":
        top = 10 - 60
        ok = expect(count(img, (-70, top + 12, 70, top + 30), bright_text) >= 300, "HOME AT LAST")
        ok &= expect(count(img, (-40, top + 76, 40, top + 85), bright_text) >= 40, "the time")
    elif what == "player":
        dx, dy = int(args[0]), int(args[1])
        ok = expect(count(img, (dx - 8, dy, dx + 8, dy + 24), cloak) >= 25, f"the hero at {dx}, {dy}")
    else:
        print("unknown check", what)
        return 2
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
