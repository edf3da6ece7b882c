// The audio system as the engine drives it: pause, level loads and sound spaces.
#include "engine/game_flow.h"
#include "engine/game_pause.h"
#include "tests/level/level_test_env.h"
#include "tests/sound/audio_fixture.h"

using EngineAudioTest = AudioFixture;

TEST_F(EngineAudioTest, PausingTheGamePausesMusicAndEffectsOnly) {
    AudioSystem& audio = StartWithCues();
    bool master = true, music = false, sfx = false;
    PauseGame();
    audio.FindBus("Master Bus").getPaused(&master);
    audio.FindBus("Music Bus").getPaused(&music);
    audio.FindBus("SFX Bus").getPaused(&sfx);
    EXPECT_TRUE(!master && music && sfx);
    ResumeGame();
    audio.FindBus("Music Bus").getPaused(&music);
    audio.FindBus("SFX Bus").getPaused(&sfx);
    EXPECT_FALSE(music || sfx);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

// The frame's level check with the real level loader: everything on the master
// bus stops, and only a level holding sound spaces (two share one listener)
// puts the player's mutes back when something in between undid them.
TEST_F(EngineAudioTest, ALevelLoadStopsTheMasterBusAndSoundSpacesKeepTheMutes) {
    AudioSystem& audio = StartWithCues();
    for (const char* name : {"LevelUnload", "LevelUnloadFinished"}) events::Register<Json::Value*>(name);
    ScopedEnv home("HOME"), documents("XDG_DOCUMENTS_DIR");  // the save folder goes in the scratch folder
    home.Set(folder_);
    documents.Set(folder_ + "/docs");
    for (const bool withSpace : {true, false}) {
        const std::string space = withSpace ? R"({"components": [{"__component_name": "SoundSpace"}]})" : "{}";
        GetEngineState().levelName = withSpace ? "spaced" : "plain";
        GetEngineState().reloadRequested = true;
        WriteText("levels/" + GetEngineState().levelName + ".json", R"({"tile_map": {"width": 1, "height": 1, "tile_width": 16,
            "tile_height": 16, "tile_textures": [], "tiles": "0 "}, "graphics": {}, "entities": [)" + space + ", " + space + "]}");
        PlayCue(audio, "Hum", 1.0f);
        audio.SetBusMute("Master Bus", true);
        MuteMusic(audio);
        ASSERT_EQ(audio.FindBus("Master Bus").setMute(false), audio_rt::OK);
        GetCue(audio, "Title")->instance.setVolume(1.0f);
        RunLevelCheck();
        EXPECT_FALSE(Playing(*GetCue(audio, "Hum")));
        bool muted = !withSpace;
        ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), audio_rt::OK);
        EXPECT_EQ(muted, withSpace);
        EXPECT_EQ(Volume(*GetCue(audio, "Title")), withSpace ? 0.0f : 1.0f);
    }
}
