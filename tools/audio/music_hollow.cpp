// The hollow's theme: deep in the woods, A minor, 4/4 at 66 beats a minute,
// 16 bars. Slow pads and a low pedal, a bell tune ringing into echoes, then a
// low flute; sparse harp notes like drops.
#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"
#include "tools/audio/score.h"

namespace synth {

namespace {
const char* const kChords[16] = {
    "A2 E3 A3 C4", "F2 C3 E3 A3", "C3 G3 C4 E4", "G2 D3 G3 B3",
    "A2 E3 A3 C4", "E2 B2 E3 G3", "F2 C3 F3 A3", "E2 B2 E3 G#3",
    "D3 A3 D4 F4", "A2 E3 A3 C4", "F2 C3 F3 A3", "G2 D3 G3 B3",
    "A2 E3 A3 C4", "F2 C3 F3 A3", "E2 B2 E3 A3", "E2 B2 E3 G#3",
};
const char* kBells = "E5/2 C5/2 | A4/4 | G4/2 E5/2 | D5/4 | E5/2 C5 B4 | B4/4 | A4/2 C5/2 | B4/3 G#4";
const char* kFlute =
    "F4/1.5 A4/.5 D5/2 | C5/2 A4/2 | A4/1.5 C5/.5 F5/2 | D5/2 B4/2 | C5/1.5 B4/.5 A4/2 | F4/2 A4/2 | B4/2 E4/2 | "
    "G#4/3 B4";
}  // namespace

Stereo HollowTheme() {
    Arrangement a(66.0, 4, 16, 0x4011C003);
    for (int bar = 0; bar < 16; ++bar) {
        const std::vector<int> chord = Chord(kChords[bar]);
        const double start = a.BarBeat(bar);
        for (size_t n = 1; n < chord.size(); ++n)
            a.Place(Pad(NoteHz(float(chord[n])), float(a.Seconds(4.0)), 1.0f, 0.15f, a.rng), start, 0.28f,
                    -0.6f + 0.6f * float(n - 1), 0.6f);
        a.Place(Bass(NoteHz(float(chord[0] - 12)), float(a.Seconds(3.5)), 1.0f), start, 0.45f, 0.0f, 0.2f);
        // Drops: a few harp notes rising, then quiet.
        const int drops[4] = {1, 2, 3, 2};
        for (int k = 0; k < 4; ++k)
            a.Place(Pluck(NoteHz(float(chord[drops[k]] + 12)), 0.5f, 0.8f, 0.5f, 2.0f, a.rng),
                    start + 1.0 + 0.5 * k, 0.18f, 0.45f - 0.1f * k, 0.5f, 0.35f);
        if (bar % 4 == 0) a.Place(SoftKick(0.7f), start, 0.35f, 0.0f, 0.4f);
    }
    for (const NoteEvent& n : Line(kBells))
        a.Place(Bell(NoteHz(float(n.midi)), 0.9f, 1.2f), n.beat, 0.6f, -0.15f, 0.5f, 0.45f);
    for (const NoteEvent& n : Line(kFlute))
        a.Place(Flute(NoteHz(float(n.midi)), float(a.Seconds(n.beats)) * 0.95f, 1.0f, a.rng), a.BarBeat(8) + n.beat,
                0.55f, 0.1f, 0.5f, 0.2f);
    return a.Finish(0.7f, 0.9f, 1.5f, 0.45f, 0.3f);
}

}  // namespace synth
