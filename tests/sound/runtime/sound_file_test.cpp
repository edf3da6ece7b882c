// Sound files: the formats content uses, the stream decoder's gapless loop and
// seeking, and files that cannot be played (reported once, their events silent).
#include "sound/runtime/sound_file.h"

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;
using namespace audio_rt::detail;

TEST_F(RuntimeTest, DecodesWavFlacAndOggVorbisAndStreamsThemInAGaplessLoop) {
    for (auto [name, format] : {std::pair{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16}, {"a.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                                {"a.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS}}) {
        const int lossy = format & SF_FORMAT_VORBIS ? 400 : 0;
        WriteTone(Path(name), 0.1, 2, format);
        SoundInfo got;
        std::vector<int16_t> samples;
        std::string why;
        ASSERT_TRUE(DecodeSound(Path(name), &got, &samples, &why)) << why;
        EXPECT_EQ(std::tuple(got.channels, got.sample_rate, got.frames, samples.size()), std::tuple(2, 22050, 2205, size_t(4410))) << name;
        EXPECT_NEAR(samples[2001], 0.25 * 32767 * std::sin(1000 * 0.12538), lossy + 2) << name;

        // The stream decoder, 300 frames at a time across the end twice, then seeking.
        StreamDecoder dec;
        ASSERT_TRUE(dec.Open(Path(name), &why)) << why;
        std::vector<int16_t> chunk(4000);
        for (size_t at = 0; at < 6000; at += 300) {
            ASSERT_EQ(dec.Read(chunk.data(), 300, true), 300);
            EXPECT_NEAR(chunk[0], samples[(at % 2205) * 2], lossy) << name << " frame " << at;
        }
        dec.SeekMs(140.0);  // beyond the end wraps to frame 882
        ASSERT_EQ(dec.Read(chunk.data(), 1, true), 1);
        EXPECT_NEAR(chunk[0], samples[882 * 2], lossy) << name;
        EXPECT_EQ(dec.Read(chunk.data(), 2000, false), 1322) << name;  // without loop the file ends
    }
}

TEST_F(RuntimeTest, BadSoundFilesAreReportedOnceAndTheirEventsStaySilent) {
    Init();
    WriteTone(Path("good.wav"), 0.1);
    WriteTone(Path("quad.wav"), 0.1, 4);
    WriteText(Path("text.wav"), "this is not audio");
    const std::pair<std::string, std::string> bad[] = {{"missing.wav", "cannot open: No such file or directory"},
        {"text.wav", "not a sound file libsndfile can read"}, {"quad.wav", "has 4 channels; only mono and stereo"}};
    std::string events = R"({"path": "event:/good", "file": "good.wav"}, {"path": "event:/again", "file": "missing.wav"})";
    for (auto [file, why] : bad) events += R"(, {"path": "event:/)" + file + R"(", "file": ")" + file + "\"}";
    Studio::Bank bank = LoadBank("Master.bank", "{\"events\": [" + events + "]}");
    EXPECT_EQ(bank.loadSampleData(), ERR_FILE_NOT_FOUND);
    const std::string detail = LastErrorDetail();
    for (auto [file, why] : bad) EXPECT_NE(detail.find(Path(file) + ": " + why), std::string::npos) << detail;
    EXPECT_EQ(detail.find("missing.wav"), detail.rfind("missing.wav"));  // one file, one report
    EXPECT_EQ(bank.loadSampleData(), OK);
    for (auto [file, why] : bad) {
        Studio::EventInstance inst = Instance(("event:/" + file).c_str());
        EXPECT_EQ(inst.start(), OK) << file;
        EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED) << file;
    }
    Studio::EventInstance good = Instance("event:/good");
    EXPECT_EQ(good.start(), OK);
    EXPECT_EQ(State(good), Studio::PLAYBACK_PLAYING);
}
