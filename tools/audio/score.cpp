#include "tools/audio/score.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace synth {

int Midi(const std::string& name) {
    static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note name: " + name);
    int semitone = kSteps[name[0] - 'A'];
    size_t i = 1;
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) semitone += name[i++] == '#' ? 1 : -1;
    if (i >= name.size()) throw std::runtime_error("note without octave: " + name);
    const int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + semitone;
}

std::vector<NoteEvent> Line(const std::string& text) {
    std::vector<NoteEvent> notes;
    std::istringstream in(text);
    std::string token;
    double beat = 0.0;
    while (in >> token) {
        if (token == "|") continue;  // bar lines are for the reader
        const size_t slash = token.find('/');
        const std::string name = token.substr(0, slash);
        const double beats = slash == std::string::npos ? 1.0 : std::stod(token.substr(slash + 1));
        if (name != "r") notes.push_back({beat, beats, Midi(name)});
        beat += beats;
    }
    return notes;
}

std::vector<int> Chord(const std::string& text) {
    std::vector<int> notes;
    std::istringstream in(text);
    std::string token;
    while (in >> token) notes.push_back(Midi(token));
    return notes;
}

Arrangement::Arrangement(double bpm_, int beatsPerBar_, int bars_, uint64_t seed)
    : bpm(bpm_), beatsPerBar(beatsPerBar_), bars(bars_), rng(seed) {
    const int frames = Samples(Seconds(double(beatsPerBar * bars)));
    dry = Stereo(frames, true);
    reverb = Stereo(frames, true);
    echo = Stereo(frames, true);
}

void Arrangement::Place(const Mono& sound, double beat, float gain, float pan, float reverbSend, float echoSend) {
    const int at = Samples(Seconds(beat) + rng.Range(-0.006f, 0.006f));
    const float g = gain * rng.Range(0.92f, 1.0f);
    dry.Mix(sound, at, g, pan);
    if (reverbSend > 0.0f) reverb.Mix(sound, at, g * reverbSend, pan);
    if (echoSend > 0.0f) echo.Mix(sound, at, g * echoSend, pan);
}

Stereo Arrangement::Finish(float reverbWet, float roomSize, float echoDelayBeats, float echoFeedback, float echoWet) {
    Stereo out = dry;
    if (echoWet > 0.0f) {
        Stereo echoed(out.Frames(), true);
        AddEcho(echoed, echo, float(Seconds(echoDelayBeats)), echoFeedback, 1.0f, 2500.0f);
        out.MixStereo(echoed, echoWet);
        reverb.MixStereo(echoed, 0.5f);  // the echoes sit in the same room
    }
    AddReverb(out, reverb, reverbWet, roomSize, 0.45f);
    // A gentle master: -18 dB RMS with the peaks kept under -1 dBFS.
    Normalise(out, -18.0f, -1.0f);
    return out;
}

}  // namespace synth
