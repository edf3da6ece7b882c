#pragma once
// Writing music down: note names, melody lines as text, and an arrangement
// that places rendered notes by beat into a loop with reverb and echo sends.
//
//   Line("F#5/1.5 E5/.5 D5 r/2 A4")   -- name/beats, default one beat; r is a rest
//   Chord("D3 A3 F#4")                 -- MIDI notes of a voicing
#include <string>
#include <vector>

#include "tools/audio/synth.h"

namespace synth {

struct NoteEvent {
    double beat = 0.0;   // start, in beats from the line's start
    double beats = 1.0;  // held length
    int midi = 60;
};

// "C4" = 60; sharps with #, flats with b ("Bb3"). Throws on a bad name.
int Midi(const std::string& name);
std::vector<NoteEvent> Line(const std::string& text);
std::vector<int> Chord(const std::string& text);

struct Arrangement {
    Arrangement(double bpm, int beatsPerBar, int bars, uint64_t seed);

    double bpm;
    int beatsPerBar, bars;
    Stereo dry, reverb, echo;  // the mix and its two sends
    Rng rng;

    double Seconds(double beat) const { return beat * 60.0 / bpm; }
    double BarBeat(int bar) const { return double(bar * beatsPerBar); }
    // Places a note's sound at `beat` with a few milliseconds of human looseness.
    void Place(const Mono& sound, double beat, float gain, float pan, float reverbSend, float echoSend = 0.0f);
    // The dry mix plus the sends' returns, normalised for a music file.
    Stereo Finish(float reverbWet, float roomSize, float echoDelayBeats, float echoFeedback, float echoWet);
};

}  // namespace synth
