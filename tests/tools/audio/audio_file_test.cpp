// Sound files: Ogg output is the same bytes on every run (a fixed serial number,
// page checksums still valid), WAV and Ogg decode back to what was written, and
// the sample fingerprint notices any change.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "tools/audio/audio_file.h"

using namespace synth;

namespace {

PcmData Tone(int channels, int frames) {
    PcmData p;
    p.channels = channels;
    for (int i = 0; i < frames * channels; ++i)
        p.samples.push_back(0.5f * std::sin(0.05f * float(i / channels) * float(i % channels + 1)));
    return p;
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(AudioFile, OggIsTheSameBytesEveryTimeAndSoundFilesDecodeToWhatWasWritten) {
    const std::string dir = std::filesystem::temp_directory_path() / ("qm_audio_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const PcmData mono = Tone(1, 44100), stereo = Tone(2, 5000);
    ASSERT_EQ(WriteOgg(dir + "/a.ogg", mono, 0.3) + WriteOgg(dir + "/b.ogg", mono, 0.3) + WriteWav16(dir + "/c.wav", stereo), "");
    std::vector<uint8_t> ogg = Bytes(dir + "/a.ogg");
    EXPECT_EQ(ogg, Bytes(dir + "/b.ogg"));
    EXPECT_EQ(ogg[14] | ogg[15] << 8 | ogg[16] << 16 | uint32_t(ogg[17]) << 24, 0x51554D31u);  // the first page's serial
    PcmData back;
    std::string error;
    ASSERT_TRUE(ReadSound(dir + "/a.ogg", back, error)) << error;  // libvorbis checks every page's checksum
    EXPECT_EQ(std::make_tuple(back.channels, back.rate, back.Frames()), std::make_tuple(1, 44100, int64_t(44100)));
    ASSERT_TRUE(ReadSound(dir + "/c.wav", back, error)) << error;
    ASSERT_EQ(back.samples.size(), stereo.samples.size());
    for (size_t i = 0; i < back.samples.size(); ++i) ASSERT_NEAR(back.samples[i], stereo.samples[i], 1.0f / 16384.0f) << i;

    ogg.resize(ogg.size() - 10);  // the last page's body is short
    std::vector<uint8_t> notOgg = {'R', 'I', 'F', 'F', 0, 0, 0, 0}, empty;
    for (std::vector<uint8_t>* bytes : {&ogg, &notOgg, &empty}) EXPECT_FALSE(FixOggSerial(*bytes, 1));
    std::filesystem::remove_all(dir);
}

TEST(AudioFileHash, TheFingerprintChangesWithOneSampleOrTheChannelCount) {
    PcmData a = Tone(1, 1000), b = a, c = a;
    b.samples[400] += 0.01f;
    c.channels = 2;
    EXPECT_NE(PcmHash(a), PcmHash(b));
    EXPECT_NE(PcmHash(a), PcmHash(c));
}
