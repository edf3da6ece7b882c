#pragma once
// The audio runtime: our own small studio-style sound library. It loads banks
// (a JSON format of ours, see sound/README.md), names their buses and events,
// and plays event instances with volume, 3D attributes, fades and bus control.
// Mixing and 3D positioning are OpenAL Soft's; decoding is libsndfile's.
//
// The shape follows the studio libraries game audio is usually written
// against: a Studio::System that owns banks, buses, event descriptions and
// instances, and a low-level System with channel groups. Every call returns a
// RESULT; ErrorString gives its text.
//
// Objects are handed out as small value handles (slot + generation), never as
// pointers: a call through an empty, released or stale handle returns
// ERR_INVALID_HANDLE and does nothing else. The runtime is single-threaded
// from the caller's side; only the one Studio::System created by
// Studio::System::create is live at a time.
//
// Units: volumes are linear factors (1 = full), positions are world units,
// times are milliseconds.
#include <cstdint>

namespace audio_rt {

enum RESULT : int {
    OK = 0,
    ERR_INVALID_HANDLE = 1,   // empty, released or stale handle
    ERR_INVALID_PARAM = 2,    // null out-pointer, bad index, size too small...
    ERR_FILE_NOT_FOUND = 3,   // a bank or sound file that cannot be opened
    ERR_FILE_BAD = 4,         // a bank that is not valid bank JSON, or a sound file that is not audio
    ERR_EVENT_NOT_FOUND = 5,  // no event with that path
    ERR_BUS_NOT_FOUND = 6,
    ERR_NOT_INITIALIZED = 7,  // call before Studio::System::initialize
    ERR_INITIALIZED = 8,      // initialize called twice
    ERR_OUTPUT_INIT = 9,      // no audio device could be opened (the runtime then runs silent)
    ERR_MEMORY = 10,
    ERR_TRUNCATED = 11,       // a name did not fit: the buffer holds as much as fits, terminated
    ERR_BANK_ALREADY_LOADED = 12,
    ERR_INTERNAL = 13,
    RESULT_COUNT
};

// The text of a result code; "Unknown error." for codes outside the table.
const char* ErrorString(int result);

// What the last failing call was about, for the log: for example the path of a
// sound file that is missing or not audio, and the decoder's words. Empty after
// a call that succeeded. Valid until the next call into the runtime.
const char* LastErrorDetail();

struct VECTOR {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct _3D_ATTRIBUTES {
    VECTOR position;
    VECTOR velocity;  // world units per second
    VECTOR forward;
    VECTOR up;
};

// Low-level initialize flag (the flags argument of Studio::System::initialize):
// run on the silent null output without trying a device, as when none can be
// opened, except that initialize then returns OK.
constexpr unsigned INIT_NULL_OUTPUT = 0x00010000;

// Low-level channel group: a named group of voices. Stopping it stops every
// voice started in it (auditions and the like).
class ChannelGroup {
public:
    RESULT getName(char* name, int namelen) const;  // ERR_TRUNCATED when cut
    RESULT stop();
    bool isValid() const;

