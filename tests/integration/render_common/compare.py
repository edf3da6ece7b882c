"""compare.py SHOT EXPECTED: exits non-zero when a pixel differs by more than
1 in a channel, naming how many and where the first ones are."""
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402

shot, expected = qm_image.load(sys.argv[1]), qm_image.load(sys.argv[2])
if (shot.width, shot.height) != (expected.width, expected.height):
    sys.exit(f"size {shot.width}x{shot.height}, expected {expected.width}x{expected.height}")
a, b = shot.data, expected.data
bad = []
if a != b:
    for i in range(0, len(a), 3):
        if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > 1:
            bad.append(i // 3)
if bad:
    first = ", ".join(f"({p % shot.width}, {p // shot.width}) {tuple(a[p * 3:p * 3 + 3])} "
                      f"expected {tuple(b[p * 3:p * 3 + 3])}" for p in bad[:5])
    sys.exit(f"{len(bad)} pixels differ by more than 1; first: {first}")
print("picture matches" + ("" if a == b else " within 1 per channel"))
