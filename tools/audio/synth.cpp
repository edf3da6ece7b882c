#include "tools/audio/synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

uint64_t Rng::Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
float Rng::Uniform() { return float(Next() >> 40) / float(1ull << 24); }
float Rng::Bipolar() { return Uniform() * 2.0f - 1.0f; }
float Rng::Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
int Rng::Below(int n) { return int(Next() % uint64_t(n)); }

float NoteHz(float midi) { return 440.0f * std::pow(2.0f, (midi - 69.0f) / 12.0f); }
float FromDb(float db) { return std::pow(10.0f, db / 20.0f); }
int Samples(double seconds) { return int(std::lround(seconds * kRate)); }

static int Wrap(long i, int n) {
    long r = i % n;
    return int(r < 0 ? r + n : r);
}

void Stereo::Mix(const Mono& sound, int at, float gain, float pan) {
    const float angle = (pan + 1.0f) * 0.25f * kPi;
    const float gl = gain * std::cos(angle) * 1.41421356f, gr = gain * std::sin(angle) * 1.41421356f;
    const int n = Frames();
    for (size_t i = 0; i < sound.size(); ++i) {
        long j = long(at) + long(i);
        if (loop) {
            j = Wrap(j, n);
        } else if (j < 0 || j >= n) {
            continue;
        }
        left[j] += sound[i] * gl;
        right[j] += sound[i] * gr;
    }
}

void Stereo::MixStereo(const Stereo& other, float gain) {
    const int n = std::min(Frames(), other.Frames());
    for (int i = 0; i < n; ++i) {
        left[i] += other.left[i] * gain;
        right[i] += other.right[i] * gain;
    }
}

void MixMono(Mono& into, const Mono& sound, int at, float gain, bool loop) {
    const int n = int(into.size());
    for (size_t i = 0; i < sound.size(); ++i) {
        long j = long(at) + long(i);
        if (loop) {
            j = Wrap(j, n);
        } else if (j < 0 || j >= n) {
            continue;
        }
        into[j] += sound[i] * gain;
    }
}

void OnePole::SetHz(float hz) { a = 1.0f - std::exp(-2.0f * kPi * hz / kRate); }

void Svf::Set(float hz, float damping) {
    f = 2.0f * std::sin(kPi * std::min(hz, kRate * 0.24f) / (2.0f * kRate));
    q = damping;
}

void Svf::Tick(float x) {
    for (int k = 0; k < 2; ++k) {
        low += f * band;
        high = x - low - q * band;
        band += f * high;
    }
}

void Resonator::Set(float hz, float decaySeconds) {
    const float r = std::exp(-1.0f / (decaySeconds * kRate));
    b1 = 2.0f * r * std::cos(2.0f * kPi * hz / kRate);
    b2 = -r * r;
}

float Resonator::Tick(float x) {
    const float y = x + b1 * y1 + b2 * y2;
    y2 = y1;
    y1 = y;
    return y;
}

Reverb::Reverb(float roomSize, float damping, float width)
    : feedback_(0.7f + 0.28f * roomSize), damp_(0.4f * damping), width_(width) {
    static const int kComb[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllPass[4] = {556, 441, 341, 225};
    for (int side = 0; side < 2; ++side) {
        const int spread = side * 23;
        for (int i = 0; i < 8; ++i) combs_[side][i].buf.assign(kComb[i] + spread, 0.0f);
        for (int i = 0; i < 4; ++i) allpasses_[side][i].buf.assign(kAllPass[i] + spread, 0.0f);
    }
}

void Reverb::Process(float inL, float inR, float& outL, float& outR) {
    const float input = (inL + inR) * 0.015f;
    float out[2] = {0.0f, 0.0f};
    for (int side = 0; side < 2; ++side) {
        for (Comb& c : combs_[side]) {
            const float y = c.buf[c.pos];
            c.store = y * (1.0f - damp_) + c.store * damp_;
            c.buf[c.pos] = input + c.store * feedback_;
            if (++c.pos == int(c.buf.size())) c.pos = 0;
            out[side] += y;
        }
        for (AllPass& a : allpasses_[side]) {
            const float b = a.buf[a.pos];
            a.buf[a.pos] = out[side] + b * 0.5f;
            out[side] = b - out[side];
            if (++a.pos == int(a.buf.size())) a.pos = 0;
        }
    }
    const float w1 = 0.5f * (1.0f + width_), w2 = 0.5f * (1.0f - width_);
    outL = out[0] * w1 + out[1] * w2;
    outR = out[1] * w1 + out[0] * w2;
}

void AddReverb(Stereo& out, const Stereo& send, float wet, float roomSize, float damping) {
    Reverb reverb(roomSize, damping, 1.0f);
    const int n = send.Frames();
    const int passes = send.loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const bool keep = pass == passes - 1;
        for (int i = 0; i < n; ++i) {
            float l, r;
            reverb.Process(send.left[i], send.right[i], l, r);
            if (keep) {
                out.left[i] += l * wet;
                out.right[i] += r * wet;
            }
        }
    }
}

