#pragma once
// Where voices are heard. The studio system decides what plays, when and how
// loud (by its own clock, so states and timelines are the same whatever the
// output); the backend only renders it. Two implementations: OpenAL Soft on
// the default (or a named) device, and the null output that renders nothing
// and is used when no device can be opened.
//
// A voice is an index 0..VoiceCount()-1. A voice plays either one shared
// buffer (short effects) or a queue of stream chunks (long files).
#include <cstdint>
#include <memory>
#include <string>

#include "sound/runtime/audio_runtime.h"

namespace audio_rt::detail {

class OutputBackend {
public:
    virtual ~OutputBackend() = default;

    virtual const char* Name() const = 0;
    virtual bool Audible() const = 0;
    // How many voices can sound at once.
    virtual int VoiceCount() const = 0;

    // A whole decoded sound, shared by every voice that plays it; freed with
    // the output. 0: failed.
    virtual uint32_t CreateBuffer(const int16_t* samples, int64_t frames, int channels, int sample_rate) = 0;

    // Listener 0; positions are world units, no distance attenuation or
    // Doppler here (the studio system computes the gain itself).
    virtual void SetListener(const _3D_ATTRIBUTES& listener) = 0;

    // Plays buffer on voice from offset_s seconds; paused leaves it ready to
    // resume there.
    virtual void PlayBuffer(int voice, uint32_t buffer, bool loop, double offset_s, float gain,
                            const VECTOR& position, bool paused) = 0;

    // Streaming: BeginStream stops the voice and empties its queue; FreeStreamSlots
    // takes back played chunks and says how many more may be queued;
    // QueueStream adds one chunk; PlayStream starts the voice (again after it
    // ran dry) unless paused.
    virtual void BeginStream(int voice, float gain, const VECTOR& position) = 0;
    virtual int FreeStreamSlots(int voice) = 0;
    virtual void QueueStream(int voice, const int16_t* samples, int frames, int channels, int sample_rate) = 0;
    virtual void PlayStream(int voice, bool paused) = 0;

    virtual void Stop(int voice) = 0;
    virtual void SetPaused(int voice, bool paused) = 0;
    virtual void SetGain(int voice, float gain) = 0;
    virtual void SetPosition(int voice, const VECTOR& position) = 0;
};

// Opens device (null: the default; ALSOFT_DRIVERS and ALSOFT_CONF choose it)
// with up to max_voices sources. Null with *why set when no device or context
// could be made.
std::unique_ptr<OutputBackend> OpenOpenALOutput(int max_voices, const char* device, std::string* why);

// The silent output with max_voices voices.
std::unique_ptr<OutputBackend> MakeNullOutput(int max_voices);

// Chunks a stream queues ahead, and the length of one chunk.
constexpr int kStreamChunks = 4;
constexpr double kStreamChunkSeconds = 0.25;

}  // namespace audio_rt::detail