    uint32_t slot = 0, generation = 0;  // generation 0: empty
};

// The low-level system: obtained from the Studio system, never created alone.
class System {
public:
    RESULT createChannelGroup(const char* name, ChannelGroup* group);
    // Doppler scale, distance factor (world units per metre), roll-off scale.
    // Stored and read back; events keep their own min/max distance curves,
    // which the roll-off scale does not change.
    RESULT set3DSettings(float dopplerscale, float distancefactor, float rolloffscale);
    RESULT get3DSettings(float* dopplerscale, float* distancefactor, float* rolloffscale) const;
    RESULT update();
};

namespace Studio {

enum LOADING_STATE : int { LOADING_STATE_UNLOADING = 0, LOADING_STATE_UNLOADED = 1, LOADING_STATE_LOADING = 2,
                     LOADING_STATE_LOADED = 3, LOADING_STATE_ERROR = 4 };
enum PLAYBACK_STATE : int { PLAYBACK_PLAYING = 0, PLAYBACK_SUSTAINING = 1, PLAYBACK_STOPPED = 2,
                      PLAYBACK_STARTING = 3, PLAYBACK_STOPPING = 4 };
enum STOP_MODE : int { STOP_ALLOWFADEOUT = 0, STOP_IMMEDIATE = 1 };
enum EVENT_PROPERTY : int { EVENT_PROPERTY_MINIMUM_DISTANCE = 0, EVENT_PROPERTY_MAXIMUM_DISTANCE = 1 };

constexpr unsigned INIT_NORMAL = 0;
constexpr unsigned LOAD_BANK_NORMAL = 0;
constexpr unsigned HEADER_VERSION = 0x00010701;

class EventInstance {
public:
    RESULT start();                   // from the beginning; a playing instance restarts
    RESULT stop(STOP_MODE mode);      // immediate, or a short fade-out (the event's "fade_out")
    RESULT release();                 // the handle goes stale once the instance has stopped
    RESULT setVolume(float volume);
    RESULT getVolume(float* volume, float* finalvolume = nullptr) const;
    RESULT getTimelinePosition(int* position) const;  // ms since start; 0 until started
    RESULT getPlaybackState(PLAYBACK_STATE* state) const;
    RESULT set3DAttributes(const _3D_ATTRIBUTES* attributes);
    RESULT get3DAttributes(_3D_ATTRIBUTES* attributes) const;
    RESULT setProperty(EVENT_PROPERTY index, float value);
    RESULT getProperty(EVENT_PROPERTY index, float* value) const;
    bool isValid() const;

    uint32_t slot = 0, generation = 0;
};

class EventDescription {
public:
    // Copies the path (event:/...) into path, terminated; retrieved gets the
    // length including the terminator. ERR_TRUNCATED when it did not fit.
    RESULT getPath(char* path, int size, int* retrieved) const;
    RESULT loadSampleData();
    RESULT createInstance(EventInstance* instance) const;
    bool isValid() const;

    uint32_t slot = 0, generation = 0;
};

class Bus {
public:
    RESULT getPath(char* path, int size, int* retrieved) const;  // bus:/ for the master bus
    RESULT setMute(bool mute);
    RESULT getMute(bool* mute) const;
    RESULT setPaused(bool paused);
    RESULT getPaused(bool* paused) const;
    RESULT setVolume(float volume);
    RESULT stopAllEvents(STOP_MODE mode);  // every instance routed through this bus or below it
    bool isValid() const;

    uint32_t slot = 0, generation = 0;
};

class Bank {
public:
    RESULT loadSampleData();
    RESULT getSampleLoadingState(LOADING_STATE* state) const;
    RESULT getLoadingState(LOADING_STATE* state) const;
    RESULT getEventCount(int* count) const;
    RESULT getEventList(EventDescription* array, int capacity, int* count) const;
    RESULT getBusCount(int* count) const;
    RESULT getBusList(Bus* array, int capacity, int* count) const;
    RESULT getPath(char* path, int size, int* retrieved) const;  // bank:/<file name without .bank>
    bool isValid() const;

    uint32_t slot = 0, generation = 0;
};

class System {
public:
    // Creates the one studio system. headerversion must be HEADER_VERSION.
    static RESULT create(System** system, unsigned headerversion = HEADER_VERSION);
    // Opens the output device. When none can be opened the system still works
    // (instances play, time passes, states change) but nothing is heard, and
    // the result is ERR_OUTPUT_INIT. extradriverdata: null for the default
    // OpenAL device (ALSOFT_DRIVERS / ALSOFT_CONF choose it), or a const char*
    // naming the device to open. maxchannels: voices that can sound at once
    // (fewer if the device offers fewer); past that the quietest, then oldest,
    // voice is taken over and its instance goes on silently until one frees.
    RESULT initialize(int maxchannels, unsigned studioflags, unsigned flags, void* extradriverdata);
    RESULT getLowLevelSystem(audio_rt::System** system);
    RESULT loadBankFile(const char* filename, unsigned flags, Bank* bank);
    RESULT getEvent(const char* path, EventDescription* description) const;
    RESULT getBus(const char* path, Bus* bus) const;
    // Advances loading, streaming, fades and playback states.
    RESULT update();
    RESULT setListenerAttributes(int listener, const _3D_ATTRIBUTES* attributes);
    RESULT getListenerAttributes(int listener, _3D_ATTRIBUTES* attributes) const;
    // Stops everything, closes the device and frees the system.
    RESULT release();

private:
    System() = default;
    ~System() = default;
};

}  // namespace Studio
}  // namespace audio_rt
