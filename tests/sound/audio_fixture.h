#pragma once
// A scratch content folder with a small bank of generated sounds, and a started
// audio system over it (no device: the tests run with ALSOFT_DRIVERS=null).
// Everything (folder, audio system, entities, events, engine state, log) is
// put back afterwards.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <json/json.h>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "sound/audio_system.h"
#include "sound/sound_cue.h"

// A mono 16-bit sine tone, written with libsndfile.
inline void WriteTone(const std::string& path, double seconds, double hz = 440.0, double amplitude = 0.5) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(size_t(seconds * info.samplerate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(amplitude * std::sin(2.0 * M_PI * hz * double(i) / info.samplerate));
    sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

// A JSON file as the reader sees it (null, with a failure, if it is missing or
// malformed).
inline Json::Value ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Json::Value root;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &root, &errors)) << path << ": " << errors;
    return root;
}

inline void WriteText(const std::string& path, const std::string& text) {
    const std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// One event of the test bank: path, sound file (under audio/), bus, loop.
struct TestEvent {
    std::string path, file, bus;
    bool loop = false;
};

// The bank every test starts with: a master bus with Music and SFX under it,
// and one event for each cue kind.
inline std::vector<TestEvent> StandardEvents() {
    return {
        {"event:/Music/Title", "music/title.wav", "bus:/Music", true},
        {"event:/Music/Forest", "music/forest.wav", "bus:/Music", true},
        {"event:/SFX/Beep", "sfx/beep.wav", "bus:/SFX", false},
        {"event:/Noise/Hum", "sfx/hum.wav", "bus:/SFX", true},
        {"event:/Ambience/Wind", "sfx/wind.wav", "bus:/SFX", true},
        {"event:/UI/Click", "sfx/click.wav", "bus:/SFX", false},
    };
}

inline std::string BankJson(const std::string& bankPath, const std::vector<TestEvent>& events) {
    Json::Value bank;
    bank["path"] = bankPath;
    for (const char* bus : {"bus:/", "bus:/Music", "bus:/SFX"}) bank["buses"].append(bus);
    for (const TestEvent& e : events) {
        Json::Value ev;
        ev["path"] = e.path;
        ev["file"] = e.file;
        ev["bus"] = e.bus;
        ev["loop"] = e.loop;
        bank["events"].append(ev);
    }
    return bank.toStyledString();
}

class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override {
        original_ = std::filesystem::current_path();
        char pattern[] = "/tmp/qm_sound_XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::current_path(folder_);
        events::ClearRegistryForTesting();
        events::Register<float>("LogicUpdate");
        events::Register<Json::Value*>("LevelLoad");
        ResetEngineState();
        GetCamera().SetPosition(0, 0, 0);
        ClearLog();
    }

    void TearDown() override {
        engine::DestroyAllEntities();
        audio_.reset();
        std::filesystem::current_path(original_);
        std::filesystem::remove_all(folder_);
        events::ClearRegistryForTesting();
    }

    // audio/Master.bank with the given events (sound files generated), the two
    // list files naming it, and an empty cue table.
    void WriteContent(const std::vector<TestEvent>& events = StandardEvents()) {
        for (const TestEvent& e : events) WriteTone("audio/" + e.file, 0.5);
        WriteText("audio/Master.bank", BankJson("bank:/Master", events));
        WriteText("audio/bankFiles.txt", "Master.bank\n");
        WriteText("audio/stringFiles.txt", "");
        WriteText("Audio/SoundStorage.json", "{\"Sounds\":{\"Cue Number\":0}}");
    }

    AudioSystem& StartAudio() {
        audio_ = std::make_unique<AudioSystem>();
        audio_->Initialize();
        return *audio_;
    }

    // Content, audio and one cue per standard event, named after the event's
    // last path part ("Title", "Forest", "Beep", "Hum", "Wind", "Click").
    AudioSystem& StartWithCues() {
        WriteContent();
        AudioSystem& audio = StartAudio();
        for (const TestEvent& e : StandardEvents()) MakeCue(audio, e.path, e.path.substr(e.path.rfind('/') + 1));
        audio.cueCount = unsigned(audio.cues.size());
        ClearLog();
        return audio;
    }

    // One frame as the engine runs it: the logic update (fades, emitters),
    // then the runtime.
    void Frame(float dt) {
        events::Call("LogicUpdate", dt);
        audio_->Update();
    }

    float Volume(const SoundCue& cue) {
        float v = -1.0f;
        EXPECT_EQ(cue.instance.getVolume(&v), audio_rt::OK);
        return v;
    }

    audio_rt::Studio::PLAYBACK_STATE State(const audio_rt::Studio::EventInstance& instance) {
        audio_rt::Studio::PLAYBACK_STATE s = audio_rt::Studio::PLAYBACK_STOPPED;
        EXPECT_EQ(instance.getPlaybackState(&s), audio_rt::OK);
        return s;
    }

    bool Playing(const SoundCue& cue) {
        const auto s = State(cue.instance);
        return s == audio_rt::Studio::PLAYBACK_PLAYING || s == audio_rt::Studio::PLAYBACK_STARTING;
    }

    bool LogHas(const std::string& line) {
        for (const std::string& l : GetLog())
            if (l == line) return true;
        return false;
    }

    std::string LogText() {
        std::string text;
        for (const std::string& l : GetLog()) text += l + "\n";
        return text;
    }

    std::filesystem::path original_;
    std::string folder_;
    std::unique_ptr<AudioSystem> audio_;
};
