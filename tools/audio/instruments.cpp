#include "tools/audio/instruments.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {
// Linear attack/release envelope value at sample i for a note held `hold` samples.
float AttackRelease(int i, int attack, int hold, int release) {
    float e = attack > 0 ? std::min(1.0f, float(i) / float(attack)) : 1.0f;
    if (i > hold) e *= std::max(0.0f, 1.0f - float(i - hold) / float(release));
    return e;
}

// One cycle of a band-limited saw, soft in its upper harmonics.
const Mono& SawTable() {
    static const Mono table = [] {
        constexpr int kSize = 4096, kHarmonics = 24;
        Mono t(kSize, 0.0f);
        for (int i = 0; i < kSize; ++i) {
            float v = 0.0f;
            for (int h = 1; h <= kHarmonics; ++h) {
                const float soft = std::pow(float(h), -1.25f);
                v += soft * std::sin(2.0f * kPi * float(h) * float(i) / float(kSize));
            }
            t[i] = v * 0.6f;
        }
        return t;
    }();
    return table;
}

float ReadTable(const Mono& t, double phase) {
    const double p = (phase - std::floor(phase)) * double(t.size());
    const int i = int(p);
    const float f = float(p - i);
    return t[i] * (1.0f - f) + t[(i + 1) % t.size()] * f;
}
}  // namespace

Mono Pluck(float hz, float seconds, float velocity, float brightness, float ring, Rng& rng) {
    const int hold = Samples(seconds);
    const int total = hold + Samples(std::min(ring, 0.6f));
    Mono out(total, 0.0f);

    // Delay N plus the averaging filter's half sample plus an all-pass's
    // fraction gives the exact period, so notes are in tune.
    const float period = float(kRate) / hz;
    const int n = std::max(2, int(period - 0.5f - 0.1f));
    const float frac = period - 0.5f - float(n);
    const float c = (1.0f - frac) / (1.0f + frac);
    Mono line(n, 0.0f);

    // Excitation: noise through a low-pass (darker with less brightness), with
    // the pick position's comb so it is not a bare buzz.
    OnePole tone;
    tone.SetHz(400.0f + 9000.0f * brightness * brightness);
    for (int i = 0; i < n; ++i) line[i] = tone.LowPass(rng.Bipolar());
    const int pick = std::max(1, n / 5);
    Mono shaped(n);
    for (int i = 0; i < n; ++i) shaped[i] = line[i] - 0.6f * line[(i + n - pick) % n];
    float mean = 0.0f;
    for (float v : shaped) mean += v;
    mean /= float(n);
    for (int i = 0; i < n; ++i) line[i] = (shaped[i] - mean) * velocity;

    // Losses per trip round the loop (one period): the ringing string falls by
    // 60 dB in `ring` seconds; once released, the hand damps it by 40 dB in 0.3 s.
    const float loss = std::pow(0.001f, 1.0f / (hz * ring));
    const float handDamp = std::pow(0.01f, 1.0f / (hz * 0.3f));
    float prev = 0.0f, apIn = 0.0f, apOut = 0.0f;
    int pos = 0;
    OnePole body;
    body.SetHz(80.0f);
    for (int i = 0; i < total; ++i) {
        const float x = line[pos];
        const float avg = 0.5f * (x + prev);
        prev = x;
        const float y = c * avg + apIn - c * apOut;  // fractional-delay all-pass
        apIn = avg;
        apOut = y;
        float damp = loss;
        if (i > hold) damp *= handDamp;
        line[pos] = y * damp;
        if (++pos == n) pos = 0;
        out[i] = body.HighPass(x);  // no DC in the string's output
    }
    FadeEnds(out, 0.0005f, 0.02f);
    return out;
}

