#pragma once
// The runtime fixture's scratch folder as the working directory with a small bank
// of generated sounds, and a started audio system over it (ALSOFT_DRIVERS=null).
// Everything is put back afterwards; the runtime's clock moves only with Frame.
#include <json/json.h>

#include <memory>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "sound/audio_system.h"
#include "sound/sound_cue.h"
#include "tests/sound/runtime/runtime_fixture.h"

using rt_test::WriteText;

// A JSON file as the reader sees it (null, with a failure, if it is missing or malformed).
inline Json::Value ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Json::Value root;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &root, &errors)) << path << ": " << errors;
    return root;
}

// One event for each cue kind; StartWithCues names each cue after its last part.
inline const std::vector<std::string> kStandardEvents = {"event:/Music/Title", "event:/Music/Forest", "event:/SFX/Beep",
                                                         "event:/Noise/Hum",   "event:/Ambience/Wind", "event:/UI/Click"};

class AudioFixture : public rt_test::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        std::filesystem::current_path(dir_);
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
        events::ClearRegistryForTesting();
        RuntimeTest::TearDown();
    }

    // audio/Master.bank with the standard events, the two list files naming
    // it, and an empty cue table.
    void WriteContent() {
        for (const std::string& path : kStandardEvents) rt_test::WriteTone("audio/" + path.substr(path.rfind('/') + 1) + ".wav", 0.5);
        WriteText("audio/Master.bank", R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX"], "events": [
            {"path": "event:/Music/Title", "file": "Title.wav", "bus": "bus:/Music", "loop": true},
            {"path": "event:/Music/Forest", "file": "Forest.wav", "bus": "bus:/Music", "loop": true},
            {"path": "event:/SFX/Beep", "file": "Beep.wav", "bus": "bus:/SFX"},
            {"path": "event:/Noise/Hum", "file": "Hum.wav", "bus": "bus:/SFX", "loop": true},
            {"path": "event:/Ambience/Wind", "file": "Wind.wav", "bus": "bus:/SFX", "loop": true},
            {"path": "event:/UI/Click", "file": "Click.wav", "bus": "bus:/SFX"}]})");
        WriteText("audio/bankFiles.txt", "Master.bank\n");
        WriteText("audio/stringFiles.txt", "");
        WriteText("Audio/SoundStorage.json", "{\"Sounds\":{\"Cue Number\":0}}");
    }

    AudioSystem& StartAudio() {
        audio_ = std::make_unique<AudioSystem>();
        audio_->Initialize();
        return *audio_;
    }

    AudioSystem& StartWithCues() {
        WriteContent();
        AudioSystem& audio = StartAudio();
        for (const std::string& path : kStandardEvents) MakeCue(audio, path, path.substr(path.rfind('/') + 1));
        audio.cueCount = unsigned(audio.cues.size());
        ClearLog();
        return audio;
    }

    // One frame as the engine runs it: the logic update (fades, emitters),
    // then the runtime, dt seconds later by its clock.
    void Frame(float dt) {
        events::Call("LogicUpdate", dt);
        audio_rt::detail::AdvanceClock(dt * 1000.0);
        audio_->Update();
    }

    float Volume(const SoundCue& cue) {
        float v = -1.0f;
        EXPECT_EQ(cue.instance.getVolume(&v), audio_rt::OK);
        return v;
    }

    static bool Playing(const audio_rt::Studio::EventInstance& instance) { return State(instance) == audio_rt::Studio::PLAYBACK_PLAYING; }
    static bool Playing(const SoundCue& cue) { return Playing(cue.instance); }

    template <class... Args>
    static size_t Listeners(const std::string& event) {
        return dynamic_cast<events::event_listeners<Args...>*>(events::InternalGetListeners(event))->Size();
    }

    std::string LogText() {
        std::string text;
        for (const std::string& l : GetLog()) text += l + "\n";
        return text;
    }

    const std::filesystem::path original_ = std::filesystem::current_path();
    const std::string folder_ = dir_.string();
    std::unique_ptr<AudioSystem> audio_;
};
