#!/usr/bin/env python3
"""The game's captured mix: sound all along once it starts (music, with
ambience under it), never clipping, never blaring.

usage: mix.py <out.wav>
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound_common"))
import wav_levels  # noqa: E402


def main():
    rate, samples = wav_levels.read(sys.argv[1])
    # Skip the first second: the music fades in from silence.
    samples = samples[rate:]
    levels = [math.sqrt(sum(x * x for x in w) / len(w)) for w in wav_levels.windows(samples, rate, 1.0)]
    peak = max((abs(x) for x in samples), default=0.0)
    print("mix: peak %.3f, RMS per second: %s" % (peak, " ".join("%.3f" % v for v in levels)))
    errors = []
    # The title may be silent: a window without the focus at start-up starts
    # the game paused, and with it the music and effects. From the first sound
    # on, the music plays; a level change fades it out and in again, so a few
    # quiet seconds are allowed.
    first = next((i for i, v in enumerate(levels) if v >= 0.004), len(levels))
    quiet = [i for i, v in enumerate(levels) if i > first and v < 0.004]
    if len(levels) - first < 10:
        errors.append(f"only {len(levels) - first} s with sound")
    if len(quiet) > 3:
        errors.append(f"silent seconds: {quiet}")
    if peak >= 0.99:
        errors.append(f"the mix clips (peak {peak:.3f})")
    if levels and max(levels) > 0.35:
        errors.append(f"the mix is too loud (RMS {max(levels):.3f})")
    for e in errors:
        print("error:", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
