"""The captured mix: the emitter is loudest with the listener inside its
enclosed distance, quieter between the enclosed distance and the end of the
fall-off, and silent beyond it. The phases follow each other, 1.5 s each."""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound_common"))
import wav_levels  # noqa: E402

WINDOW = 0.05
PHASE = int(1.5 / WINDOW)
MARGIN = 5  # windows left out at each phase edge (frame timing)
levels = wav_levels.rms_levels(sys.argv[1], WINDOW)
top = max(levels)
if top < 0.05:
    sys.exit("nothing audible (loudest RMS %.5f)" % top)
near_end = max(i for i, r in enumerate(levels) if r > 0.9 * top)
near = levels[near_end - PHASE + MARGIN:near_end + 1] if near_end >= PHASE else levels[:near_end + 1]
middle = levels[near_end + MARGIN:near_end + PHASE - MARGIN]
far = levels[near_end + PHASE + MARGIN:near_end + 2 * PHASE - MARGIN]
if len(middle) < 10 or len(far) < 10:
    sys.exit("the capture ends too early after the near phase")
n, m, f = statistics.median(near), statistics.median(middle), statistics.median(far)
print("near %.4f, middle %.4f, far %.5f" % (n, m, f))
if not 0.05 * n < m < 0.85 * n:
    sys.exit("between the enclosed distance and the fall-off end the emitter should be quieter but heard")
if f > 0.02 * n:
    sys.exit("beyond the fall-off the emitter should be silent")
