#pragma once
// The building blocks of the audio generator: a seeded random source, the
// sample buffers, filters, a delay and a reverb. Everything here is plain
// arithmetic on floats at one sample rate, so the same source always makes the
// same samples (no clock, no random device).
//
// Units: times in seconds, frequencies in Hz, levels as linear factors
// (1 = full scale) unless a name says dB.
#include <cstdint>
#include <vector>

namespace synth {

constexpr int kRate = 44100;  // samples per second, every file
constexpr float kPi = 3.14159265358979f;

// SplitMix64: tiny, good enough for noise and humanising, and fully determined
// by its seed.
struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t Next();
    float Uniform();                 // [0, 1)
    float Bipolar();                 // [-1, 1)
    float Range(float lo, float hi);
    int Below(int n);                // 0 .. n-1
};

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float NoteHz(float midi);
float FromDb(float db);
int Samples(double seconds);

using Mono = std::vector<float>;

// A stereo buffer. When it is a loop, whatever is written past its end wraps
// to its start, so a note or an echo that rings across the loop point is heard
// at the beginning of the next pass and the loop joins without a seam.
struct Stereo {
    Mono left, right;
    bool loop = false;

    Stereo() = default;
    Stereo(int frames, bool isLoop) : left(frames, 0.0f), right(frames, 0.0f), loop(isLoop) {}
    int Frames() const { return int(left.size()); }
    // Adds a mono sound at frame `at` with gain and pan (-1 left .. 1 right, equal power).
    void Mix(const Mono& sound, int at, float gain, float pan);
    void MixStereo(const Stereo& other, float gain);
};

// Mono buffers that wrap the same way (ambience loops).
void MixMono(Mono& into, const Mono& sound, int at, float gain, bool loop);

// One-pole low-pass; `Hz` sets the corner.
struct OnePole {
    float a = 0.0f, z = 0.0f;
    void SetHz(float hz);
    float LowPass(float x) { return z += a * (x - z); }
    float HighPass(float x) { return x - LowPass(x); }
};

// State-variable filter (Chamberlin, oversampled twice for stability up to
// a quarter of the sample rate). Outputs low, band and high at once.
struct Svf {
    float low = 0.0f, band = 0.0f, high = 0.0f;
    float f = 0.1f, q = 1.0f;  // q is the damping: 2 = none, small = resonant
    void Set(float hz, float damping);
    void Tick(float x);
};

// Soft resonator for struck wooden and metal sounds: a decaying sine driven by
// an impulse, as a two-pole filter.
struct Resonator {
    float b1 = 0.0f, b2 = 0.0f, y1 = 0.0f, y2 = 0.0f;
    void Set(float hz, float decaySeconds);
    float Tick(float x);
};

// Stereo reverb in the Schroeder/Moorer manner: eight damped combs and four
// all-passes per side, the right side's delays slightly longer for width.
struct Reverb {
    Reverb(float roomSize, float damping, float width);
    void Process(float inL, float inR, float& outL, float& outR);

private:
    struct Comb {
        Mono buf;
        int pos = 0;
        float store = 0.0f;
    };
    struct AllPass {
        Mono buf;
        int pos = 0;
    };
    Comb combs_[2][8];
    AllPass allpasses_[2][4];
    float feedback_, damp_, width_;
};

// Runs `send` through the reverb and adds the result to `out` at `wet`. For a
// loop the reverb runs over the material twice and keeps the second pass, so
// the tail of the loop's end is already ringing at its start.
void AddReverb(Stereo& out, const Stereo& send, float wet, float roomSize, float damping);

// Ping-pong echo of `send` added into `out` (delay in seconds, feedback < 1);
// wraps like AddReverb for loops.
void AddEcho(Stereo& out, const Stereo& send, float delay, float feedback, float wet, float toneHz);

// Mono reverb for ambience and effects (the mono sum of the stereo reverb).
void AddReverbMono(Mono& out, const Mono& send, float wet, float roomSize, float damping, bool loop);

// Level tools.
float Peak(const Mono& m);
float Rms(const Mono& m);
// Scales so the RMS reaches the target but the peak stays under `ceiling`.
void Normalise(Stereo& s, float targetRmsDb, float ceilingDb);
void Normalise(Mono& m, float targetRmsDb, float ceilingDb);
// Short raised-cosine fades at both ends (one-shot sounds only).
void FadeEnds(Mono& m, float inSeconds, float outSeconds);

}  // namespace synth
