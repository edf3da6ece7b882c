#include <lua.hpp>

#include "core/engine_state.h"
#include "tests/sound/audio_fixture.h"

namespace {

// The sound exports as scripts reach them: through LuaJIT's ffi.C.
class SoundExportsTest : public AudioFixture {
protected:
    void SetUp() override {
        AudioFixture::SetUp();
        L_ = luaL_newstate();
        luaL_openlibs(L_);
        ASSERT_EQ(luaL_dofile(L_, QM_FFI_DECLS), 0) << lua_tostring(L_, -1);
        ASSERT_EQ(luaL_dostring(L_, "ffi = require('ffi')"), 0);
    }
    void TearDown() override {
        lua_close(L_);
        AudioFixture::TearDown();
    }

    // Runs a chunk; returns its first result through tostring.
    std::string Lua(const std::string& code) {
        lua_settop(L_, 0);
        if (luaL_dostring(L_, code.c_str()) != 0) return std::string("ERROR: ") + lua_tostring(L_, -1);
        if (lua_gettop(L_) == 0 || lua_isnil(L_, 1)) return "";
        lua_getglobal(L_, "tostring");
        lua_pushvalue(L_, 1);
        lua_call(L_, 1, 1);
        const std::string result = lua_tostring(L_, -1);
        lua_settop(L_, 0);
        return result;
    }

    // What the two mute queries answer, "<all> <music>".
    std::string Muted() {
        return Lua("return tostring(ffi.C.lb_sounds_all_muted()) .. ' ' .. tostring(ffi.C.lb_sounds_music_muted())");
    }

    lua_State* L_ = nullptr;
};

TEST_F(SoundExportsTest, PlayAndStopByName) {
    AudioSystem& audio = StartWithCues();
    GetCue(audio, "Beep")->volume = 0.5f;
    EXPECT_EQ(Lua("ffi.C.lb_sounds_play('Beep')"), "");
    EXPECT_EQ(Volume(*GetCue(audio, "Beep")), 0.5f);
    Frame(0.016f);
    EXPECT_TRUE(Playing(*GetCue(audio, "Beep")));
    Lua("ffi.C.lb_sounds_stop('Beep')");
    Frame(0.016f);
    EXPECT_FALSE(Playing(*GetCue(audio, "Beep")));

    Lua("ffi.C.lb_sounds_play('Wind')");
    EXPECT_TRUE(GetCue(audio, "Wind")->fadeInConnected);

    Lua("ffi.C.lb_sounds_play('Nope') ffi.C.lb_sounds_stop('Nope')");
    EXPECT_EQ(GetLog(), (std::deque<std::string>{"Cue \"Nope\" Doesn't exist", "Attempted to play invalid cue!",
                                                   "Cue \"Nope\" Doesn't exist", "Attempted to stop invalid cue!"}));
}

TEST_F(SoundExportsTest, InterfaceSoundsPlayUnlessMinimisedOrMissing) {
    AudioSystem& audio = StartWithCues();
    // No interface cues yet: Get cue's line only.
    Lua("ffi.C.lb_sounds_play_hover() ffi.C.lb_sounds_play_select()");
    EXPECT_EQ(GetLog(), (std::deque<std::string>{"Cue \"Button_Hover\" Doesn't exist",
                                                   "Cue \"Button_Select\" Doesn't exist"}));

    MakeCue(audio, "event:/UI/Click", "Button_Hover");
    MakeCue(audio, "event:/SFX/Beep", "Button_Select");
    GetCue(audio, "Button_Hover")->volume = 0.25f;
    ClearLog();
    GetEngineState().minimized = true;
    Lua("ffi.C.lb_sounds_play_hover() ffi.C.lb_sounds_play_select()");
    Frame(0.016f);
    EXPECT_FALSE(Playing(*GetCue(audio, "Button_Hover")));
    EXPECT_FALSE(Playing(*GetCue(audio, "Button_Select")));
    EXPECT_TRUE(GetLog().empty());

    GetEngineState().minimized = false;
    Lua("ffi.C.lb_sounds_play_hover() ffi.C.lb_sounds_play_select()");
    Frame(0.016f);
    EXPECT_TRUE(Playing(*GetCue(audio, "Button_Hover")));
    EXPECT_EQ(Volume(*GetCue(audio, "Button_Hover")), 0.25f);
    EXPECT_TRUE(Playing(*GetCue(audio, "Button_Select")));
}

TEST_F(SoundExportsTest, MuteAllAndMuteMusicAreRecordedAndApplied) {
    AudioSystem& audio = StartWithCues();
    EXPECT_EQ(Muted(), "false false");

    Lua("ffi.C.lb_sounds_mute_all(true)");
    EXPECT_EQ(Muted(), "true false");
    bool muted = false;
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), audio_rt::OK);
    EXPECT_TRUE(muted);
    Lua("ffi.C.lb_sounds_mute_all(false)");
    EXPECT_EQ(Muted(), "false false");
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), audio_rt::OK);
    EXPECT_FALSE(muted);

    Lua("ffi.C.lb_sounds_mute_music(true)");
    EXPECT_EQ(Muted(), "false true");
    EXPECT_TRUE(GetCue(audio, "Title")->muted);
    EXPECT_FALSE(GetCue(audio, "Beep")->muted);
    Lua("ffi.C.lb_sounds_mute_music(false)");
    EXPECT_EQ(Muted(), "false false");
    EXPECT_FALSE(GetCue(audio, "Title")->muted);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundExportsTest, WithoutAnAudioSystemNothingPlaysAndNothingIsMuted) {
    EXPECT_EQ(Lua("ffi.C.lb_sounds_play('Beep') ffi.C.lb_sounds_mute_all(true) ffi.C.lb_sounds_mute_music(true)"), "");
    EXPECT_EQ(Muted(), "false false");
}

}  // namespace
