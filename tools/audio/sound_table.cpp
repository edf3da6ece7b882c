#include "tools/audio/sound_table.h"

#include <utility>

#include "tools/audio/pieces.h"

namespace synth {

namespace {
PcmData FromStereo(const Stereo& s) {
    PcmData p;
    p.channels = 2;
    p.samples.resize(size_t(s.Frames()) * 2);
    for (int i = 0; i < s.Frames(); ++i) {
        p.samples[2 * size_t(i)] = s.left[i];
        p.samples[2 * size_t(i) + 1] = s.right[i];
    }
    return p;
}

PcmData FromMono(const Mono& m) {
    PcmData p;
    p.channels = 1;
    p.samples = m;
    return p;
}

SoundDef Def(std::string file, const char* event, const char* cue, SoundKind kind, float volume, float cueVolume) {
    SoundDef d;
    d.file = std::move(file);
    d.event = event;
    d.cue = cue;
    d.kind = kind;
    d.volume = volume;
    d.cueVolume = cueVolume;
    d.bus = kind == SoundKind::Music ? "bus:/Music" : "bus:/SFX";
    return d;
}

SoundDef Music(const char* name, const char* event, const char* cue, float volume, Stereo (*make)()) {
    SoundDef d = Def(std::string("music/") + name + ".ogg", event, cue, SoundKind::Music, volume, 1.0f);
    d.fadeOut = 1.0f;
    d.make = [make] { return FromStereo(make()); };
    return d;
}

// Ambience is heard at full strength near its source and fades out over the
// distances the emitters in the levels ask for; these are the bank's defaults.
SoundDef Ambience(const char* name, const char* event, const char* cue, float volume, Mono (*make)()) {
    SoundDef d = Def(std::string("ambience/") + name + ".ogg", event, cue, SoundKind::Ambience, volume, 1.0f);
    d.minDistance = 30.0f;
    d.maxDistance = 200.0f;
    d.fadeOut = 1.0f;
    d.make = [make] { return FromMono(make()); };
    return d;
}

SoundDef Effect(const char* name, const char* event, const char* cue, float cueVolume, std::function<Mono()> make) {
    SoundDef d = Def(std::string("sfx/") + name + ".wav", event, cue, SoundKind::Effect, 1.0f, cueVolume);
    d.minDistance = 30.0f;
    d.maxDistance = 200.0f;
    d.fadeOut = 0.05f;
    d.make = [make] { return FromMono(make()); };
    return d;
}
SoundDef Interface(const char* name, const char* event, const char* cue, float cueVolume, Mono (*make)()) {
    SoundDef d = Effect(name, event, cue, cueVolume, make);
    d.bus = "bus:/UI";
    return d;
}
}  // namespace

const std::vector<SoundDef>& SoundTable() {
    static const std::vector<SoundDef> table = {
        Music("title", "event:/Music/Title", "Music_Title", 0.75f, TitleTheme),
        Music("lakeside", "event:/Music/Lakeside", "Music_Lakeside", 0.75f, LakesideTheme),
        Music("clearing", "event:/Music/Clearing", "Music_Clearing", 0.75f, ClearingTheme),
        Music("hollow", "event:/Music/Hollow", "Music_Hollow", 0.75f, HollowTheme),
        Ambience("campfire", "event:/Ambience/Campfire", "Ambience_Campfire", 0.875f, CampfireCrackle),
        Ambience("lake", "event:/Ambience/Lake", "Ambience_Lake", 0.75f, LakeWater),
        Ambience("wind", "event:/Ambience/Wind", "Ambience_Wind", 0.625f, WindInTrees),
        Ambience("insects", "event:/Ambience/Insects", "Ambience_Insects", 0.5f, NightInsects),
        Effect("footstep_grass_1", "event:/SFX/Footstep1", "Footstep1", 0.5f, [] { return FootstepGrass(0); }),
        Effect("footstep_grass_2", "event:/SFX/Footstep2", "Footstep2", 0.5f, [] { return FootstepGrass(1); }),
        Effect("footstep_grass_3", "event:/SFX/Footstep3", "Footstep3", 0.5f, [] { return FootstepGrass(2); }),
        Effect("door", "event:/SFX/Door", "Door", 0.75f, DoorOpen),
        Interface("button_hover", "event:/SFX/UI/Hover", "Button_Hover", 0.625f, ButtonHover),
        Interface("button_select", "event:/SFX/UI/Select", "Button_Select", 0.75f, ButtonSelect),
        Effect("chime", "event:/SFX/Chime", "Chime", 0.75f, SoftChime),
    };
    return table;
}

std::string BankOf(const SoundDef& def) { return def.kind == SoundKind::Music ? "Music" : "SFX"; }

}  // namespace synth
