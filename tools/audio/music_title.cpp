// The title theme: a lullaby in D major, 3/4 at 76 beats a minute, 24 bars.
// A music box sings the tune over a harp's arpeggios; in the middle a flute
// takes a second tune; then the music box returns with the flute beneath it.
#include "tools/audio/instruments.h"
#include "tools/audio/pieces.h"
#include "tools/audio/score.h"

namespace synth {

namespace {
// Four ascending chord tones per bar: harp arpeggio, pad (upper three) and bass (lowest).
const char* const kChords[24] = {
    "D3 A3 D4 F#4", "B2 F#3 B3 D4", "G2 D3 B3 D4", "A2 E3 A3 C#4",   // A
    "D3 A3 D4 F#4", "F#2 C#3 A3 C#4", "G2 D3 B3 D4", "A2 E3 A3 C#4",
    "E2 B2 G3 B3", "G2 D3 B3 D4", "D3 A3 D4 F#4", "B2 F#3 B3 D4",    // B
    "G2 D3 B3 D4", "A2 E3 A3 C#4", "D3 A3 D4 F#4", "A2 E3 G3 C#4",
    "D3 A3 D4 F#4", "B2 F#3 B3 D4", "G2 D3 B3 D4", "A2 E3 A3 C#4",   // A again
    "D3 A3 D4 F#4", "F#2 C#3 A3 C#4", "G2 D3 B3 D4", "A2 E3 A3 C#4",
};
const char* kTuneA =
    "F#5/1.5 E5/.5 D5 | B4/2 D5 | E5 D5 B4 | A4/3 | F#5/1.5 G5/.5 A5 | C#6 A5 F#5 | G5 F#5 E5 | E5/2 r";
const char* kTuneB =
    "G5/2 F#5 | E5/1.5 D5/.5 B4 | A4 D5 F#5 | F#5/2 E5 | D5 E5 G5 | F#5/1.5 E5/.5 C#5 | D5/3 | A4 B4 C#5";
const char* kTuneA2 =
    "F#5/1.5 E5/.5 D5 | B4/2 D5 | E5 D5 B4 | A4/3 | F#5/1.5 G5/.5 A5 | C#6 A5 F#5 | G5 F#5 E5 | E5/1.5 C#5/.5 A4";
}  // namespace

Stereo TitleTheme() {
    Arrangement a(76.0, 3, 24, 0x7171E001);
    const int pattern[6] = {0, 1, 2, 3, 2, 1};
    for (int bar = 0; bar < 24; ++bar) {
        const std::vector<int> chord = Chord(kChords[bar]);
        const double start = a.BarBeat(bar);
        const bool middle = bar >= 8 && bar < 16;
        // Harp: six eighths rising and falling.
        for (int k = 0; k < 6; ++k) {
            const int note = chord[pattern[k]];
            a.Place(Pluck(NoteHz(float(note)), 0.9f, 1.0f, 0.45f, 2.5f, a.rng), start + 0.5 * k,
                    k == 0 ? 0.42f : 0.3f, -0.35f + 0.1f * float(pattern[k]), 0.35f);
        }
        // Pad under the middle and the return, swelling with each bar.
        if (bar >= 6) {
            for (size_t n = 1; n < chord.size(); ++n)
                a.Place(Pad(NoteHz(float(chord[n] + 12)), float(a.Seconds(3.0)), 1.0f, 0.25f, a.rng), start,
                        middle ? 0.22f : 0.16f, -0.5f + 0.5f * float(n - 1), 0.5f);
        }
        // Round bass on the downbeat.
        a.Place(Bass(NoteHz(float(chord[0] - 12)), float(a.Seconds(2.5)), 1.0f), start, 0.4f, 0.0f, 0.1f);
    }
    // The tunes.
    for (const NoteEvent& n : Line(kTuneA))
        a.Place(MusicBox(NoteHz(float(n.midi)), 1.0f, a.rng), n.beat, 0.9f, 0.15f, 0.4f, 0.3f);
    for (const NoteEvent& n : Line(kTuneB))
        a.Place(Flute(NoteHz(float(n.midi)), float(a.Seconds(n.beats)) * 0.95f, 1.0f, a.rng), a.BarBeat(8) + n.beat,
                0.55f, 0.2f, 0.45f);
    for (const NoteEvent& n : Line(kTuneA2)) {
        a.Place(MusicBox(NoteHz(float(n.midi)), 1.0f, a.rng), a.BarBeat(16) + n.beat, 0.85f, 0.15f, 0.4f, 0.3f);
        a.Place(Flute(NoteHz(float(n.midi - 12)), float(a.Seconds(n.beats)) * 0.95f, 0.7f, a.rng),
                a.BarBeat(16) + n.beat, 0.3f, -0.2f, 0.45f);
    }
    // A soft bell at the start of each section.
    for (int bar : {0, 8, 16}) a.Place(Bell(NoteHz(float(Midi("D6"))), 0.6f, 1.0f), a.BarBeat(bar), 0.35f, 0.4f, 0.6f, 0.3f);
    return a.Finish(0.55f, 0.85f, 0.75f, 0.35f, 0.25f);
}

}  // namespace synth
