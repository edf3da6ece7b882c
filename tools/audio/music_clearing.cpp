// The clearing's theme: by the campfire in G major, 4/4 at 88 beats a minute,
// 24 bars. Fingerpicked strings carry it throughout; a flute sings the tune,
// a music box answers in the middle, soft percussion joins after the start.
#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"
#include "tools/audio/score.h"

namespace synth {

namespace {
// Per bar: root bass, alternate bass, then three upper strings.
const char* const kChords[24] = {
    "G2 D3 G3 B3 D4", "E2 B2 G3 B3 E4", "C3 G3 G3 C4 E4", "D3 A2 F#3 A3 D4",   // A
    "G2 D3 G3 B3 D4", "E2 B2 G3 B3 E4", "A2 E3 A3 C4 E4", "D3 A2 F#3 A3 D4",
    "C3 G3 G3 C4 E4", "D3 A2 F#3 A3 D4", "B2 F#3 F#3 B3 D4", "E2 B2 G3 B3 E4",  // B
    "C3 G3 G3 C4 E4", "D3 A2 F#3 A3 D4", "G2 D3 G3 B3 D4", "D3 A2 F#3 A3 C4",
    "G2 D3 G3 B3 D4", "E2 B2 G3 B3 E4", "C3 G3 G3 C4 E4", "D3 A2 F#3 A3 D4",   // A again
    "G2 D3 G3 B3 D4", "E2 B2 G3 B3 E4", "A2 E3 A3 C4 E4", "D3 A2 F#3 A3 D4",
};
const char* kTuneA =
    "B4/1.5 A4/.5 G4 D5 | E5/2 D5 B4 | C5/1.5 B4/.5 A4 G4 | A4/3 r | "
    "B4/1.5 C5/.5 D5 G5 | F#5/1.5 E5/.5 D5 B4 | C5/1.5 B4/.5 A4 E5 | D5/3 r";
const char* kTuneB =
    "E5/1.5 D5/.5 C5 G4 | F#4/1.5 G4/.5 A4 D5 | D5/1.5 E5/.5 F#5 D5 | E5/2 B4/2 | "
    "C5/1.5 D5/.5 E5 G5 | F#5/1.5 E5/.5 D5 A4 | B4/2 D5/2 | F#4/2 A4 r";
const char* kTuneA2 =
    "B4/1.5 A4/.5 G4 D5 | E5/2 D5 B4 | C5/1.5 B4/.5 A4 G4 | A4/3 r | "
    "B4/1.5 C5/.5 D5 G5 | F#5/1.5 E5/.5 D5 B4 | C5/1.5 B4/.5 A4 F#4 | F#4/2 A4 r";
}  // namespace

Stereo ClearingTheme() {
    Arrangement a(88.0, 4, 24, 0xC1EA0002);
    // Travis picking: bass on the beats 1 and 3, strings between.
    const int pattern[8] = {0, 3, 2, 4, 1, 3, 2, 4};
    for (int bar = 0; bar < 24; ++bar) {
        const std::vector<int> chord = Chord(kChords[bar]);
        const double start = a.BarBeat(bar);
        for (int k = 0; k < 8; ++k) {
            const int s = pattern[k];
            const bool bass = s < 2;
            a.Place(Pluck(NoteHz(float(chord[s])), bass ? 1.0f : 0.6f, 1.0f, bass ? 0.3f : 0.55f, bass ? 3.0f : 2.2f,
                          a.rng),
                    start + 0.5 * k, bass ? 0.5f : 0.3f, bass ? -0.1f : -0.4f + 0.15f * float(s), 0.25f);
        }
        // Percussion after the first eight bars: a soft heartbeat and a shaker.
        if (bar >= 8) {
            a.Place(SoftKick(1.0f), start, 0.45f, 0.0f, 0.05f);
            a.Place(SoftKick(0.6f), start + 2.5, 0.3f, 0.0f, 0.05f);
            for (int k = 0; k < 8; ++k)
                a.Place(Shaker(k % 2 ? 1.0f : 0.5f, a.rng), start + 0.5 * k, 0.25f, 0.35f, 0.2f);
            if (bar % 2 == 1) a.Place(WoodBlock(820.0f, 1.0f, a.rng), start + 3.0, 0.25f, -0.3f, 0.3f);
        }
        // A low pad in the middle section.
        if (bar >= 8 && bar < 16) {
            for (int n = 2; n < 5; ++n)
                a.Place(Pad(NoteHz(float(chord[n])), float(a.Seconds(4.0)), 1.0f, 0.2f, a.rng), start, 0.14f,
                        -0.5f + 0.5f * float(n - 2), 0.5f);
        }
    }
    for (const NoteEvent& n : Line(kTuneA))
        a.Place(Flute(NoteHz(float(n.midi)), float(a.Seconds(n.beats)) * 0.92f, 1.0f, a.rng), n.beat, 0.55f, 0.15f,
                0.4f);
    for (const NoteEvent& n : Line(kTuneB))
        a.Place(MusicBox(NoteHz(float(n.midi + 12)), 1.0f, a.rng), a.BarBeat(8) + n.beat, 0.75f, 0.25f, 0.4f, 0.25f);
    for (const NoteEvent& n : Line(kTuneA2)) {
        a.Place(Flute(NoteHz(float(n.midi)), float(a.Seconds(n.beats)) * 0.92f, 1.0f, a.rng), a.BarBeat(16) + n.beat,
                0.55f, 0.15f, 0.4f);
        if (n.beats >= 1.0)
            a.Place(MusicBox(NoteHz(float(n.midi + 12)), 0.6f, a.rng), a.BarBeat(16) + n.beat, 0.35f, 0.3f, 0.4f, 0.2f);
    }
    return a.Finish(0.4f, 0.7f, 1.5f, 0.3f, 0.15f);
}

}  // namespace synth
