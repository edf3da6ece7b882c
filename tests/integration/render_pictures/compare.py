"""compare.py SHOT EXPECTED [CROP]: exits non-zero when a pixel of SHOT (or of
its CROP, "WxH+X+Y") differs from EXPECTED by more than 1 in a channel."""
import sys

import qm_image

shot, expected = qm_image.load(sys.argv[1], sys.argv[3] if len(sys.argv) > 3 else None), qm_image.load(sys.argv[2])
if (shot.width, shot.height) != (expected.width, expected.height):
    sys.exit(f"size {shot.width}x{shot.height}, expected {expected.width}x{expected.height}")
a, b = shot.data, expected.data
bad = [] if a == b else [i // 3 for i in range(0, len(a), 3) if max(abs(a[i + k] - b[i + k]) for k in range(3)) > 1]
if bad:
    sys.exit(f"{len(bad)} pixels differ by more than 1; first at " +
             ", ".join(f"({p % shot.width}, {p // shot.width})" for p in bad[:5]))
