#include "tests/sound/audio_fixture.h"

using namespace audio_rt;

using AudioSystemTest = AudioFixture;

TEST_F(AudioSystemTest, StartUpLoadsTheListedBanksNamesTheirBusesAndPassesTheListenerOn) {
    WriteContent();
    WriteText("audio/Other.bank", R"({"events": [{"path": "event:/SFX/Other", "file": "Beep.wav"}]})");
    WriteText("audio/bankFiles.txt", "Gone.bank\nMaster.bank\nOther.bank");  // the last has no break
    AudioSystem& audio = StartAudio();
    EXPECT_EQ(audio.Banks().size(), 1u);
    EXPECT_TRUE(audio.FindEventDescription("event:/Ambience/Wind").isValid());
    EXPECT_NE(LogText().find("error" + std::to_string(ERR_FILE_NOT_FOUND) + ErrorString(ERR_FILE_NOT_FOUND)), std::string::npos);
    EXPECT_NE(LogText().find("bus path namebus:/SFX\nBUS name SFX Bus\n"), std::string::npos) << LogText();
    std::string names;
    for (const auto& bus : audio.Buses()) names += bus.name + ",";
    EXPECT_EQ(names + audio::BusNameFromPath("bus:/SFX/Steps"), "Master Bus,Music Bus,SFX Bus,SFX/Steps Bus");

    // At each update the listener reaches the runtime, and every cue is placed on it.
    MakeCue(audio, "event:/Music/Title", "Title");
    audio.SetListener({10, 20, 5}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1});
    audio.Update();
    const _3D_ATTRIBUTES at = audio.RuntimeListener();
    _3D_ATTRIBUTES kept;
    ASSERT_EQ(audio.cues[0]->instance.get3DAttributes(&kept), OK);
    EXPECT_EQ(std::vector<float>({at.position.x, at.position.y, at.position.z, at.forward.y, at.up.z, kept.position.y}),
              std::vector<float>({10, 20, 5, -1, 1, 20}));
}

TEST_F(AudioSystemTest, FailingCallsPrintCodeTextAndDetailAndTheSystemGoesOn) {
    WriteContent();
    AudioSystem& audio = StartAudio();

    ClearLog();
    audio.SetBusMute("Voice Bus", true);
    EXPECT_TRUE(audio.allMuted);  // recorded whatever the name
    ASSERT_EQ(GetLog().size(), 3u);  // the unknown name, then the runtime's refusal: code, text and detail
    EXPECT_EQ(GetLog()[1], "error1" + std::string(ErrorString(ERR_INVALID_HANDLE)));
    ClearLog();
    audio.StopBus("Voice Bus");  // an empty handle is not stopped
    audio.StopChannelGroup("No Group");
    audio.Update();
    EXPECT_EQ(GetLog().size(), 1u) << LogText();
}


// The start-up's one fatal case, a missing list file: status -1 (255 to the
// shell, as the README says). Standard output goes to the death test's stderr.
TEST_F(AudioSystemTest, MissingBankOrStringListEndsTheProcessWithStatusMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const std::string list : {"bankFiles.txt", "stringFiles.txt"}) {
        std::filesystem::remove_all("audio");
        WriteText(list == "bankFiles.txt" ? "audio/stringFiles.txt" : "audio/bankFiles.txt", "");
        const std::string folder = folder_;
        EXPECT_EXIT((std::filesystem::current_path(folder), dup2(2, 1), AudioSystem().Initialize()),
                    ::testing::ExitedWithCode(255), "could't open " + list);
    }
}
