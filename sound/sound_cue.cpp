#include "sound/sound_cue.h"

#include <string_view>
#include <unordered_set>

#include "core/events.h"
#include "sound/audio_check.h"

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

void SoundCue::Play(float v, const CueList& all, const _3D_ATTRIBUTES& listener) {
    startedByFade = false;

    if (kind == 1) {
        if (!fadingIn) {
            int position = 0;
            audio::Check(instance.getTimelinePosition(&position));
            if (position == 0) audio::Check(instance.setVolume(0.0f));
        }
        // Music is exclusive: every music cue fades out, this one included, so
        // a music cue played again fades out and back in from its start. A cue
        // whose name an earlier cue already has is never played (PlayCue plays
        // the first), and stopping it too would connect that name's fade-out
        // listener twice.
        std::unordered_set<std::string_view> names;
        for (const auto& m : all) {
            if (!names.insert(m->name).second) continue;
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

    audio::Check(instance.set3DAttributes(&listener));

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
