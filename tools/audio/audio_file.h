#pragma once
// Writing and reading the game's sound files through libsndfile.
//
// Ogg files get a fixed stream serial number after writing: libsndfile picks
// one from the clock, which would make every run's bytes differ although the
// encoded sound is the same.
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

// Interleaved float samples in [-1, 1]; channels 1 or 2.
struct PcmData {
    int channels = 1;
    int rate = 44100;
    std::vector<float> samples;
    int64_t Frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
};

// Both return an empty string on success, else why not.
// Vorbis `quality` is 0..1, 1 the best (about 0.3 is 100 kbit/s for stereo).
std::string WriteOgg(const std::string& path, const PcmData& pcm, double quality);
std::string WriteWav16(const std::string& path, const PcmData& pcm);

// Rewrites every page's serial number in an Ogg stream to `serial` and fixes
// the page checksums. Returns false if the bytes are not a well-formed Ogg stream.
bool FixOggSerial(std::vector<uint8_t>& bytes, uint32_t serial);

// Decodes any file libsndfile reads; error text in `error` on failure.
bool ReadSound(const std::string& path, PcmData& out, std::string& error);

// FNV-1a over the samples quantised to 16 bits: a fingerprint of the sound
// that does not depend on how it was stored.
uint64_t PcmHash(const PcmData& pcm);

}  // namespace synth
