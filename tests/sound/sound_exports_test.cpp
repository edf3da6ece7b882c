// The sound exports as scripts reach them: through LuaJIT's ffi.C.
#include <lua.hpp>

#include "tests/sound/audio_fixture.h"

class SoundExportsTest : public AudioFixture {
protected:
    ~SoundExportsTest() override { lua_close(L_); }

    // Runs a chunk; returns its string result, if any.
    std::string Lua(const std::string& code) {
        lua_settop(L_, 0);
        EXPECT_EQ(luaL_dostring(L_, ("local ffi = require('ffi') " + code).c_str()), 0) << lua_tostring(L_, -1);
        return lua_isstring(L_, -1) ? lua_tostring(L_, -1) : "";
    }

    lua_State* L_ = [] {
        lua_State* L = luaL_newstate();
        luaL_openlibs(L);
        luaL_dofile(L, QM_FFI_DECLS);
        return L;
    }();
};

TEST_F(SoundExportsTest, PlayAndStopByNameAndInterfaceSoundsUnlessMinimised) {
    AudioSystem& audio = StartWithCues();
    Lua("ffi.C.lb_sounds_play('Beep') ffi.C.lb_sounds_play('Wind')");
    EXPECT_TRUE(Playing(*GetCue(audio, "Beep")));
    EXPECT_TRUE(GetCue(audio, "Wind")->fadeInConnected);
    Lua("ffi.C.lb_sounds_stop('Beep')");
    EXPECT_FALSE(Playing(*GetCue(audio, "Beep")));
    SoundCue* hover = MakeCue(audio, "event:/UI/Click", "Button_Hover");
    SoundCue* select = MakeCue(audio, "event:/SFX/Beep", "Button_Select");
    for (bool minimized : {true, false}) {
        GetEngineState().minimized = minimized;
        Lua("ffi.C.lb_sounds_play_hover() ffi.C.lb_sounds_play_select()");
        EXPECT_EQ(Playing(*hover) + Playing(*select), minimized ? 0 : 2);
    }
}

TEST_F(SoundExportsTest, MutesAreAppliedAndAnsweredAndNothingHappensWithoutAnAudioSystem) {
    const std::string muted = "return tostring(ffi.C.lb_sounds_all_muted()) .. ' ' .. tostring(ffi.C.lb_sounds_music_muted())";
    EXPECT_EQ(Lua("ffi.C.lb_sounds_play('Beep') ffi.C.lb_sounds_mute_all(true) ffi.C.lb_sounds_mute_music(true) " + muted),
              "false false");
    AudioSystem& audio = StartWithCues();
    EXPECT_EQ(Lua("ffi.C.lb_sounds_mute_all(true) ffi.C.lb_sounds_mute_music(true) " + muted), "true true");
    bool master = false;
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&master), audio_rt::OK);
    EXPECT_TRUE(master && GetCue(audio, "Title")->muted && !GetCue(audio, "Beep")->muted);
    EXPECT_EQ(Lua("ffi.C.lb_sounds_mute_all(false) ffi.C.lb_sounds_mute_music(false) " + muted), "false false");
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&master), audio_rt::OK);
    EXPECT_FALSE(master || GetCue(audio, "Title")->muted);
}

