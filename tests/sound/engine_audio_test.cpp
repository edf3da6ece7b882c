#include <cstdlib>

#include "editor/editor.h"
#include "engine/game_flow.h"
#include "engine/game_pause.h"
#include "sound/cue_table.h"
#include "tests/level/level_test_env.h"
#include "tests/sound/audio_fixture.h"

namespace {

using EngineAudioTest = AudioFixture;

bool BusPaused(AudioSystem& audio, const char* name) {
    bool paused = false;
    EXPECT_EQ(audio.FindBus(name).getPaused(&paused), audio_rt::OK);
    return paused;
}

TEST_F(EngineAudioTest, PausingTheGamePausesMusicAndEffectsOnly) {
    AudioSystem& audio = StartWithCues();
    PauseGame();
    EXPECT_TRUE(BusPaused(audio, "Music Bus"));
    EXPECT_TRUE(BusPaused(audio, "SFX Bus"));
    EXPECT_FALSE(BusPaused(audio, "Master Bus"));
    ResumeGame();
    EXPECT_FALSE(BusPaused(audio, "Music Bus"));
    EXPECT_FALSE(BusPaused(audio, "SFX Bus"));
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(EngineAudioTest, EnteringTheEditorLeavesTheCueLocationMarker) {
    StartWithCues();
    // The editor opened by the toggle listens to these.
    events::Register<>("DebugDraw");
    for (const char* name : {"KeyPressed", "MouseButtonPressed", "MouseButtonReleased"}) events::Register<int>(name);
    events::Register<Json::Value*>("LevelUnload");
    GetEngineState().mode = EngineMode::Game;
    ToggleEditor();
    EXPECT_TRUE(std::filesystem::exists(kCueLocationPath));
    EXPECT_EQ(std::filesystem::file_size(kCueLocationPath), 0u);
    EXPECT_TRUE(GetEngineState().paused);
    CloseEditor();
}

// The frame's level check with the real level loader: everything on the master
// bus stops, and a level holding a sound space puts the player's mutes back
// after its load.
TEST_F(EngineAudioTest, ALevelLoadStopsTheMasterBusAndASoundSpaceKeepsTheMutes) {
    AudioSystem& audio = StartWithCues();
    events::Register<Json::Value*>("LevelUnload");
    events::Register<Json::Value*>("LevelUnloadFinished");
    ScopedEnv home("HOME"), documents("XDG_DOCUMENTS_DIR");  // the save folder goes in the scratch folder
    home.Set(folder_);
    documents.Set(folder_ + "/docs");
    WriteText("levels/veltrane_splash.json", R"({
        "tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16, "tile_textures": [], "tiles": "0 "},
        "entities": [{"name": "space", "pos": {"x": 0, "y": 0, "z": 0},
                      "components": [{"__component_name": "SoundSpace"}]}],
        "graphics": {}})");

    SoundCue& hum = *GetCue(audio, "Hum");
    PlayCue(audio, hum, 1.0f);
    Frame(0.016f);
    ASSERT_TRUE(Playing(hum));
    audio.SetBusMute("Master Bus", true);
    MuteMusic(audio);
    GetCue(audio, "Title")->instance.setVolume(1.0f);  // as if something had raised it

    RunLevelCheck();  // Startup -> Game: a load is due
    Frame(0.016f);
    EXPECT_EQ(State(hum.instance), audio_rt::Studio::PLAYBACK_STOPPED);
    bool muted = false;
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), audio_rt::OK);
    EXPECT_TRUE(muted);
    EXPECT_EQ(Volume(*GetCue(audio, "Title")), 0.0f);
}

// Runs in the child process: start the audio without a device, play, update;
// exits 7 when the log holds the one device line and nothing else but the
// discovery prints.
void RunWithoutDevice(const std::string& folder) {
    std::filesystem::current_path(folder);
    setenv("ALSOFT_DRIVERS", "no_such_driver", 1);
    ClearLog();
    AudioSystem audio;
    audio.Initialize();
    LoadCueTable(audio);
    PlayCue(audio, "Beep", 1.0f);
    for (int i = 0; i < 5; ++i) audio.Update();
    int deviceLines = 0;
    int other = 0;
    for (const std::string& line : GetLog()) {
        if (line.rfind("Audio: no sound device could be opened", 0) == 0 &&
            line.find("; the game runs without sound.") != std::string::npos)
            ++deviceLines;
        else if (line.rfind("bank:/", 0) != 0 && line.rfind("bus path name", 0) != 0 && line.rfind("BUS name ", 0) != 0)
            ++other;
    }
    std::exit(!audio.HasOutput() && deviceLines == 1 && other == 0 ? 7 : 1);
}

// Without a device the game runs silently, and the log says so once. The
// device choice is read when OpenAL starts, so this runs in a process of its
// own.
TEST_F(EngineAudioTest, NoAudioDeviceGivesOneLineAndASilentGame) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    WriteContent();
    WriteText(kCueTablePath, R"({"Sounds":{"Cue Number":1,"Sound0":"Beep","Evt0":"event:/SFX/Beep","Vol0":1}})");
    EXPECT_EXIT(RunWithoutDevice(folder_), ::testing::ExitedWithCode(7), "");
}

}  // namespace
