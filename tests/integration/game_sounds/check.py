"""check.py <out.wav>: the game's captured mix. From its first sound on (a
window without the focus at start-up starts the game paused, its music too)
the music plays, with a few quiet seconds allowed where a level change fades
it out and in; it never clips and never blares."""
import sys

import qm_audio

cap = qm_audio.Capture(sys.argv[1])
levels = cap.levels(1.0)[1:]  # the first second: the music fades in from silence
print("mix: RMS per second: " + " ".join("%.3f" % v for v in levels))
first = next((i for i, v in enumerate(levels) if v >= 0.004), len(levels))
quiet = [i for i, v in enumerate(levels) if i > first and v < 0.004]
# A peak may touch full scale; clipping holds it there.
clipped = sum(1 for v in cap.values if abs(v) >= 0.999)
errors = [what for bad, what in ((len(levels) - first < 10, f"only {len(levels) - first} s with sound"),
                                 (len(quiet) > 3, f"silent seconds: {quiet}"),
                                 (clipped > 64, f"the mix clips ({clipped} samples at full scale)"),
                                 (max(levels, default=0) > 0.35, "the mix is too loud")) if bad]
sys.exit("\n".join(errors) or None)
