#pragma once
// Shared by the audio runtime tests: a scratch folder with WAV files made on
// the spot (libsndfile) and bank files, and a studio system that is released
// after each test.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "sound/runtime/audio_runtime.h"

namespace rt_test {

namespace fs = std::filesystem;
using namespace audio_rt;

// A sine tone of seconds at rate Hz, channels 1 or 2, written as 16-bit WAV.
inline void WriteTone(const std::string& path, double seconds, int channels = 1, int rate = 22050) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    std::vector<short> samples(size_t(seconds * rate) * size_t(channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = short(8000 * std::sin(double(i / size_t(channels)) * 440.0 * 6.2831853 / rate));
    sf_writef_short(f, samples.data(), sf_count_t(samples.size() / size_t(channels)));
    sf_close(f);
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qm_audio_rt_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (system_) system_->release();
        fs::remove_all(dir_);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Creates and initializes the system; the null OpenAL driver of the test
    // environment unless flags ask for the runtime's own null output.
    void Init(int channels = 32, unsigned flags = 0) {
        ASSERT_EQ(Studio::System::create(&system_), OK);
        RESULT r = system_->initialize(channels, Studio::INIT_NORMAL, flags, nullptr);
        ASSERT_EQ(r, OK) << LastErrorDetail();
    }

    Studio::Bank LoadBank(const std::string& name, const std::string& json) {
        WriteText(Path(name), json);
        Studio::Bank bank;
        EXPECT_EQ(system_->loadBankFile(Path(name).c_str(), Studio::LOAD_BANK_NORMAL, &bank), OK)
            << LastErrorDetail();
        return bank;
    }

    Studio::EventInstance Instance(const char* path) {
        Studio::EventDescription desc;
        EXPECT_EQ(system_->getEvent(path, &desc), OK) << path;
        Studio::EventInstance inst;
        EXPECT_EQ(desc.createInstance(&inst), OK);
        return inst;
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

    fs::path dir_;
    Studio::System* system_ = nullptr;
};

}  // namespace rt_test
