#pragma once
// Sound cues: a named, playable sound. One runtime event with one instance, a
// stored volume, and fade and mute state. Game code plays cues by name, never
// events by path.
//
// The kind comes from the first letter after "event:/" (the event's top-level
// folder): M music (1: exclusive, faded in and out, muted with the music),
// S or N plain (2), A faded (3: faded in and out, not exclusive, muted with the
// music), anything else plain (4).
//
// Fades run on "LogicUpdate": "SoundStartFadeIn" + name raises the volume by dt
// per frame to 1.0, "SoundStopLogicUpdate" + name lowers it by dt to 0 and then
// stops the instance. A frame with dt = 0 (a paused game) still moves a fade by
// kPausedFadeStep, so fades finish while paused.
//
// A cue knows nothing of the audio system that owns it (sound/audio_system.h,
// which also plays and stops cues by name): what it needs from there is handed
// to Play.
#include <memory>
#include <string>
#include <vector>

#include "sound/runtime/audio_runtime.h"

constexpr float kPausedFadeStep = 0.0167f;

struct SoundCue;
// The cues in the order they were made.
using CueList = std::vector<std::unique_ptr<SoundCue>>;

struct SoundCue {
    std::string name;
    std::string eventPath;  // event:/...
    bool muted = false;
    bool fadingOut = false;
    bool fadingIn = false;
    bool startedByFade = false;     // the fade-in has started the instance
    bool fadeOutConnected = false;  // "SoundStopLogicUpdate" + name is connected
    bool fadeInConnected = false;   // "SoundStartFadeIn" + name is connected
    float volume = 1.0f;            // stored in the cue table
    float mutedVolume = 0.0f;
    int kind = 4;
    audio_rt::Studio::EventDescription description;
    audio_rt::Studio::EventInstance instance;

    SoundCue() = default;
    SoundCue(const SoundCue&) = delete;
    SoundCue& operator=(const SoundCue&) = delete;
    // Disconnects its fade listeners and releases its instance.
    ~SoundCue();

    std::string FadeInListener() const { return "SoundStartFadeIn" + name; }
    std::string FadeOutListener() const { return "SoundStopLogicUpdate" + name; }

    // volume 1.0 means the cue's own volume (plain kinds); music and faded cues
    // always fade in to 1.0. `all`: the list this cue is in (music is
    // exclusive: every music cue in it fades out, the first of each name
    // only); `listener`: the runtime's
    // listener, whose 3D attributes the instance takes.
    void Play(float volume, const CueList& all, const audio_rt::_3D_ATTRIBUTES& listener);
    void Stop();
    void SetMute(bool mute);

    // One frame of each fade (the bodies of the two listeners).
    void FadeInTick(float dt);
    void FadeOutTick(float dt);

private:
    void ConnectFadeIn();
    void ConnectFadeOut();
    void DisconnectFadeIn();
    void DisconnectFadeOut();
};

// 1 to 4 from the eighth character of the path (see above).
int CueKindFromPath(const std::string& path);
