#include "sound/sound_cue.h"

#include <memory>

#include "core/events.h"
#include "core/log.h"
#include "sound/audio_system.h"

using namespace audio_rt;

namespace {
float FadeStep(float dt) { return dt == 0.0f ? kPausedFadeStep : dt; }
bool HasInstance(const Studio::EventInstance& instance) { return instance.generation != 0; }
}  // namespace

SoundCue::~SoundCue() {
    DisconnectFadeIn();
    DisconnectFadeOut();
    if (HasInstance(instance) && instance.isValid()) {
        audio::Check(instance.stop(Studio::STOP_IMMEDIATE));
        audio::Check(instance.release());
    }
}

void SoundCue::ConnectFadeIn() {
    events::Connect<float>("LogicUpdate", FadeInListener(), [this](float dt) { FadeInTick(dt); });
    fadeInConnected = true;
}

void SoundCue::ConnectFadeOut() {
    events::Connect<float>("LogicUpdate", FadeOutListener(), [this](float dt) { FadeOutTick(dt); });
    fadeOutConnected = true;
}

void SoundCue::DisconnectFadeIn() {
    if (fadeInConnected && events::IsRegistered("LogicUpdate")) events::Disconnect("LogicUpdate", FadeInListener());
    fadeInConnected = false;
}

void SoundCue::DisconnectFadeOut() {
    if (fadeOutConnected && events::IsRegistered("LogicUpdate")) events::Disconnect("LogicUpdate", FadeOutListener());
    fadeOutConnected = false;
}

void SoundCue::Play(AudioSystem& audio, float v) {
    startedByFade = false;

    if (kind == 1) {
        if (!fadingIn) {
            int position = 0;
            audio::Check(instance.getTimelinePosition(&position));
            if (position == 0) audio::Check(instance.setVolume(0.0f));
        }
        // Music is exclusive: every music cue fades out, this one included, so
        // a music cue played again fades out and back in from its start.
        for (const auto& m : audio.cues) {
            if (!HasInstance(m->instance) || m->kind != 1) continue;
            if (m->fadingIn) {
                m->fadingIn = false;
                m->DisconnectFadeIn();
            }
            m->Stop();
        }
        if (!fadingIn) {
            DisconnectFadeIn();
            ConnectFadeIn();
        }
        fadingIn = true;
    } else if (kind == 3) {
        DisconnectFadeIn();
        audio::Check(instance.setVolume(0.0f));
        ConnectFadeIn();
    }

    const _3D_ATTRIBUTES at = audio.RuntimeListener();
    audio::Check(instance.set3DAttributes(&at));

    if (muted) {
        // Mute overrides the fades: start at the muted volume, no fades.
        audio::Check(instance.start());
        audio::Check(instance.setVolume(mutedVolume));
        DisconnectFadeIn();
        DisconnectFadeOut();
        fadingIn = false;
        startedByFade = false;
        fadingOut = false;
    } else if (kind == 2 || kind == 4) {
        audio::Check(instance.start());
        audio::Check(instance.setVolume(v == 1.0f ? volume : v));
    }
}

void SoundCue::Stop() {
    if (kind == 1 || kind == 3) {
        if (fadingOut) return;
        DisconnectFadeOut();
        fadingOut = true;
        ConnectFadeOut();
    } else {
        audio::Check(instance.stop(Studio::STOP_IMMEDIATE));
    }
}

void SoundCue::SetMute(bool mute) {
    muted = mute;
    if (HasInstance(instance)) audio::Check(instance.setVolume(mute ? mutedVolume : volume));
}

void SoundCue::FadeInTick(float dt) {
    if (fadingOut) return;
    int position = 0;
    audio::Check(instance.getTimelinePosition(&position));
    if (position == 0 && !startedByFade) {
        audio::Check(instance.start());
        startedByFade = true;
    }
    float current = 0.0f;
    audio::Check(instance.getVolume(&current));
    const float next = current + FadeStep(dt);
    if (next >= 1.0f) {
        audio::Check(instance.setVolume(1.0f));
        fadingIn = false;
        startedByFade = false;
        DisconnectFadeIn();
    } else {
        audio::Check(instance.setVolume(next));
    }
}

void SoundCue::FadeOutTick(float dt) {
    float current = 0.0f;
    audio::Check(instance.getVolume(&current));
    const float next = current - FadeStep(dt);
    if (next > 0.0f) {
        audio::Check(instance.setVolume(next));
        return;
    }
    audio::Check(instance.stop(Studio::STOP_IMMEDIATE));
    fadingOut = false;
    audio::Check(instance.setVolume(0.0f));
    DisconnectFadeOut();
}

int CueKindFromPath(const std::string& path) {
    if (path.size() < 8) return 4;
    switch (path[7]) {
    case 'M':
        return 1;
    case 'S':
    case 'N':
        return 2;
    case 'A':
        return 3;
    default:
        return 4;
    }
}

SoundCue* MakeCue(AudioSystem& audio, const std::string& path, const std::string& name) {
    if (path.size() < 8) {
        Print("couldn't make cue \"" + name + "\": event path \"" + path + "\" is shorter than event:/ and a letter");
        return nullptr;
    }
    auto cue = std::make_unique<SoundCue>();
    cue->eventPath = path;
    cue->description = audio.FindEventDescription(path);
    if (cue->description.generation == 0)
        Print("couldn't find bank " + path + ", is it in the audio folder?");
    audio::Check(cue->description.loadSampleData());
    audio::Check(cue->description.createInstance(&cue->instance));
    cue->kind = CueKindFromPath(path);
    cue->name = name;
    audio.cues.push_back(std::move(cue));
    return audio.cues.back().get();
}

SoundCue* GetCue(AudioSystem& audio, const std::string& name) {
    for (const auto& cue : audio.cues)
        if (cue->name == name) return cue.get();
    Print("Cue \"" + name + "\" Doesn't exist");
    return nullptr;
}

void PlayCue(AudioSystem& audio, const std::string& name, float volume) {
    if (SoundCue* cue = GetCue(audio, name))
        cue->Play(audio, volume);
    else
        Print("Attempted to play invalid cue!");
}

void StopCue(AudioSystem& audio, const std::string& name) {
    if (SoundCue* cue = GetCue(audio, name))
        cue->Stop();
    else
        Print("Attempted to stop invalid cue!");
}

void MuteMusic(AudioSystem& audio) {
    audio.musicMuted = true;
    for (const auto& cue : audio.cues)
        if (cue->kind == 1 || cue->kind == 3) cue->SetMute(true);
}

void UnmuteMusic(AudioSystem& audio) {
    audio.musicMuted = false;
    for (const auto& cue : audio.cues)
        if (cue->kind == 1 || cue->kind == 3) cue->SetMute(false);
}
