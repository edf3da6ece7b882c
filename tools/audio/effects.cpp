// One-shot effects: mono, quiet at both ends, a little room on each.
#include <cmath>

#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"
#include "tools/audio/score.h"

namespace synth {

namespace {
// Adds a short, small room to a one-shot (the buffer already holds the tail's space).
// Takes out the slow offset that pulses through resonators leave behind.
void RemoveDc(Mono& m) {
    OnePole dc;
    dc.SetHz(40.0f);
    for (float& v : m) v = dc.HighPass(v);
}

void SmallRoom(Mono& m, float wet) {
    Mono send = m;
    AddReverbMono(m, send, wet, 0.4f, 0.6f, false);
}
}  // namespace

Mono FootstepGrass(int variant) {
    Rng rng(0xF0075000u + uint64_t(variant));
    const int total = Samples(0.32);
    Mono out(total, 0.0f);
    OnePole thumpLp, thumpLp2;
    thumpLp.SetHz(140.0f);
    thumpLp2.SetHz(200.0f);
    Svf blades;
    blades.Set(rng.Range(2800.0f, 4200.0f), 1.1f);
    OnePole soft;  // grass under a foot is hushed, not hissing
    soft.SetHz(5000.0f);
    const float heel = rng.Range(0.0f, 0.015f);
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        const float n = rng.Bipolar();
        // The heel: a soft low thump.
        const float thump = thumpLp2.LowPass(thumpLp.LowPass(n)) * 9.0f * std::exp(-t / 0.025f);
        // The grass: a rustle that crackles in tiny grains as the blades bend.
        blades.Tick(n);
        const float grain = rng.Uniform() < 0.12f ? 1.0f : 0.35f;
        const float swish = t < heel ? 0.0f : std::min(1.0f, (t - heel) / 0.02f) * std::exp(-(t - heel) / 0.06f);
        out[i] = thump + soft.LowPass(blades.band * swish * grain * 0.5f);
    }
    RemoveDc(out);
    FadeEnds(out, 0.001f, 0.05f);
    Normalise(out, -22.0f, -6.0f);
    return out;
}

Mono DoorOpen() {
    Rng rng(0xD0012006);
    const int total = Samples(1.9);
    Mono out(total, 0.0f);
    // The latch: two small wooden clicks.
    MixMono(out, WoodBlock(1900.0f, 1.0f, rng), 0, 0.9f, false);
    MixMono(out, WoodBlock(1300.0f, 0.8f, rng), Samples(0.05), 0.7f, false);
    // The hinge: stick-slip friction, a pulse train whose rate wanders, through
    // the resonances of a wooden board.
    Resonator board[3];
    board[0].Set(420.0f, 0.02f);
    board[1].Set(980.0f, 0.015f);
    board[2].Set(1750.0f, 0.01f);
    const int start = Samples(0.12), length = Samples(1.1);
    double phase = 0.0;
    for (int i = 0; i < length; ++i) {
        const float u = float(i) / float(length);
        const float rate = 70.0f + 90.0f * std::sin(kPi * u) + 25.0f * std::sin(2.0f * kPi * 3.0f * u);
        phase += rate / kRate;
        float x = 0.0f;
        if (phase >= 1.0) {
            phase -= 1.0;
            x = 1.0f + 0.3f * rng.Bipolar();
        }
        const float env = std::sin(kPi * u) * (0.6f + 0.4f * std::sin(kPi * u));
        const float y = board[0].Tick(x) * 0.010f + board[1].Tick(x) * 0.008f + board[2].Tick(x) * 0.004f;
        out[start + i] += y * env;
    }
    // The door comes to rest against its frame.
    Mono settle = SoftKick(0.6f);
    MixMono(out, settle, Samples(1.25), 0.5f, false);
    MixMono(out, WoodBlock(700.0f, 0.6f, rng), Samples(1.25), 0.5f, false);
    RemoveDc(out);
    SmallRoom(out, 0.6f);
    FadeEnds(out, 0.001f, 0.2f);
    Normalise(out, -20.0f, -3.0f);
    return out;
}

Mono ButtonHover() {
    // A soft wooden tick with a hint of pitch: quiet enough to run a finger down a menu.
    Rng rng(0x40BE0007);
    Mono out(Samples(0.18), 0.0f);
    MixMono(out, WoodBlock(2100.0f, 1.0f, rng), 0, 0.6f, false);
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kRate;
        out[i] += 0.25f * std::sin(2.0f * kPi * NoteHz(float(Midi("A6"))) * t) * std::exp(-t / 0.03f);
    }
    FadeEnds(out, 0.0005f, 0.04f);
    Normalise(out, -26.0f, -10.0f);
    return out;
}

Mono ButtonSelect() {
    // Two music-box notes a fifth apart, quickly.
    Rng rng(0x5E1E0008);
    Mono out(Samples(1.2), 0.0f);
    MixMono(out, MusicBox(NoteHz(float(Midi("A5"))), 1.0f, rng), 0, 0.8f, false);
    MixMono(out, MusicBox(NoteHz(float(Midi("E6"))), 1.0f, rng), Samples(0.07), 0.9f, false);
    SmallRoom(out, 0.5f);
    FadeEnds(out, 0.0005f, 0.3f);
    Normalise(out, -22.0f, -6.0f);
    return out;
}

Mono SoftChime() {
    // A rising triad on small bells, for picking something up or lighting it.
    Mono out(Samples(2.6), 0.0f);
    const char* notes[3] = {"D6", "F#6", "A6"};
    for (int k = 0; k < 3; ++k) MixMono(out, Bell(NoteHz(float(Midi(notes[k]))), 0.8f, 0.5f), Samples(0.09 * k), 0.7f, false);
    SmallRoom(out, 0.7f);
    FadeEnds(out, 0.0005f, 0.5f);
    Normalise(out, -22.0f, -5.0f);
    return out;
}

}  // namespace synth
