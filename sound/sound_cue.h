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
#include <string>

#include "sound/runtime/audio_runtime.h"

class AudioSystem;

constexpr float kPausedFadeStep = 0.0167f;

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
    // always fade in to 1.0.
    void Play(AudioSystem& audio, float volume);
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

// Appends a cue for the event at path. An unknown path prints a hint and the
// cue is kept without a working event (its runtime calls fail and are
// reported). A path shorter than eight characters makes no cue: returns null.
SoundCue* MakeCue(AudioSystem& audio, const std::string& path, const std::string& name);

// Exact, case-sensitive name; prints "Cue "<name>" Doesn't exist" and returns
// null when absent.
SoundCue* GetCue(AudioSystem& audio, const std::string& name);

// Play and stop by name; an unknown name prints Get cue's line and then
// "Attempted to play invalid cue!" / "Attempted to stop invalid cue!".
void PlayCue(AudioSystem& audio, const std::string& name, float volume);
void StopCue(AudioSystem& audio, const std::string& name);

// Music mute: sets or clears the music-muted flag and mutes or unmutes every
// kind-1 and kind-3 cue. Plain cues are never touched.
void MuteMusic(AudioSystem& audio);
void UnmuteMusic(AudioSystem& audio);
