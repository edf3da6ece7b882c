// The lakeside theme (the opening level's own): F major in 3/4 at 92 beats a
// minute, 32 bars. A music box ripples like water over a harp and a pad; a
// flute sings the tune, then the music box takes it with the flute below.
#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"
#include "tools/audio/score.h"

namespace synth {

namespace {
const char* const kChords[16] = {
    "F3 C4 F4 A4", "D3 A3 D4 F4", "Bb2 F3 Bb3 D4", "C3 G3 C4 E4",
    "F3 C4 F4 A4", "A2 E3 A3 C4", "Bb2 F3 Bb3 D4", "C3 G3 C4 E4",
    "D3 A3 D4 F4", "Bb2 F3 Bb3 D4", "F3 C4 F4 A4", "C3 G3 C4 E4",
    "D3 A3 D4 F4", "Bb2 F3 Bb3 D4", "G2 D3 G3 Bb3", "C3 G3 Bb3 E4",
};
const char* kTune =
    "A5/2 G5 | F5/2 D5 | D5 C5 Bb4 | C5/3 | A4 C5 F5 | E5/2 C5 | D5 C5 Bb4 | G4/3 | "
    "A4/2 D5 | F5/2 D5 | C5/2 A4 | G4/2 C5 | D5/2 F5 | F5 D5 Bb4 | Bb4 D5 G5 | E5/2 C5";
}  // namespace

Stereo LakesideTheme() {
    Arrangement a(92.0, 3, 32, 0x1A4E5004);
    const int ripple[6] = {2, 3, 1, 3, 2, 3};
    for (int bar = 0; bar < 32; ++bar) {
        const std::vector<int> chord = Chord(kChords[bar % 16]);
        const double start = a.BarBeat(bar);
        // Ripples: music box eighths high above the tune.
        for (int k = 0; k < 6; ++k)
            a.Place(MusicBox(NoteHz(float(chord[ripple[k]] + 12)), 0.5f, a.rng), start + 0.5 * k, 0.22f,
                    0.5f - 0.2f * float(k % 3), 0.45f, 0.2f);
        // Harp on the beats.
        for (int k = 0; k < 3; ++k)
            a.Place(Pluck(NoteHz(float(chord[k])), 0.8f, 1.0f, 0.4f, 2.6f, a.rng), start + k, k == 0 ? 0.45f : 0.28f,
                    -0.35f, 0.3f);
        for (size_t n = 1; n < chord.size(); ++n)
            a.Place(Pad(NoteHz(float(chord[n])), float(a.Seconds(3.0)), 1.0f, 0.2f, a.rng), start,
                    bar < 16 ? 0.13f : 0.18f, -0.5f + 0.5f * float(n - 1), 0.5f);
        a.Place(Bass(NoteHz(float(chord[0] - 12)), float(a.Seconds(2.5)), 1.0f), start, 0.35f, 0.0f, 0.1f);
    }
    for (const NoteEvent& n : Line(kTune)) {
        a.Place(Flute(NoteHz(float(n.midi)), float(a.Seconds(n.beats)) * 0.93f, 1.0f, a.rng), n.beat, 0.5f, 0.1f,
                0.45f);
        a.Place(MusicBox(NoteHz(float(n.midi)), 1.0f, a.rng), a.BarBeat(16) + n.beat, 0.85f, 0.1f, 0.4f, 0.3f);
        a.Place(Flute(NoteHz(float(n.midi - 12)), float(a.Seconds(n.beats)) * 0.93f, 0.7f, a.rng),
                a.BarBeat(16) + n.beat, 0.28f, -0.15f, 0.45f);
    }
    return a.Finish(0.5f, 0.8f, 1.5f, 0.3f, 0.15f);
}

}  // namespace synth