Mono MusicBox(float hz, float velocity, Rng& rng) {
    struct Partial {
        float ratio, amp, decay;
    };
    const Partial partials[] = {{1.0f, 1.0f, 1.8f}, {2.0f, 0.10f, 0.9f}, {5.93f, 0.16f, 0.22f}, {9.1f, 0.05f, 0.08f}};
    const int total = Samples(2.6);
    Mono out(total, 0.0f);
    for (const Partial& p : partials) {
        const float f = hz * p.ratio;
        if (f > 16000.0f) continue;
        const float decay = p.decay * std::pow(440.0f / hz, 0.3f);
        const float phase = rng.Uniform() * 2.0f * kPi;
        for (int i = 0; i < total; ++i) {
            const float t = float(i) / kRate;
            out[i] += p.amp * std::exp(-t / decay) * std::sin(2.0f * kPi * f * t + phase);
        }
    }
    // The comb's pin: a few milliseconds of bright tick.
    for (int i = 0; i < Samples(0.004); ++i) out[i] += 0.08f * rng.Bipolar() * (1.0f - float(i) / Samples(0.004));
    for (float& v : out) v *= velocity * 0.5f;
    FadeEnds(out, 0.0008f, 0.2f);
    return out;
}

Mono Bell(float hz, float velocity, float ring) {
    struct Partial {
        float ratio, amp, decay;
    };
    // Partials of a small hand bell: a hum below the strike tone, the strike
    // tone, and a slightly sharp minor-third-ish cluster that gives the shimmer.
    const Partial partials[] = {{0.5f, 0.35f, 1.0f},   {1.0f, 1.0f, 0.8f},   {1.003f, 0.5f, 0.75f},
                                {1.19f, 0.4f, 0.5f},   {1.5f, 0.25f, 0.35f}, {2.0f, 0.3f, 0.3f},
                                {2.74f, 0.15f, 0.2f},  {3.76f, 0.08f, 0.12f}};
    const int total = Samples(5.0 * ring + 0.1);
    Mono out(total, 0.0f);
    for (const Partial& p : partials) {
        const float f = hz * p.ratio;
        if (f > 15000.0f) continue;
        const float decay = p.decay * ring * 1.4f;
        for (int i = 0; i < total; ++i) {
            const float t = float(i) / kRate;
            out[i] += p.amp * std::exp(-t / decay) * std::sin(2.0f * kPi * f * t);
        }
    }
    for (float& v : out) v *= velocity * 0.3f;
    FadeEnds(out, 0.002f, 0.3f);
    return out;
}

Mono Flute(float hz, float seconds, float velocity, Rng& rng) {
    const int hold = Samples(seconds), release = Samples(0.18);
    const int total = hold + release;
    Mono out(total, 0.0f);
    Svf breath;
    breath.Set(hz * 2.0f, 0.5f);
    OnePole air, air2;  // a little dark breath under the tone
    air.SetHz(1500.0f);
    air2.SetHz(2500.0f);
    double phase = rng.Uniform();
    const int attack = Samples(0.09);
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        // Vibrato arrives after a third of a second and deepens gently.
        const float depth = 0.0045f * std::clamp((t - 0.3f) / 0.5f, 0.0f, 1.0f);
        const float f = hz * (1.0f + depth * std::sin(2.0f * kPi * 5.1f * t));
        phase += f / kRate;
        const float p = float(2.0 * kPi * (phase - std::floor(phase)));
        float tone = std::sin(p) + 0.32f * std::sin(2.0f * p) + 0.10f * std::sin(3.0f * p) + 0.04f * std::sin(4.0f * p);
        const float n = rng.Bipolar();
        breath.Tick(n);
        const float chiff = std::exp(-t / 0.03f);
        const float noise = 0.08f * breath.band + 0.006f * air2.LowPass(air.LowPass(n)) + 0.25f * chiff * breath.band;
        float env = AttackRelease(i, attack, hold, release);
        env *= 0.92f + 0.08f * std::sin(kPi * std::min(1.0f, t / std::max(0.2f, float(seconds))));  // swell
        out[i] = (tone * 0.5f + noise) * env * velocity;
    }
    FadeEnds(out, 0.002f, 0.01f);
    return out;
}