void AddEcho(Stereo& out, const Stereo& send, float delay, float feedback, float wet, float toneHz) {
    const int n = send.Frames();
    const int d = Samples(delay);
    Mono lineL(d, 0.0f), lineR(d, 0.0f);
    OnePole toneL, toneR;
    toneL.SetHz(toneHz);
    toneR.SetHz(toneHz);
    int pos = 0;
    const int passes = send.loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const bool keep = pass == passes - 1;
        for (int i = 0; i < n; ++i) {
            // Ping-pong: the left line feeds the right and back, so repeats alternate sides.
            const float el = lineL[pos], er = lineR[pos];
            lineL[pos] = toneL.LowPass(send.left[i] * 0.5f + send.right[i] * 0.5f + er * feedback);
            lineR[pos] = toneR.LowPass(el * feedback);
            if (++pos == d) pos = 0;
            if (keep) {
                out.left[i] += el * wet;
                out.right[i] += er * wet;
            }
        }
    }
}

void AddReverbMono(Mono& out, const Mono& send, float wet, float roomSize, float damping, bool loop) {
    Reverb reverb(roomSize, damping, 0.0f);
    const int n = int(send.size());
    const int passes = loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < n; ++i) {
            float l, r;
            reverb.Process(send[i], send[i], l, r);
            if (pass == passes - 1) out[i] += 0.5f * (l + r) * wet;
        }
    }
}

float Peak(const Mono& m) {
    float p = 0.0f;
    for (float v : m) p = std::max(p, std::fabs(v));
    return p;
}

float Rms(const Mono& m) {
    double sum = 0.0;
    for (float v : m) sum += double(v) * v;
    return m.empty() ? 0.0f : float(std::sqrt(sum / double(m.size())));
}

static float Gain(float rms, float peak, float targetRmsDb, float ceilingDb) {
    if (rms <= 0.0f || peak <= 0.0f) return 1.0f;
    return std::min(FromDb(targetRmsDb) / rms, FromDb(ceilingDb) / peak);
}

void Normalise(Stereo& s, float targetRmsDb, float ceilingDb) {
    const float rms = std::sqrt(0.5f * (Rms(s.left) * Rms(s.left) + Rms(s.right) * Rms(s.right)));
    const float g = Gain(rms, std::max(Peak(s.left), Peak(s.right)), targetRmsDb, ceilingDb);
    for (float& v : s.left) v *= g;
    for (float& v : s.right) v *= g;
}

void Normalise(Mono& m, float targetRmsDb, float ceilingDb) {
    const float g = Gain(Rms(m), Peak(m), targetRmsDb, ceilingDb);
    for (float& v : m) v *= g;
}

void FadeEnds(Mono& m, float inSeconds, float outSeconds) {
    const int n = int(m.size());
    const int a = std::min(n, Samples(inSeconds)), b = std::min(n, Samples(outSeconds));
    for (int i = 0; i < a; ++i) m[i] *= 0.5f - 0.5f * std::cos(kPi * float(i) / float(a));
    for (int i = 0; i < b; ++i) m[n - 1 - i] *= 0.5f - 0.5f * std::cos(kPi * float(i) / float(b));
}

}  // namespace synth
