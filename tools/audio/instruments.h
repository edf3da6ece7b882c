#pragma once
// The generator's instruments. Each renders one note to a mono buffer that
// holds the whole sound, release and ring included; the caller places it in a
// mix. `seconds` is how long the note is held; `velocity` is 0..1.
#include "tools/audio/synth.h"

namespace synth {

// Plucked string by Karplus-Strong: a burst of filtered noise circulating in a
// tuned delay line whose averaging filter dulls it as it rings. `brightness`
// 0..1 sets the pluck's tone, `ring` the seconds to fall by 60 dB.
Mono Pluck(float hz, float seconds, float velocity, float brightness, float ring, Rng& rng);

// Music box: a sine tine with a few inharmonic overtones that die quickly.
Mono MusicBox(float hz, float velocity, Rng& rng);

// Struck bell: inharmonic partials, each with its own decay (the upper ones
// shorter); `ring` scales every decay.
Mono Bell(float hz, float velocity, float ring);

// Wooden flute: a few harmonics with breath noise, a soft chiff at the start
// and a vibrato that comes in late.
Mono Flute(float hz, float seconds, float velocity, Rng& rng);

// Warm pad: three detuned band-limited saws through a low-pass that opens
// slowly; long attack and release.
Mono Pad(float hz, float seconds, float velocity, float brightness, Rng& rng);

// Soft round bass: a sine and its octave with a plucked envelope.
Mono Bass(float hz, float seconds, float velocity);

// Gentle percussion.
Mono SoftKick(float velocity);
Mono Shaker(float velocity, Rng& rng);
Mono WoodBlock(float hz, float velocity, Rng& rng);

}  // namespace synth