Mono Pad(float hz, float seconds, float velocity, float brightness, Rng& rng) {
    const int hold = Samples(seconds), release = Samples(2.2);
    const int attack = std::min(hold, Samples(1.4));
    const int total = hold + release;
    Mono out(total, 0.0f);
    const Mono& saw = SawTable();
    const float detune[3] = {-0.006f, 0.0f, 0.0065f};
    double phase[3] = {rng.Uniform(), rng.Uniform(), rng.Uniform()};
    Svf filter;
    const float lfoRate = rng.Range(0.08f, 0.16f), lfoPhase = rng.Uniform() * 2.0f * kPi;
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        float v = 0.0f;
        for (int k = 0; k < 3; ++k) {
            phase[k] += hz * (1.0f + detune[k]) / kRate;
            v += ReadTable(saw, phase[k]);
        }
        if ((i & 15) == 0) {
            // The filter opens with the swell and breathes slowly.
            const float env = AttackRelease(i, attack, hold, release);
            const float lfo = 0.5f + 0.5f * std::sin(2.0f * kPi * lfoRate * t + lfoPhase);
            const float cutoff = hz * (1.2f + (2.0f + 4.0f * brightness) * env * (0.7f + 0.3f * lfo));
            filter.Set(std::min(cutoff, 5000.0f), 1.2f);
        }
        filter.Tick(v);
        const float env = AttackRelease(i, attack, hold, release);
        out[i] = filter.low * env * env * velocity * 0.25f;
    }
    FadeEnds(out, 0.01f, 0.05f);
    return out;
}

Mono Bass(float hz, float seconds, float velocity) {
    const int hold = Samples(seconds), release = Samples(0.25);
    const int total = hold + release;
    Mono out(total, 0.0f);
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        const float env = std::exp(-t / 1.2f) * AttackRelease(i, Samples(0.012), hold, release);
        const float p = 2.0f * kPi * hz * t;
        out[i] = (std::sin(p) + 0.25f * std::sin(2.0f * p) * std::exp(-t / 0.3f)) * env * velocity * 0.6f;
    }
    FadeEnds(out, 0.001f, 0.02f);
    return out;
}

Mono SoftKick(float velocity) {
    const int total = Samples(0.5);
    Mono out(total, 0.0f);
    double phase = 0.0;
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        const float f = 48.0f + 60.0f * std::exp(-t / 0.03f);
        phase += f / kRate;
        out[i] = std::sin(float(2.0 * kPi * phase)) * std::exp(-t / 0.16f) * velocity * 0.8f;
    }
    FadeEnds(out, 0.002f, 0.05f);
    return out;
}

Mono Shaker(float velocity, Rng& rng) {
    const int total = Samples(0.16);
    Mono out(total, 0.0f);
    Svf band;
    band.Set(6500.0f, 0.9f);
    for (int i = 0; i < total; ++i) {
        const float t = float(i) / kRate;
        band.Tick(rng.Bipolar());
        const float env = std::min(1.0f, t / 0.012f) * std::exp(-t / 0.035f);
        out[i] = band.band * env * velocity * 0.35f;
    }
    FadeEnds(out, 0.001f, 0.03f);
    return out;
}

Mono WoodBlock(float hz, float velocity, Rng& rng) {
    const int total = Samples(0.25);
    Mono out(total, 0.0f);
    Resonator a, b;
    a.Set(hz, 0.045f);
    b.Set(hz * 2.63f, 0.02f);
    for (int i = 0; i < total; ++i) {
        const float x = i < 40 ? rng.Bipolar() * (1.0f - float(i) / 40.0f) : 0.0f;
        out[i] = (a.Tick(x) * 0.05f + b.Tick(x) * 0.02f) * velocity;
    }
    FadeEnds(out, 0.0005f, 0.05f);
    return out;
}

}  // namespace synth
