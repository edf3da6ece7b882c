// Decoding: the three formats content uses, and the stream decoder's chunks,
// seeking and gapless looping.
#include "sound/runtime/sound_file.h"

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;
using namespace audio_rt::detail;

namespace {

// 1000 mono frames whose sample i is i * 3: any gap or repeat shows.
void WriteRamp(const std::string& path, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    std::vector<short> samples(1000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = short(i * 3);
    sf_writef_short(f, samples.data(), sf_count_t(samples.size()));
    sf_close(f);
}

}  // namespace

TEST_F(RuntimeTest, DecodesWavFlacAndOggVorbis) {
    struct Case {
        const char* name;
        int format;
    };
    for (Case c : {Case{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16}, Case{"a.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                   Case{"a.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS}}) {
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 2;
        info.format = c.format;
        SNDFILE* f = sf_open(Path(c.name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr) << c.name << ": " << sf_strerror(nullptr);
        std::vector<float> frames(22050 / 10 * 2, 0.25f);
        sf_writef_float(f, frames.data(), 22050 / 10);
        sf_close(f);

        SoundInfo got;
        std::vector<int16_t> samples;
        std::string why;
        ASSERT_TRUE(DecodeSound(Path(c.name), &got, &samples, &why)) << c.name << ": " << why;
        EXPECT_EQ(got.channels, 2) << c.name;
        EXPECT_EQ(got.sample_rate, 22050) << c.name;
        EXPECT_EQ(got.frames, 2205) << c.name;
        EXPECT_NEAR(got.LengthMs(), 100.0, 0.1) << c.name;
        EXPECT_EQ(samples.size(), size_t(got.frames) * 2);
        EXPECT_NEAR(samples[1000], 0.25 * 32767, 400) << c.name;  // lossy Vorbis is near, not exact
    }
}

TEST_F(RuntimeTest, StreamDecoderLoopsWithoutAGapAndSeeks) {
    WriteRamp(Path("ramp.wav"));
    StreamDecoder dec;
    std::string why;
    ASSERT_TRUE(dec.Open(Path("ramp.wav"), &why)) << why;
    EXPECT_EQ(dec.Info().frames, 1000);
    std::vector<int16_t> chunk(300);
    std::vector<int16_t> all;
    for (int i = 0; i < 8; ++i) {  // 2400 frames: across the end twice
        ASSERT_EQ(dec.Read(chunk.data(), 300, true), 300);
        all.insert(all.end(), chunk.begin(), chunk.end());
    }
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], int16_t((i % 1000) * 3)) << i;

    dec.SeekMs(62.5);  // frame 500 at 8 kHz
    ASSERT_EQ(dec.Read(chunk.data(), 1, true), 1);
    EXPECT_EQ(chunk[0], 1500);
    dec.SeekMs(125.0 + 62.5);  // beyond the end wraps into the file
    ASSERT_EQ(dec.Read(chunk.data(), 1, true), 1);
    EXPECT_EQ(chunk[0], 1500);

    // Without loop the file ends.
    dec.SeekMs(100.0);  // frame 800
    EXPECT_EQ(dec.Read(chunk.data(), 300, false), 200);
    EXPECT_EQ(dec.Read(chunk.data(), 300, false), 0);
}

TEST_F(RuntimeTest, ProbeExplainsWhatIsWrongWithAFile) {
    std::string why;
    SoundInfo info;
    EXPECT_FALSE(ProbeSound(Path("none.wav"), &info, &why));
    EXPECT_EQ(why, "cannot open: No such file or directory");
    EXPECT_FALSE(ProbeSound(dir_.string(), &info, &why));
    EXPECT_EQ(why, "is a folder, not a sound file");
    SF_INFO sf{};
    sf.samplerate = 8000;
    sf.channels = 4;
    sf.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(Path("quad.wav").c_str(), SFM_WRITE, &sf);
    ASSERT_NE(f, nullptr);
    std::vector<short> frames(400 * 4, 0);
    sf_writef_short(f, frames.data(), 400);
    sf_close(f);
    EXPECT_FALSE(ProbeSound(Path("quad.wav"), &info, &why));
    EXPECT_EQ(why, "has 4 channels; only mono and stereo are played");
    sf.channels = 1;
    f = sf_open(Path("nothing.wav").c_str(), SFM_WRITE, &sf);
    ASSERT_NE(f, nullptr);
    sf_close(f);
    EXPECT_FALSE(ProbeSound(Path("nothing.wav"), &info, &why));
    EXPECT_EQ(why, "holds no audio frames");
}
