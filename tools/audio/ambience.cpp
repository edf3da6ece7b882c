// Ambience loops: mono, so the engine can place them in the world. Every slow
// modulation turns a whole number of times per loop, and every filter runs over
// the loop twice (keeping the second pass), so the end flows into the start.
#include <cmath>
#include <functional>

#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"

namespace synth {

namespace {
// Runs `tick` (sample index within the loop, white noise) -> sample over the
// loop twice and keeps the second pass.
Mono RunLooped(int frames, Rng& rng, const std::function<float(int, float)>& tick) {
    Mono noise(frames);
    for (float& v : noise) v = rng.Bipolar();
    Mono out(frames);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < frames; ++i) {
            const float v = tick(i, noise[i]);
            if (pass == 1) out[i] = v;
        }
    return out;
}

// A slow wave turning `cycles` times per loop of `frames`, in [0, 1].
float Slow(int i, int frames, float cycles, float phase) {
    return 0.5f + 0.5f * std::sin(2.0f * kPi * cycles * float(i) / float(frames) + phase);
}

// A short decaying burst through a resonator: one crackle, drop or chirp.
Mono Burst(float hz, float decay, float noiseMs, float glide, Rng& rng) {
    const int total = Samples(decay * 6.0f + noiseMs / 1000.0f);
    Mono out(total, 0.0f);
    Resonator r;
    const int excite = std::max(1, Samples(noiseMs / 1000.0f));
    for (int i = 0; i < total; ++i) {
        if ((i & 31) == 0) r.Set(hz * (1.0f + glide * float(i) / float(total)), decay);
        const float x = i < excite ? rng.Bipolar() * (1.0f - float(i) / float(excite)) : 0.0f;
        out[i] = r.Tick(x);
    }
    const float peak = Peak(out);
    if (peak > 0.0f)
        for (float& v : out) v /= peak;
    return out;
}
}  // namespace

Mono CampfireCrackle() {
    const int frames = Samples(20.0);
    Rng rng(0xF12E0001);
    OnePole rumbleLp, rumbleLp2, hissHp, hissLp;
    rumbleLp.SetHz(180.0f);
    rumbleLp2.SetHz(260.0f);
    hissHp.SetHz(2500.0f);
    hissLp.SetHz(7000.0f);
    Mono out = RunLooped(frames, rng, [&](int i, float n) {
        // The flames breathe irregularly: two slow waves that rarely line up.
        const float breathe = 0.6f + 0.4f * Slow(i, frames, 7.0f, 0.3f) * Slow(i, frames, 3.0f, 1.1f);
        const float rumble = rumbleLp2.LowPass(rumbleLp.LowPass(n)) * 0.9f * breathe;
        const float flicker = 0.7f + 0.3f * Slow(i, frames, 5.0f, 2.0f) * Slow(i, frames, 11.0f, 0.7f);
        const float hiss = hissLp.LowPass(hissHp.HighPass(n)) * 0.012f * flicker;
        return rumble + hiss;
    });
    // Crackles: mostly small and bright, now and then a pop; they come in little clusters.
    double t = 0.0;
    while (t < 20.0) {
        const bool pop = rng.Uniform() < 0.08f;
        const float hz = pop ? rng.Range(500.0f, 1400.0f) : rng.Range(1800.0f, 6500.0f);
        const float gain = pop ? rng.Range(0.35f, 0.6f) : 0.5f * std::pow(rng.Uniform(), 2.5f) + 0.03f;
        MixMono(out, Burst(hz, pop ? 0.006f : 0.0015f, pop ? 2.0f : 0.5f, 0.0f, rng), Samples(t), gain, true);
        if (pop && rng.Uniform() < 0.5f) {  // embers scatter after a pop
            for (int k = 0; k < 4; ++k)
                MixMono(out, Burst(rng.Range(3000.0f, 7000.0f), 0.001f, 0.3f, 0.0f, rng),
                        Samples(t + 0.01 + 0.02 * k + rng.Range(0.0f, 0.02f)), 0.12f, true);
        }
        t += rng.Uniform() < 0.3f ? rng.Range(0.01f, 0.05f) : rng.Range(0.05f, 0.35f);
    }
    Normalise(out, -24.0f, -2.0f);
    return out;
}

