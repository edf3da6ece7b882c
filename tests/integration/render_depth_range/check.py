# Sprites at z -5, 0.5, 1, 3 and 50 (scenes.py, "depth_range"): in every group
# each of the five is drawn, and each one's strip that only the next one (with
# the larger z) could cover still shows its own colour, so nothing vanished and
# the larger z is in front.
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "render_common"))
import qm_image  # noqa: E402
import scenes  # noqa: E402

image = qm_image.load(sys.argv[1])
palette = [qm_image.colour(c) for c in scenes.PALETTE[:5]]
failures = []


def closest(rgb):
    total = sum(rgb)
    if total < 30:
        return None  # background
    n = [c / total for c in rgb]
    best = min(range(5), key=lambda i: sum((n[k] - palette[i][k] / sum(palette[i])) ** 2 for k in range(3)))
    return best


for row, y in enumerate([-110, -8, 90]):
    for group, x in [("lit", -200), ("unlit", -100), ("free", 0.5)]:
        for i in range(5):
            # Sprite i spans x_i - 8 .. x_i + 8 and y_i .. y_i + 16; its bottom
            # left corner lies below sprite i-1 and left of sprite i+1.
            wx, wy = 960 + 4 * (x + 8 * i - 5.5), 540 + 4 * (y + 4 * i + 13.5 + (0.5 if group == "free" else 0))
            got = closest(image.at(int(wx), int(wy)))
            if got != i:
                failures.append(f"{group} row {row}: sprite {i} (z {[-5, 0.5, 1, 3, 50][i]}) shows {got}")
        # The last one (z 50) is whole: its centre is its own.
        wx, wy = 960 + 4 * (x + 32 + 0.5), 540 + 4 * (y + 16 + 8.5)  # centre of sprite 4
        if closest(image.at(int(wx), int(wy))) != 4:
            failures.append(f"{group} row {row}: the z 50 sprite is not in front")

if failures:
    sys.exit("\n".join(failures))
print("every z drawn, in order")
