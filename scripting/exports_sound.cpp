// Exports: sound. Cues are played and stopped by name; mutes are the player's
// settings and survive level loads (see SoundSpace). Without an audio system
// (headless tools) nothing plays and nothing is muted.
#include "core/engine_state.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"
#include "sound/audio_system.h"
#include "sound/sound_cue.h"

namespace {

// The interface sounds: the named cue at its own volume, unless the window is
// minimised; a missing cue plays nothing after Get cue's line.
void PlayInterfaceCue(const char* name) {
    AudioSystem* audio = GetAudio();
    if (!audio || GetEngineState().minimized) return;
    if (SoundCue* cue = GetCue(*audio, name)) PlayCue(*audio, *cue, 1.0f);
}

}  // namespace

extern "C" void lb_sounds_play(const char* cue) {
    scripting::Guarded([&] {
        if (AudioSystem* audio = GetAudio()) PlayCue(*audio, cue ? cue : "", 1.0f);
    });
}

extern "C" void lb_sounds_stop(const char* cue) {
    scripting::Guarded([&] {
        if (AudioSystem* audio = GetAudio()) StopCue(*audio, cue ? cue : "");
    });
}

extern "C" void lb_sounds_play_hover(void) {
    scripting::Guarded([&] { PlayInterfaceCue("Button_Hover"); });
}

extern "C" void lb_sounds_play_select(void) {
    scripting::Guarded([&] { PlayInterfaceCue("Button_Select"); });
}

extern "C" void lb_sounds_mute_all(bool on) {
    scripting::Guarded([&] {
        if (AudioSystem* audio = GetAudio()) audio->SetBusMute("Master Bus", on);
    });
}

extern "C" bool lb_sounds_all_muted(void) {
    return scripting::Guarded([&] {
        AudioSystem* audio = GetAudio();
        return audio && audio->allMuted;
    });
}

extern "C" void lb_sounds_mute_music(bool on) {
    scripting::Guarded([&] {
        AudioSystem* audio = GetAudio();
        if (!audio) return;
        if (on)
            MuteMusic(*audio);
        else
            UnmuteMusic(*audio);
    });
}

extern "C" bool lb_sounds_music_muted(void) {
    return scripting::Guarded([&] {
        AudioSystem* audio = GetAudio();
        return audio && audio->musicMuted;
    });
}
