#pragma once
// A scratch folder for sound and bank files, and a studio system released
// after each test. The runtime's clock is held: a test moves time with Step,
// so fades and ends never race the real clock.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound/runtime/audio_runtime.h"
#include "sound/runtime/studio_state.h"

namespace rt_test {

namespace fs = std::filesystem;
using namespace audio_rt;

// A 440 Hz sine of seconds, channels 1 to 4, as 16-bit samples in format.
inline void WriteTone(const std::string& path, double seconds, int channels = 1, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info{0, 22050, channels, format, 0, 0};
    fs::create_directories(fs::absolute(path).parent_path());
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << path << ": " << sf_strerror(nullptr);
    std::vector<float> samples(size_t(seconds * 22050) * size_t(channels));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = 0.25f * float(std::sin(double(i / size_t(channels)) * 0.12538));
    sf_writef_float(f, samples.data(), sf_count_t(samples.size() / size_t(channels)));
    sf_close(f);
}

inline void WriteText(const std::string& path, const std::string& text) {
    fs::create_directories(fs::absolute(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_);
        detail::HoldClock(true);
    }
    void TearDown() override {
        if (system_) system_->release();
        detail::HoldClock(false);
        fs::remove_all(dir_);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    void Init(int channels = 32) {
        ASSERT_EQ(Studio::System::create(&system_), OK);
        ASSERT_EQ(system_->initialize(channels, 0, 0, nullptr), OK) << LastErrorDetail();
    }

    Studio::Bank LoadBank(const std::string& name, const std::string& json) {
        WriteText(Path(name), json);
        Studio::Bank bank;
        EXPECT_EQ(system_->loadBankFile(Path(name).c_str(), 0, &bank), OK) << LastErrorDetail();
        return bank;
    }

    Studio::EventInstance Instance(const char* path) {
        Studio::EventDescription desc;
        Studio::EventInstance inst;
        EXPECT_EQ(system_->getEvent(path, &desc), OK) << path;
        EXPECT_EQ(desc.createInstance(&inst), OK);
        return inst;
    }

    // ms of runtime time pass, then one update.
    void Step(double ms) {
        detail::AdvanceClock(ms);
        EXPECT_EQ(system_->update(), OK);
    }

    static Studio::PLAYBACK_STATE State(const Studio::EventInstance& inst) {
        Studio::PLAYBACK_STATE s = Studio::PLAYBACK_STARTING;
        inst.getPlaybackState(&s);
        return s;
    }
    static int Timeline(const Studio::EventInstance& inst) {
        int ms = -1;
        inst.getTimelinePosition(&ms);
        return ms;
    }
    static float Final(const Studio::EventInstance& inst) {
        float v = -1, f = -1;
        inst.getVolume(&v, &f);
        return f;
    }

    const fs::path dir_ = fs::temp_directory_path() / ("qm_audio_rt_" + std::to_string(getpid()));
    Studio::System* system_ = nullptr;
};

}  // namespace rt_test
