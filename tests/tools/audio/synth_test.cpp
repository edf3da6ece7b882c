// The audio generator's building blocks: notes, the seeded random source, the
// instruments' tuning and endings, loops that wrap, reverb tails, and levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "tools/audio/instruments.h"
#include "tools/audio/score.h"
#include "tools/audio/synth.h"

using namespace synth;

TEST(AudioScore, NoteNamesAndLinesGiveMidiNumbersPlacedByBeat) {
    const std::pair<const char*, int> names[] = {{"A4", 69}, {"C4", 60}, {"F#5", 78}, {"Bb3", 58}, {"C-1", 0}, {"G##2", 45}};
    for (const auto& [name, midi] : names) EXPECT_EQ(Midi(name), midi) << name;
    for (const char* bad : {"H4", "a4", "C#", "C"}) EXPECT_THROW(Midi(bad), std::runtime_error) << bad;
    EXPECT_FLOAT_EQ(NoteHz(57.0f), 220.0f);
    std::vector<std::tuple<double, double, int>> notes;
    for (const NoteEvent& n : Line("F#5/1.5 E5/.5 | D5 r/2 A4")) notes.emplace_back(n.beat, n.beats, n.midi);
    EXPECT_EQ(notes, (std::vector<std::tuple<double, double, int>>{{0, 1.5, 78}, {1.5, 0.5, 76}, {2, 1, 74}, {5, 1, 69}}));
    EXPECT_EQ(Chord("D3 A3 F#4"), (std::vector<int>{50, 57, 66}));
}

// SplitMix64: its published first output for seed 0, then the ranges.
TEST(AudioSynth, RandomNumbersAreSplitMix64InTheirRanges) {
    EXPECT_EQ(Rng(0).Next(), 0xE220A8397B1DCDAFull);
    Rng r(1);
    std::vector<float> u(10000);
    for (float& x : u) x = r.Uniform();
    const auto [low, high] = std::minmax_element(u.begin(), u.end());
    EXPECT_TRUE(*low >= 0.0f && *low < 0.001f && *high < 1.0f && *high > 0.999f) << *low << " " << *high;
}

// The pitch: the lag near the expected period that best matches the sound with itself.
static double MeasuredHz(const Mono& m, int from, int to, double expectHz) {
    auto corr = [&](int lag) {
        double sum = 0.0;
        for (int i = from; i < to; ++i) sum += double(m[i]) * m[i + lag];
        return sum;
    };
    int best = int(kRate / expectHz * 0.8);
    for (int lag = best; lag <= int(kRate / expectHz * 1.25); ++lag)
        if (corr(lag) > corr(best)) best = lag;
    const double a = corr(best - 1), b = corr(best), c = corr(best + 1);
    return kRate / (best + 0.5 * (a - c) / (a - 2.0 * b + c));
}

TEST(AudioInstruments, PluckedStringIsInTuneAndEveryNoteFadesToSilence) {
    for (float hz : {110.0f, 220.0f, 392.0f}) {
        Rng rng(3);
        const Mono note = Pluck(hz, 1.0f, 1.0f, 0.1f, 3.0f, rng);  // dark, so the fundamental rules
        EXPECT_NEAR(MeasuredHz(note, Samples(0.3), Samples(0.6), hz), hz, hz * 0.003) << hz;
    }
    Rng rng(5);
    for (const Mono& m : {Pluck(330.0f, 0.5f, 1.0f, 0.5f, 2.0f, rng), MusicBox(880.0f, 1.0f, rng),
                          Bell(660.0f, 1.0f, 1.0f), Flute(523.0f, 0.8f, 1.0f, rng), Pad(220.0f, 1.0f, 1.0f, 0.3f, rng),
                          Bass(55.0f, 1.0f, 1.0f), SoftKick(1.0f), Shaker(1.0f, rng), WoodBlock(800.0f, 1.0f, rng)}) {
        EXPECT_TRUE(Peak(m) > 0.01f && Peak(m) < 1.0f) << Peak(m);
        EXPECT_EQ(m.back(), 0.0f);  // no click when the sound ends
    }
}

// Whatever runs past a loop's end is heard at its start; a one-shot drops it.
TEST(AudioSynth, LoopsWrapWhatRunsPastTheirEndAndReverbRingsOverTheirStart) {
    Stereo loop(100, true), once(100, false);
    loop.Mix(Mono(30, 1.0f), 90, 1.0f, 0.0f);
    once.Mix(Mono(30, 1.0f), 90, 1.0f, -1.0f);
    EXPECT_NEAR(loop.left[19], 1.0f, 1e-6f);  // centre: equal power, full scale on each side
    EXPECT_NEAR(once.left[95], std::sqrt(2.0f), 1e-6f);  // hard left
    EXPECT_NEAR(once.right[95], 0.0f, 1e-6f);
    EXPECT_EQ(loop.left[20] + once.left[5], 0.0f);
    const int n = Samples(2.0);
    for (bool isLoop : {true, false}) {
        Stereo send(n, isLoop), out(n, isLoop);
        send.left[n - 100] = send.right[n - 100] = 1.0f;  // a click just before the loop point
        AddReverb(out, send, 1.0f, 0.8f, 0.3f);
        EXPECT_EQ(Peak(Mono(out.left.begin(), out.left.begin() + Samples(0.3))) > 1e-4f, isLoop);
    }
}

TEST(AudioSynth, NormaliseMeetsTheLoudnessButNeverTheCeiling) {
    Mono quiet(1000), spiky(1000, 0.001f);
    for (int i = 0; i < 1000; ++i) quiet[i] = 0.01f * std::sin(0.1f * i);
    spiky[500] = 0.5f;
    Normalise(quiet, -20.0f, -1.0f);
    Normalise(spiky, -20.0f, -1.0f);
    EXPECT_NEAR(Rms(quiet), FromDb(-20.0f), 1e-4f);
    EXPECT_NEAR(Peak(spiky), FromDb(-1.0f), 1e-4f);  // the peak limits the gain
}
