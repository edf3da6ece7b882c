// Sound files: Ogg output is the same bytes on every run (the serial number is
// fixed and the page checksums stay valid), WAV and Ogg decode back to what
// was written, and the sample fingerprint notices any change.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/audio/audio_file.h"

using namespace synth;

namespace {
std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PcmData Tone(int channels, int frames) {
    PcmData p;
    p.channels = channels;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) p.samples.push_back(0.5f * std::sin(0.05f * float(i) * float(c + 1)));
    return p;
}

class AudioFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qm_audio_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};
}  // namespace

TEST_F(AudioFile, OggIsTheSameBytesEveryTime) {
    const PcmData pcm = Tone(2, 30000);
    ASSERT_EQ(WriteOgg(Path("a.ogg"), pcm, 0.3), "");
    ASSERT_EQ(WriteOgg(Path("b.ogg"), pcm, 0.3), "");
    const std::vector<uint8_t> a = ReadBytes(Path("a.ogg"));
    EXPECT_GT(a.size(), 100u);
    EXPECT_EQ(a, ReadBytes(Path("b.ogg")));
    // Every page carries the fixed serial number, little-endian at offset 14.
    EXPECT_EQ(a[14] | a[15] << 8 | a[16] << 16 | uint32_t(a[17]) << 24, 0x51554D31u);
}

TEST_F(AudioFile, FixedOggStillDecodesToTheWrittenLength) {
    const PcmData pcm = Tone(1, 44100);
    ASSERT_EQ(WriteOgg(Path("t.ogg"), pcm, 0.3), "");
    PcmData back;
    std::string error;
    ASSERT_TRUE(ReadSound(Path("t.ogg"), back, error)) << error;  // libvorbis checks every page's CRC
    EXPECT_EQ(back.channels, 1);
    EXPECT_EQ(back.rate, 44100);
    EXPECT_EQ(back.Frames(), 44100);
}

TEST_F(AudioFile, WavRoundTripKeepsTheSamples) {
    const PcmData pcm = Tone(2, 5000);
    ASSERT_EQ(WriteWav16(Path("t.wav"), pcm), "");
    PcmData back;
    std::string error;
    ASSERT_TRUE(ReadSound(Path("t.wav"), back, error)) << error;
    ASSERT_EQ(back.samples.size(), pcm.samples.size());
    for (size_t i = 0; i < pcm.samples.size(); ++i)
        ASSERT_NEAR(back.samples[i], pcm.samples[i], 1.0f / 16384.0f) << i;  // 16-bit steps only
}

TEST_F(AudioFile, FixOggSerialRejectsWhatIsNotOgg) {
    std::vector<uint8_t> notOgg = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
    EXPECT_FALSE(FixOggSerial(notOgg, 1));
    std::vector<uint8_t> empty;
    EXPECT_FALSE(FixOggSerial(empty, 1));
    ASSERT_EQ(WriteOgg(Path("c.ogg"), Tone(1, 20000), 0.3), "");
    std::vector<uint8_t> cut = ReadBytes(Path("c.ogg"));
    cut.resize(cut.size() - 10);  // the last page's body is short
    EXPECT_FALSE(FixOggSerial(cut, 1));
    PcmData back;
    std::string error;
    EXPECT_FALSE(ReadSound(Path("missing.ogg"), back, error));
    EXPECT_FALSE(error.empty());
}

TEST(AudioFileHash, FingerprintChangesWithOneSampleOrTheChannelCount) {
    PcmData a = Tone(1, 1000), b = a;
    EXPECT_EQ(PcmHash(a), PcmHash(b));
    b.samples[400] += 0.01f;
    EXPECT_NE(PcmHash(a), PcmHash(b));
    PcmData c = a;
    c.channels = 2;
    EXPECT_NE(PcmHash(a), PcmHash(c));
}
