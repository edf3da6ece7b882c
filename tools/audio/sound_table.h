#pragma once
// The one table of the game's sounds. From it the generator writes the sound
// files, the banks that name them as events, and the cue table through which
// the game plays them, so the three always agree.
#include <functional>
#include <string>
#include <vector>

#include "tools/audio/audio_file.h"

namespace synth {

enum class SoundKind {
    Music,     // stereo Ogg, loops, streamed, on the music bus
    Ambience,  // mono Ogg, loops, placed in the world, on the effects bus
    Effect,    // mono WAV, one-shot, on the effects bus
};

struct SoundDef {
    std::string file;   // relative to audio/, e.g. "music/title.ogg"
    std::string event;  // event path, e.g. "event:/Music/Title"
    std::string cue;    // cue name the game plays it by
    SoundKind kind = SoundKind::Effect;
    std::string bus;    // "bus:/Music", "bus:/SFX", or "bus:/UI" for the menus' sounds,
                        // which must sound while the game (and so the effects bus) is paused
    float volume = 1.0f;       // the event's own volume in its bank
    float cueVolume = 1.0f;    // the cue's stored volume (used by one-shots)
    float minDistance = 1.0f;  // world units: full strength inside
    float maxDistance = 20.0f; // world units: silent beyond
    float fadeOut = 0.0f;      // seconds of fade when stopped with fade-out
    std::function<PcmData()> make;
};

const std::vector<SoundDef>& SoundTable();

// The bank a sound's event lives in ("Music" or "SFX").
std::string BankOf(const SoundDef& def);

}  // namespace synth
