// The audio generator's building blocks: note names and lines, tuning of the
// plucked string, loops that wrap, reverb tails that cross the loop point,
// levels, and the repeatability of everything.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "tools/audio/instruments.h"
#include "tools/audio/score.h"
#include "tools/audio/synth.h"

using namespace synth;

TEST(AudioScore, NoteNamesAreMidiNumbers) {
    EXPECT_EQ(Midi("A4"), 69);
    EXPECT_EQ(Midi("C4"), 60);
    EXPECT_EQ(Midi("F#5"), 78);
    EXPECT_EQ(Midi("Bb3"), 58);
    EXPECT_EQ(Midi("C-1"), 0);
    EXPECT_THROW(Midi("H4"), std::runtime_error);
    EXPECT_THROW(Midi("C#"), std::runtime_error);
    EXPECT_NEAR(NoteHz(69.0f), 440.0f, 1e-3f);
    EXPECT_NEAR(NoteHz(57.0f), 220.0f, 1e-3f);
}

TEST(AudioScore, LinePlacesNotesByBeatAndSkipsRestsAndBarLines) {
    const std::vector<NoteEvent> notes = Line("F#5/1.5 E5/.5 | D5 r/2 A4");
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_DOUBLE_EQ(notes[0].beat, 0.0);
    EXPECT_DOUBLE_EQ(notes[0].beats, 1.5);
    EXPECT_DOUBLE_EQ(notes[1].beat, 1.5);
    EXPECT_DOUBLE_EQ(notes[2].beat, 2.0);
    EXPECT_DOUBLE_EQ(notes[2].beats, 1.0);
    EXPECT_EQ(notes[2].midi, 74);
    EXPECT_DOUBLE_EQ(notes[3].beat, 5.0);  // after the two-beat rest
    EXPECT_EQ(Chord("D3 A3 F#4"), (std::vector<int>{50, 57, 66}));
}

TEST(AudioSynth, SameSeedSameNumbersOtherSeedOthers) {
    Rng a(7), b(7), c(8);
    for (int i = 0; i < 100; ++i) {
        const uint64_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        EXPECT_NE(x, c.Next());
    }
    Rng r(1);
    for (int i = 0; i < 1000; ++i) {
        const float u = r.Uniform();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        ASSERT_LT(r.Below(3), 3);
    }
}

// The pitch of a sound from its autocorrelation: the lag near the expected
// period that best matches the sound with itself, refined between samples.
static double MeasuredHz(const Mono& m, int from, int to, double expectHz) {
    const double period = kRate / expectHz;
    auto corr = [&](int lag) {
        double sum = 0.0;
        for (int i = from; i < to; ++i) sum += double(m[i]) * m[i + lag];
        return sum;
    };
    int best = int(period * 0.8);
    for (int lag = best; lag <= int(period * 1.25); ++lag)
        if (corr(lag) > corr(best)) best = lag;
    const double a = corr(best - 1), b = corr(best), c = corr(best + 1);
    const double lag = best + 0.5 * (a - c) / (a - 2.0 * b + c);
    return kRate / lag;
}

TEST(AudioInstruments, PluckedStringIsInTune) {
    for (float hz : {110.0f, 220.0f, 392.0f}) {
        Rng rng(3);
        const Mono note = Pluck(hz, 1.0f, 1.0f, 0.1f, 3.0f, rng);  // dark, so the fundamental rules
        EXPECT_NEAR(MeasuredHz(note, Samples(0.3), Samples(0.6), hz), hz, hz * 0.003) << hz;
    }
}

TEST(AudioInstruments, NotesFadeToSilenceAndStayInRange) {
    Rng rng(5);
    for (const Mono& m : {Pluck(330.0f, 0.5f, 1.0f, 0.5f, 2.0f, rng), MusicBox(880.0f, 1.0f, rng),
                          Bell(660.0f, 1.0f, 1.0f), Flute(523.0f, 0.8f, 1.0f, rng), Pad(220.0f, 1.0f, 1.0f, 0.3f, rng),
                          Bass(55.0f, 1.0f, 1.0f), SoftKick(1.0f), Shaker(1.0f, rng), WoodBlock(800.0f, 1.0f, rng)}) {
        ASSERT_FALSE(m.empty());
        EXPECT_GT(Peak(m), 0.01f);
        EXPECT_LT(Peak(m), 1.0f);
        EXPECT_EQ(m.back(), 0.0f);  // no click when the sound ends
    }
}

TEST(AudioSynth, LoopBufferWrapsWhatRunsPastItsEnd) {
    Stereo loop(100, true);
    loop.Mix(Mono(30, 1.0f), 90, 1.0f, 0.0f);
    EXPECT_GT(loop.left[95], 0.0f);
    EXPECT_GT(loop.left[5], 0.0f);    // frames 100..119 landed at 0..19
    EXPECT_EQ(loop.left[25], 0.0f);
    EXPECT_NEAR(loop.left[5], loop.right[5], 1e-6f);  // centre pan: equal sides
    Stereo once(100, false);
    once.Mix(Mono(30, 1.0f), 90, 1.0f, -1.0f);
    EXPECT_EQ(once.left[5], 0.0f);    // a one-shot buffer drops the overhang
    EXPECT_NEAR(once.right[95], 0.0f, 1e-6f);  // hard left
}

TEST(AudioSynth, ReverbOfALoopRingsOverItsStart) {
    const int n = Samples(2.0);
    Stereo dry(n, true), send(n, true), out(n, true);
    send.left[n - 100] = send.right[n - 100] = 1.0f;  // a click just before the loop point
    AddReverb(out, send, 1.0f, 0.8f, 0.3f);
    float start = 0.0f;
    for (int i = 0; i < Samples(0.3); ++i) start = std::max(start, std::fabs(out.left[i]));
    EXPECT_GT(start, 1e-4f);  // its tail is heard at the start of the next pass
    Stereo oneShot(n, false), oneOut(n, false);
    oneShot.left[n - 100] = 1.0f;
    AddReverb(oneOut, oneShot, 1.0f, 0.8f, 0.3f);
    for (int i = 0; i < Samples(0.3); ++i) ASSERT_EQ(oneOut.left[i], 0.0f);
}

TEST(AudioSynth, NormaliseMeetsTheLoudnessButNeverTheCeiling) {
    Mono quiet(1000);
    for (int i = 0; i < 1000; ++i) quiet[i] = 0.01f * std::sin(0.1f * i);
    Normalise(quiet, -20.0f, -1.0f);
    EXPECT_NEAR(Rms(quiet), FromDb(-20.0f), 1e-4f);
    Mono spiky(1000, 0.001f);
    spiky[500] = 0.5f;
    Normalise(spiky, -20.0f, -1.0f);
    EXPECT_NEAR(Peak(spiky), FromDb(-1.0f), 1e-4f);  // the peak limits the gain
}
