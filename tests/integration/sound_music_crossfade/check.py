"""The captured mix, measured per frequency: Title (440 Hz) rises to full over
about a second and holds; when Forest (660 Hz) starts, Title falls to silence
over about a second while Forest rises over about a second, and Title stays
silent afterwards."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound_common"))
import wav_levels  # noqa: E402

WINDOW = 0.05
rate, samples = wav_levels.read(sys.argv[1])
title = wav_levels.tone_level(samples, rate, 440, WINDOW)
forest = wav_levels.tone_level(samples, rate, 660, WINDOW)
full_t, full_f = max(title), max(forest)
if full_t < 0.05 or full_f < 0.05:
    sys.exit("a tone is missing: title %.4f, forest %.4f" % (full_t, full_f))


def first(levels, test, start=0):
    for i in range(start, len(levels)):
        if test(levels[i]):
            return i
    sys.exit("level never reached")


def seconds(a, b):
    return (b - a) * WINDOW


# Title fades in: from 10 % to 90 % of full takes 0.8 s when linear over 1 s.
t_in0 = first(title, lambda v: v > 0.1 * full_t)
t_in1 = first(title, lambda v: v > 0.9 * full_t, t_in0)
# Forest fades in.
f_in0 = first(forest, lambda v: v > 0.1 * full_f)
f_in1 = first(forest, lambda v: v > 0.9 * full_f, f_in0)
# Title fades out, from the last window at 90 % before Forest started.
t_out0 = max(i for i in range(0, f_in0 + 1) if title[i] > 0.9 * full_t)
t_out1 = first(title, lambda v: v < 0.1 * full_t, t_out0)

report = "title in %.2f s, forest in %.2f s, title out %.2f s, fades start %.2f s apart" % (
    seconds(t_in0, t_in1), seconds(f_in0, f_in1), seconds(t_out0, t_out1), seconds(t_out0, f_in0))
print(report)
for name, a, b in (("title fade-in", t_in0, t_in1), ("forest fade-in", f_in0, f_in1),
                   ("title fade-out", t_out0, t_out1)):
    if not 0.5 <= seconds(a, b) <= 1.3:
        sys.exit("%s took %.2f s, expected about 0.8 s (10 %% to 90 %% of a 1 s fade)" % (name, seconds(a, b)))
if abs(seconds(t_out0, f_in0)) > 0.3:
    sys.exit("the fades do not overlap: " + report)
# Once the fade has reached silence Title stays stopped. The last windows hold
# the stop at shut-down, whose click spreads over every frequency.
t_silent = first(title, lambda v: v < 0.01 * full_t, t_out1)
if max(title[t_silent + 1:-4], default=0) > 0.02 * full_t:
    sys.exit("Title is heard again after its fade-out")
if forest[-5] < 0.9 * full_f:
    sys.exit("Forest is not at full volume at the end")
if max(forest[:max(0, f_in0 - 2)], default=0) > 0.05 * full_f:
    sys.exit("Forest was heard before it was played")
