// The OpenAL Soft output. Sources are made once, at open, and pooled as
// voices, so starting a sound only binds a buffer and plays. Distance
// attenuation is off (AL_NONE): the studio system computes each voice's gain
// from its own min/max distances, which also attenuates stereo files that
// OpenAL would not spatialize. Positions still pan mono sounds.
//
// Callers give 3D attributes in the left-handed frame of studio tools (with
// forward and up given, right = up x forward); OpenAL's frame is right-handed.
// Every vector crosses into OpenAL with z negated, so a listener facing
// (0, -1, 0) with up (0, 0, 1), as the engine sets it, hears +x on the right.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sound/runtime/output_backend.h"

namespace audio_rt::detail {

namespace {

struct Voice {
    ALuint source = 0;
    bool streaming = false;
    std::vector<ALuint> stream_buffers;  // made on first stream use, kept with the voice
    std::vector<ALuint> free_buffers;
};

ALenum FormatFor(int channels) { return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16; }

bool Usable(const VECTOR& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Left-handed (callers) to right-handed (OpenAL).
VECTOR ToAL(const VECTOR& v) { return {v.x, v.y, -v.z}; }

class OpenALOutput final : public OutputBackend {
public:
    ~OpenALOutput() override {
        if (!context_) return;
        alcMakeContextCurrent(context_);
        for (Voice& v : voices_) {
            alSourceStop(v.source);
            alSourcei(v.source, AL_BUFFER, 0);
            alDeleteSources(1, &v.source);
            if (!v.stream_buffers.empty()) alDeleteBuffers(ALsizei(v.stream_buffers.size()), v.stream_buffers.data());
        }
        // Buffers only once no source holds them.
        if (!buffers_.empty()) alDeleteBuffers(ALsizei(buffers_.size()), buffers_.data());
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        alcCloseDevice(device_);
    }

    bool Open(int max_voices, const char* name, std::string* why) {
        device_ = alcOpenDevice(name);
        if (!device_) {
            *why = std::string("OpenAL could not open ") + (name ? std::string("the device \"") + name + "\""
                                                                 : std::string("the default device"));
            return false;
        }
        const ALCint attrs[] = {ALC_MONO_SOURCES, max_voices, ALC_STEREO_SOURCES, max_voices, 0};
        context_ = alcCreateContext(device_, attrs);
        if (!context_ || !alcMakeContextCurrent(context_)) {
            *why = "OpenAL opened the device but could not make a context on it";
            if (context_) alcDestroyContext(context_);
            context_ = nullptr;
            alcCloseDevice(device_);
            device_ = nullptr;
            return false;
        }
        alDistanceModel(AL_NONE);
        alDopplerFactor(0.0f);
        alGetError();
        voices_.reserve(size_t(max_voices));
        for (int i = 0; i < max_voices; ++i) {
            Voice v;
            alGenSources(1, &v.source);
            if (alGetError() != AL_NO_ERROR) break;
            voices_.push_back(v);
        }
        if (voices_.empty()) {
            *why = "OpenAL could not make a single source";
            return false;  // the destructor closes the device
        }
        return true;
    }

    const char* Name() const override { return "OpenAL"; }
    bool Audible() const override { return true; }
    int VoiceCount() const override { return int(voices_.size()); }

    uint32_t CreateBuffer(const int16_t* samples, int64_t frames, int channels, int sample_rate) override {
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) return 0;
        alBufferData(buffer, FormatFor(channels), samples, ALsizei(frames * channels * 2), sample_rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            return 0;
        }
        buffers_.push_back(buffer);
        return buffer;
    }

    void SetListener(const _3D_ATTRIBUTES& l) override {
        const VECTOR p = ToAL(l.position);
        if (Usable(p)) alListener3f(AL_POSITION, p.x, p.y, p.z);
        const VECTOR f = ToAL(l.forward);
        const VECTOR u = ToAL(l.up);
        // OpenAL wants a non-zero "at" and "up" that are not parallel.
        float cx = f.y * u.z - f.z * u.y, cy = f.z * u.x - f.x * u.z, cz = f.x * u.y - f.y * u.x;
        if (Usable(f) && Usable(u) && cx * cx + cy * cy + cz * cz > 1e-12f) {
            const ALfloat orientation[6] = {f.x, f.y, f.z, u.x, u.y, u.z};
            alListenerfv(AL_ORIENTATION, orientation);
        }
    }

    void PlayBuffer(int voice, uint32_t buffer, bool loop, double offset_s, float gain, const VECTOR& position,
                    bool paused) override {
        Voice& v = voices_[size_t(voice)];
        alSourceRewind(v.source);  // back to the initial state, so a paused start resumes from offset_s
        if (v.streaming) EndStream(v);
        alSourcei(v.source, AL_BUFFER, ALint(buffer));
        alSourcei(v.source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
        alSourcef(v.source, AL_GAIN, gain);
        const VECTOR p = ToAL(position);
        alSource3f(v.source, AL_POSITION, p.x, p.y, p.z);
        if (offset_s > 0.0) alSourcef(v.source, AL_SEC_OFFSET, float(offset_s));
        if (!paused) alSourcePlay(v.source);
    }

    void BeginStream(int voice, float gain, const VECTOR& position) override {
        Voice& v = voices_[size_t(voice)];
        alSourceRewind(v.source);
        alSourcei(v.source, AL_BUFFER, 0);
        if (v.stream_buffers.empty()) {
            v.stream_buffers.resize(kStreamChunks);
            alGenBuffers(kStreamChunks, v.stream_buffers.data());
        }
        v.free_buffers = v.stream_buffers;
        v.streaming = true;
        alSourcei(v.source, AL_LOOPING, AL_FALSE);
        alSourcef(v.source, AL_GAIN, gain);
        const VECTOR p = ToAL(position);
        alSource3f(v.source, AL_POSITION, p.x, p.y, p.z);
    }

    int FreeStreamSlots(int voice) override {
        Voice& v = voices_[size_t(voice)];
        if (!v.streaming) return 0;
        ALint processed = 0;
        alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
        while (processed-- > 0) {
            ALuint b = 0;
            alSourceUnqueueBuffers(v.source, 1, &b);
            v.free_buffers.push_back(b);
        }
        return int(v.free_buffers.size());
    }

    void QueueStream(int voice, const int16_t* samples, int frames, int channels, int sample_rate) override {
        Voice& v = voices_[size_t(voice)];
        if (!v.streaming || v.free_buffers.empty()) return;
        ALuint b = v.free_buffers.back();
        v.free_buffers.pop_back();
        alBufferData(b, FormatFor(channels), samples, ALsizei(frames * channels * 2), sample_rate);
        alSourceQueueBuffers(v.source, 1, &b);
    }

    void PlayStream(int voice, bool paused) override {
        Voice& v = voices_[size_t(voice)];
        if (paused) return;
        ALint state = 0;
        alGetSourcei(v.source, AL_SOURCE_STATE, &state);
        ALint queued = 0;
        alGetSourcei(v.source, AL_BUFFERS_QUEUED, &queued);
        if (state != AL_PLAYING && queued > 0) alSourcePlay(v.source);
    }

    void Stop(int voice) override {
        Voice& v = voices_[size_t(voice)];
        alSourceStop(v.source);
        if (v.streaming) EndStream(v);
    }

    void SetPaused(int voice, bool paused) override {
        Voice& v = voices_[size_t(voice)];
        if (paused) {
            alSourcePause(v.source);
            return;
        }
        ALint state = 0;
        alGetSourcei(v.source, AL_SOURCE_STATE, &state);
        // A voice started while paused waits in the initial state.
        if (state == AL_PAUSED || state == AL_INITIAL) alSourcePlay(v.source);
    }

    void SetGain(int voice, float gain) override { alSourcef(voices_[size_t(voice)].source, AL_GAIN, gain); }

    void SetPosition(int voice, const VECTOR& position) override {
        const VECTOR p = ToAL(position);
        if (Usable(p)) alSource3f(voices_[size_t(voice)].source, AL_POSITION, p.x, p.y, p.z);
    }

private:
    static void EndStream(Voice& v) {
        alSourcei(v.source, AL_BUFFER, 0);  // unqueues every chunk of a stopped source
        v.free_buffers = v.stream_buffers;
        v.streaming = false;
    }

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::vector<Voice> voices_;
    std::vector<ALuint> buffers_;
};

}  // namespace

std::unique_ptr<OutputBackend> OpenOpenALOutput(int max_voices, const char* device, std::string* why) {
    auto out = std::make_unique<OpenALOutput>();
    if (!out->Open(std::max(max_voices, 1), device, why)) return nullptr;
    return out;
}

}  // namespace audio_rt::detail
