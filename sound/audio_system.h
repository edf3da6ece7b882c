#pragma once
// The audio system: starts the audio runtime, loads the banks named in
// "audio/bankFiles.txt" and "audio/stringFiles.txt", discovers their buses and
// events, keeps the listener, updates the runtime once per frame and offers
// bus operations by name ("Master Bus", "Music Bus", "SFX Bus", ...). It also
// owns the sound cues (sound/sound_cue.h) and plays, stops and mutes them by
// name; a cue itself knows nothing of the system.
//
// One instance, a member of the Engine; GetAudio() reaches it while it exists.
// Every runtime call goes through audio::Check (sound/audio_check.h), which
// prints a failure and goes on: a broken sound never stops the game. A machine
// without an audio device runs the game silently (one line in the log says so).
//
// Units: positions are world units, velocities world units per second,
// volumes linear factors (1 = full).
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>
#include <json/value.h>

#include "sound/audio_check.h"
#include "sound/runtime/audio_runtime.h"
#include "sound/sound_cue.h"

namespace audio {

// The lines of a bank list file as the start-up reads them: each read takes at
// most 255 characters (line break included) and loses its last character; a
// read that reaches the end of the file is dropped, so a last line without a
// line break is not used. Returns false when the file cannot be opened.
bool ReadListFile(const std::string& path, std::vector<std::string>* lines);

// "bus:/" -> "Master Bus"; "bus:/Music" -> "Music Bus" (the path's characters
// from the sixth on, then " Bus").
std::string BusNameFromPath(const std::string& path);

}  // namespace audio

class AudioSystem {
public:
    struct NamedBus {
        std::string name;
        audio_rt::Studio::Bus bus;
    };
    struct NamedEvent {
        std::string path;
        audio_rt::Studio::EventDescription description;
        char cueName[50] = "Enter Name";  // the cue editor's name field for this event
    };

    // Publishes the accessor; the runtime is started by Initialize.
    AudioSystem();
    // Drops the cues, then releases the runtime (which stops every sound).
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // Start-up: the runtime, its channel groups, the banks of the two list
    // files (relative to the working directory), sample loading and discovery.
    // A list file that cannot be opened ends the process with status -1. The
    // cue table is loaded separately (LoadCueTable, sound/cue_table.h).
    // nullOutput: play on the silent null output without trying a device
    // (headless runs).
    void Initialize(bool nullOutput = false);

    // Once per frame: 3D settings, listener 0, the cues' instances placed at
    // the listener, then the low-level and studio updates.
    void Update();

    // Stored until the next Update. Until the first call: position and
    // velocity 0, forward (1, 0, 0), up (0, 1, 0).
    void SetListener(glm::vec3 position, glm::vec3 velocity, glm::vec3 forward, glm::vec3 up);
    const audio_rt::_3D_ATTRIBUTES& Listener() const { return listener_; }
    // Listener 0 as the runtime has it (what the cues and auditions are given).
    audio_rt::_3D_ATTRIBUTES RuntimeListener() const;

    // Exact name; prints a hint and returns an empty handle when unknown.
    audio_rt::Studio::Bus FindBus(const std::string& name);
    // Records mute as the all-muted flag, whatever the name, then mutes the bus.
    void SetBusMute(const std::string& name, bool mute);
    void SetBusPaused(const std::string& name, bool paused);
    // Stops every instance on the bus at once.
    void StopBus(const std::string& name);
    void StopChannelGroup(const std::string& name);
    // After a level load: mutes "Master Bus" again when all is muted, and the
    // music cues when music is muted.
    void ReapplyMutes();

    // Empty handle when no loaded bank has the path.
    audio_rt::Studio::EventDescription FindEventDescription(const std::string& path) const;
    std::vector<NamedEvent>& Events() { return events_; }
    const std::vector<NamedBus>& Buses() const { return buses_; }
    const std::vector<audio_rt::Studio::Bank>& Banks() const { return banks_; }

    audio_rt::Studio::System* Studio() { return studio_; }
    // False when no audio device could be opened: everything still runs, silently.
    bool HasOutput() const { return hasOutput_; }

    bool allMuted = false;    // last value given to SetBusMute
    bool musicMuted = false;  // set by MuteMusic / UnmuteMusic
    CueList cues;
    unsigned cueCount = 0;    // saved as "Cue Number"
    // The cue table file as last read; its "Sounds" is rewritten at each save,
    // other members are kept.
    Json::Value cueTableRoot;

private:
    void LoadBanks(const std::vector<std::string>& lines);
    void LoadStringBanks(const std::vector<std::string>& lines);
    void Discover();

    audio_rt::Studio::System* studio_ = nullptr;
    audio_rt::System* lowLevel_ = nullptr;
    bool hasOutput_ = true;
    std::vector<audio_rt::Studio::Bank> banks_;
    std::vector<NamedBus> buses_;
    std::vector<NamedEvent> events_;
    std::vector<audio_rt::ChannelGroup> channelGroups_;  // "Master Group", "Music Group", "SFX Group"
    audio_rt::_3D_ATTRIBUTES listener_{{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
};

// The one audio system while it exists, else null.
AudioSystem* GetAudio();

// Appends a cue for the event at path. An unknown path prints a hint and the
// cue is kept without a working event (its runtime calls fail and are
// reported). A path shorter than eight characters makes no cue: returns null.
SoundCue* MakeCue(AudioSystem& audio, const std::string& path, const std::string& name);

// Exact, case-sensitive name; prints "Cue "<name>" Doesn't exist" and returns
// null when absent.
SoundCue* GetCue(AudioSystem& audio, const std::string& name);

// Plays one of the system's cues (SoundCue::Play) at the runtime's listener.
// volume 1.0 means the cue's own volume. Where several cues share the cue's
// name, the first of them is played.
void PlayCue(AudioSystem& audio, SoundCue& cue, float volume);

// Play and stop by name; an unknown name prints Get cue's line and then
// "Attempted to play invalid cue!" / "Attempted to stop invalid cue!".
void PlayCue(AudioSystem& audio, const std::string& name, float volume);
void StopCue(AudioSystem& audio, const std::string& name);

// Music mute: sets or clears the music-muted flag and mutes or unmutes every
// kind-1 and kind-3 cue. Plain cues are never touched.
void MuteMusic(AudioSystem& audio);
void UnmuteMusic(AudioSystem& audio);
