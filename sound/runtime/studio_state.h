#pragma once
// The studio system's state: one record table per kind of handle, the sounds
// shared by events, the voice pool and the listener. Internal to the runtime;
// the public classes in audio_runtime.h are thin checked views onto it.
//
// Playback follows the runtime's own clock (steady_clock): an instance's
// state, timeline and fades are the same whether a voice renders it, it
// waits for a voice, or the output is the null one.
#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sound/runtime/audio_runtime.h"
#include "sound/runtime/bank_file.h"
#include "sound/runtime/error_detail.h"
#include "sound/runtime/handle_table.h"
#include "sound/runtime/output_backend.h"
#include "sound/runtime/sound_file.h"

namespace audio_rt::detail {

using Clock = std::chrono::steady_clock;

// The runtime's time: steady_clock, unless it is held. A held clock stands
// still between AdvanceClock calls, so fades, ends and timelines can be
// stepped exactly (tests on a loaded machine; the real clock jumps).
Clock::time_point Now();
void HoldClock(bool held);
void AdvanceClock(double ms);

constexpr int kNoVoice = -1;
constexpr int kNoBus = -1;

struct BusRecord {
    std::string path;    // bus:/ for the master bus
    int parent = kNoBus; // slot of the bus above (buses live as long as the system)
    float volume = 1.0f;
    bool mute = false;
    bool paused = false;
};

// A sound file, shared by every event naming it.
struct SoundRecord {
    std::string file;
    bool probed = false;
    bool failed = false;  // missing or not audio: reported once, its events stay silent
    SoundInfo info;
    uint32_t buffer = 0;  // the whole decoded sound on the output; 0 until decoded
};

struct EventRecord {
    EventDefinition def;
    uint32_t bus = 0;     // bus slot
    uint32_t sound = 0;   // index into StudioState::sounds
    bool streams = false; // decided when the samples load: "stream" or a long file
    bool samples_loaded = false;
};

struct BankRecord {
    std::string file;
    std::string path;
    Studio::LOADING_STATE state = Studio::LOADING_STATE_UNLOADED;
    Studio::LOADING_STATE sample_state = Studio::LOADING_STATE_UNLOADED;
    std::vector<Studio::Bus> buses;  // as declared by the bank
    std::vector<Studio::EventDescription> events;
};

struct InstanceRecord {
    uint32_t event = 0;  // event slot
    Studio::PLAYBACK_STATE state = Studio::PLAYBACK_STOPPED;
    float volume = 1.0f;
    _3D_ATTRIBUTES attributes{{0, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    float min_distance = 1.0f;
    float max_distance = 20.0f;
    // Timeline: played_ms plus, while counting (not stopped, not frozen), the
    // time since `since`.
    double played_ms = 0.0;
    Clock::time_point since{};
    bool frozen = false;  // a bus at or above it is paused
    double fade_start_ms = 0.0;  // timeline when the fade-out began
    double fade_ms = 0.0;
    int voice = kNoVoice;        // kNoVoice: silent for now (no voice free, or null output)
    bool release_pending = false;
    uint64_t start_serial = 0;   // order of starts, for stealing the oldest
    float gain = 0.0f;           // the gain last given to the voice
    bool moved = false;          // attributes changed since the voice last got its position
    std::unique_ptr<StreamDecoder> decoder;  // streamed events only
};

struct ChannelGroupRecord {
    std::string name;
};

struct StudioState {
    bool initialized = false;
    std::unique_ptr<OutputBackend> output;

    HandleTable<BankRecord> banks;
    HandleTable<BusRecord> buses;
    HandleTable<EventRecord> events;
    HandleTable<InstanceRecord> instances;
    HandleTable<ChannelGroupRecord> groups;
    std::unordered_map<std::string, uint32_t> bus_by_path;    // -> bus slot
    std::unordered_map<std::string, uint32_t> event_by_path;  // -> event slot
    std::vector<SoundRecord> sounds;
    std::unordered_map<std::string, uint32_t> sound_by_file;

    // voice -> instance slot using it (UINT32_MAX: free), and the free voices.
    std::vector<uint32_t> voice_owner;
    std::vector<int> free_voices;

    _3D_ATTRIBUTES listener{{0, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    float doppler_scale = 1.0f, distance_factor = 1.0f, rolloff_scale = 1.0f;
    uint64_t start_serial = 0;
    std::vector<int16_t> chunk;  // scratch for stream decoding
};

// The live system's state, or null when none is initialized... or created.
StudioState* State();

// Copies name into out (size bytes, terminated); *retrieved (optional) gets
// the full length with the terminator. ERR_TRUNCATED when cut; a null out
// only reports the length.
RESULT CopyName(const std::string& name, char* out, int size, int* retrieved);

// The record behind a handle in the live system, or null (with the detail set
// for ERR_INVALID_HANDLE). what names the kind of handle for the detail.
template <class T>
T* Find(HandleTable<T> StudioState::*table, uint32_t slot, uint32_t generation, const char* what);

// --- playback (playback.cpp) ---
double TimelineMs(const InstanceRecord& inst, Clock::time_point now);
bool BusIsBelow(const StudioState& s, uint32_t bus, uint32_t ancestor);
float FinalGain(const StudioState& s, const InstanceRecord& inst, Clock::time_point now);
// Loads an event's sound (probe; decode unless streamed). Reports a bad file
// once: later calls return OK and leave the event silent.
RESULT LoadEventSamples(StudioState& s, uint32_t event);
RESULT StartInstance(StudioState& s, uint32_t slot);
void StopInstance(StudioState& s, InstanceRecord& inst, Studio::STOP_MODE mode);
// After a bus's pause changed: freezes or thaws the instance's timeline and voice.
void RefreshPause(StudioState& s, InstanceRecord& inst, Clock::time_point now);
void ApplyGain(StudioState& s, InstanceRecord& inst, Clock::time_point now);
void UpdatePlayback(StudioState& s);
void StopAllVoices(StudioState& s);

template <class T>
T* Find(HandleTable<T> StudioState::*table, uint32_t slot, uint32_t generation, const char* what) {
    StudioState* s = State();
    T* record = s ? (s->*table).Get(slot, generation) : nullptr;
    if (!record) Fail(ERR_INVALID_HANDLE, std::string("the ") + what + " handle is empty, released or stale");
    return record;
}

}  // namespace audio_rt::detail
