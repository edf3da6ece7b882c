#pragma once
// Sound files through libsndfile (WAV, FLAC, Ogg Vorbis...): whole decoding
// for short effects, and a decoder that streams long files in chunks, looping
// without a gap.
#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

namespace audio_rt::detail {

struct SoundInfo {
    int64_t frames = 0;
    int channels = 0;     // 1 or 2
    int sample_rate = 0;  // Hz
    double LengthMs() const { return sample_rate > 0 ? 1000.0 * double(frames) / sample_rate : 0.0; }
};

// Opens the file to learn its format. False with *why (the reason, without
// the path) when it is missing, empty, not audio or has no frames.
bool ProbeSound(const std::string& path, SoundInfo* info, std::string* why);

// Decodes the whole file as interleaved 16-bit samples.
bool DecodeSound(const std::string& path, SoundInfo* info, std::vector<int16_t>* samples, std::string* why);

// Reads a file chunk by chunk. Not copyable; one per streaming instance.
class StreamDecoder {
public:
    StreamDecoder() = default;
    ~StreamDecoder();
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;

    bool Open(const std::string& path, std::string* why);
    bool IsOpen() const { return file_ != nullptr; }
    const SoundInfo& Info() const { return info_; }
    // Moves to ms from the start (wrapped into the file's length).
    void SeekMs(double ms);
    // Fills out with up to frames frames; at the end of the file a looping
    // decoder carries on from the start inside the same chunk. Returns the
    // frames written (0: the end of a non-looping file).
    int Read(int16_t* out, int frames, bool loop);

private:
    SNDFILE* file_ = nullptr;
    SoundInfo info_;
};

}  // namespace audio_rt::detail