Mono LakeWater() {
    const int frames = Samples(24.0);
    Rng rng(0x1A4E0002);
    Svf low, mid;
    OnePole smooth;
    smooth.SetHz(600.0f);
    Mono out = RunLooped(frames, rng, [&](int i, float n) {
        // Small waves: a few slow swells against the shore.
        const float wave = Slow(i, frames, 9.0f, 0.0f) * 0.6f + Slow(i, frames, 14.0f, 1.7f) * 0.4f;
        const float lap = std::pow(wave, 3.0f);
        if ((i & 31) == 0) {
            low.Set(180.0f + 250.0f * lap, 1.0f);
            mid.Set(600.0f + 900.0f * lap, 1.4f);
        }
        low.Tick(n);
        mid.Tick(n);
        return smooth.LowPass(low.band * (0.25f + 0.6f * lap) + mid.band * 0.35f * lap);
    });
    // Ripples and drops: short rising tones, as water does.
    double t = 0.0;
    while (t < 24.0) {
        const float hz = rng.Range(350.0f, 1100.0f);
        MixMono(out, Burst(hz, rng.Range(0.004f, 0.012f), 1.0f, rng.Range(0.4f, 1.2f), rng), Samples(t),
                rng.Range(0.04f, 0.14f), true);
        t += rng.Range(0.08f, 0.6f);
    }
    Normalise(out, -21.0f, -3.0f);
    return out;
}

Mono WindInTrees() {
    const int frames = Samples(30.0);
    Rng rng(0x3144D003);
    Svf body;
    OnePole leavesHp, leavesLp, leavesLp2;
    leavesHp.SetHz(1200.0f);
    leavesLp.SetHz(3500.0f);
    leavesLp2.SetHz(5000.0f);
    Mono out = RunLooped(frames, rng, [&](int i, float n) {
        // Gusts: slow overlapping swells, never quite still.
        const float gust = 0.2f + 0.8f * Slow(i, frames, 3.0f, 0.4f) * Slow(i, frames, 5.0f, 2.2f) +
                           0.15f * Slow(i, frames, 13.0f, 0.9f);
        if ((i & 31) == 0) body.Set(250.0f + 500.0f * gust, 0.8f);
        body.Tick(n);
        const float leaves = leavesLp2.LowPass(leavesLp.LowPass(leavesHp.HighPass(n))) * gust * gust * 0.25f;
        return body.band * 0.6f * gust + leaves;
    });
    // A tawny owl far off, once a loop: "hoo ... hoo-hoo-hoo".
    const double calls[] = {9.0, 10.1, 10.45, 10.8};
    for (double at : calls) {
        const int total = Samples(at == calls[0] ? 0.7 : 0.3);
        Mono hoot(total);
        double phase = 0.0;
        for (int i = 0; i < total; ++i) {
            const float u = float(i) / float(total);
            phase += (390.0f + 40.0f * u - 60.0f * u * u) / kRate;
            hoot[i] = std::sin(float(2.0 * kPi * phase)) * std::sin(kPi * u) * std::sin(kPi * u);
        }
        MixMono(out, hoot, Samples(at), 0.06f, true);
    }
    Normalise(out, -21.0f, -3.0f);
    return out;
}

Mono NightInsects() {
    const int frames = Samples(20.0);
    Rng rng(0x1B5E0004);
    OnePole airLp;
    airLp.SetHz(500.0f);
    // A faint bed of distant insects and air.
    Mono out = RunLooped(frames, rng, [&](int i, float n) { return airLp.LowPass(n) * 0.05f * (0.8f + 0.2f * Slow(i, frames, 4.0f, 0.0f)); });
    // Crickets: each chirp is a few 4-5 kHz pulses; each cricket keeps its own pace.
    struct Cricket {
        float hz, gain, interval, pulses;
    };
    const Cricket crickets[] = {{4300.0f, 0.35f, 0.62f, 3}, {4700.0f, 0.22f, 0.81f, 4}, {3900.0f, 0.14f, 0.55f, 3}};
    for (const Cricket& c : crickets) {
        double t = rng.Range(0.0f, 0.5f);
        while (t < 20.0) {
            for (int p = 0; p < int(c.pulses); ++p) {
                const int total = Samples(0.016);
                Mono pulse(total);
                for (int i = 0; i < total; ++i) {
                    const float u = float(i) / float(total);
                    pulse[i] = std::sin(2.0f * kPi * c.hz * float(i) / kRate) * std::sin(kPi * u);
                }
                MixMono(out, pulse, Samples(t + 0.028 * p), c.gain, true);
            }
            // Some chirps are left out, as real crickets pause.
            t += c.interval * rng.Range(0.95f, 1.05f) * (rng.Uniform() < 0.12f ? 2.0f : 1.0f);
        }
    }
    Normalise(out, -24.0f, -4.0f);
    return out;
}

}  // namespace synth
