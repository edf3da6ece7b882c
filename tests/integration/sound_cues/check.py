"""The captured mix against the script's timetable, in 50 ms windows:
- the hum is loudest near the emitter, quieter inside its fall-off, silent beyond;
- Title fades in over about a second and holds; as Forest fades in, Title fades
  out, each over about a second, and Title stays silent;
- Tone plays for about 1.5 s, and after it (everything muted) the mix is silent."""
import statistics
import sys

import qm_audio

W = 0.05
PHASE = int(1.5 / W)
cap = qm_audio.Capture(sys.argv[1])
hum, title, forest, tone = (cap.tone_levels(hz, W) for hz in (300, 400, 600, 500))
errors = []


def expect(ok, what):
    if not ok:
        errors.append(what)


def first(levels, test, start=0):
    return next((i for i in range(start, len(levels)) if test(levels[i])), len(levels) - 1)


# The emitter from three distances; 5 windows left out at each phase edge.
top = max(hum)
near_end = max(i for i, v in enumerate(hum) if v > 0.9 * top)
near = statistics.median(hum[max(0, near_end - PHASE + 5):near_end + 1])
middle = statistics.median(hum[near_end + 5:near_end + PHASE - 5] or [top])
far = statistics.median(hum[near_end + PHASE + 5:near_end + 2 * PHASE - 5] or [top])
expect(top > 0.05 and 0.05 * near < middle < 0.85 * near and far < 0.02 * near,
       f"the hum near {near:.4f}, in the fall-off {middle:.4f}, beyond it {far:.5f}")

# The cross-fade: from 10 % to 90 % of full takes 0.8 s when linear over 1 s.
full_t, full_f = max(title), max(forest)
t_in0 = first(title, lambda v: v > 0.1 * full_t)
f_in0 = first(forest, lambda v: v > 0.1 * full_f)
t_out0 = max([i for i in range(f_in0 + 1) if title[i] > 0.9 * full_t] or [0])
for what, levels, a, full, rising in (("Title in", title, t_in0, full_t, True), ("Forest in", forest, f_in0, full_f, True),
                                      ("Title out", title, t_out0, full_t, False)):
    b = first(levels, (lambda v: v > 0.9 * full) if rising else (lambda v: v < 0.1 * full), a)
    expect(0.5 <= (b - a) * W <= 1.3, f"{what} took {(b - a) * W:.2f} s, expected about 0.8 s")
expect(abs(t_out0 - f_in0) * W <= 0.3, "the fades do not overlap")

# Tone, then the mute: silence to the end but for the stop's click at shut-down.
loud = [i for i, v in enumerate(tone) if v > 0.5 * max(tone)] or [0]
expect(1.2 <= (loud[-1] - loud[0] + 1) * W <= 2.2, f"Tone lasted {len(loud) * W:.2f} s, expected 1.5 s")
# Up to two windows before Tone: its onset click spreads over every band.
expect(max(title[t_out0 + 30:loud[0] - 2], default=0) < 0.02 * full_t, "Title is heard after its fade-out")
expect(min(forest[f_in0 + 30:loud[0] - 2], default=0) > 0.8 * full_f, "Forest does not hold until Tone")
after = cap.levels(W)[loud[-1] + 2:-4]
expect(len(after) * W >= 1.0 and max(after, default=1) < 1e-4, f"{len(after) * W:.2f} s after Tone, loudest {max(after, default=1):.5f}")
if errors:
    sys.exit("\n".join(errors))
