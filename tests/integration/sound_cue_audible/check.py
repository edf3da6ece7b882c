"""The captured mix: a stretch of tone of about the playing phase, and after
it nothing but silence (the master bus muted) until the end."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound_common"))
import wav_levels  # noqa: E402

WINDOW = 0.05
levels = wav_levels.rms_levels(sys.argv[1], WINDOW)
loud = [i for i, r in enumerate(levels) if r > 0.05]
if not loud:
    sys.exit("no audible window at all (loudest RMS %.5f)" % max(levels, default=0))
# The tone is one run of loud windows.
first, last = loud[0], loud[-1]
quiet_inside = [i for i in range(first, last + 1) if levels[i] <= 0.05]
if len(quiet_inside) > 2:
    sys.exit("the tone has gaps at windows %s" % quiet_inside[:10])
length = (last - first + 1) * WINDOW
if not 1.2 <= length <= 2.2:
    sys.exit("the tone lasted %.2f s, expected about 1.5 s" % length)
after = levels[last + 2:]
if len(after) * WINDOW < 1.0:
    sys.exit("only %.2f s after the tone, expected the 1.5 s muted phase" % (len(after) * WINDOW))
if max(after) > 1e-4:
    sys.exit("sound while the master bus is muted: RMS %.5f" % max(after))
print("tone %.2f s at RMS %.3f, then %.2f s of silence" % (length, max(levels), len(after) * WINDOW))
