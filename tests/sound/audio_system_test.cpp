#include <unistd.h>

#include "tests/sound/audio_fixture.h"

using namespace audio_rt;

namespace {

using AudioSystemTest = AudioFixture;

TEST_F(AudioSystemTest, ListFileLinesLoseTheirBreakAndAnUnterminatedOrOverlongLineIsCut) {
    WriteText("list.txt", "Master.bank\nMusic.bank\nStrings.bank");
    std::vector<std::string> lines;
    ASSERT_TRUE(audio::ReadListFile("list.txt", &lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"Master.bank", "Music.bank"}));

    WriteText("empty.txt", "");
    lines.clear();
    ASSERT_TRUE(audio::ReadListFile("empty.txt", &lines));
    EXPECT_TRUE(lines.empty());

    EXPECT_FALSE(audio::ReadListFile("missing.txt", &lines));

    // At most 255 characters are read at a time: a 300-character line is read
    // as 255 (the last one dropped as if it were the break) and then the rest
    // as a line of its own.
    WriteText("list.txt", std::string(300, 'a') + "\n");
    lines.clear();
    ASSERT_TRUE(audio::ReadListFile("list.txt", &lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(254, 'a'));
    EXPECT_EQ(lines[1], std::string(45, 'a'));
}

TEST_F(AudioSystemTest, BusesAreNamedFromTheirPaths) {
    EXPECT_EQ(audio::BusNameFromPath("bus:/"), "Master Bus");
    EXPECT_EQ(audio::BusNameFromPath("bus:/Music"), "Music Bus");
    EXPECT_EQ(audio::BusNameFromPath("bus:/SFX"), "SFX Bus");
    EXPECT_EQ(audio::BusNameFromPath("bus:/SFX/Steps"), "SFX/Steps Bus");
}

TEST_F(AudioSystemTest, StartUpLoadsTheListedBankAndDiscoversItsBusesAndEvents) {
    WriteContent();
    AudioSystem& audio = StartAudio();

    ASSERT_EQ(audio.Banks().size(), 1u);
    std::vector<std::string> busNames;
    for (const auto& bus : audio.Buses()) busNames.push_back(bus.name);
    EXPECT_EQ(busNames, (std::vector<std::string>{"Master Bus", "Music Bus", "SFX Bus"}));
    ASSERT_EQ(audio.Events().size(), StandardEvents().size());
    for (size_t i = 0; i < audio.Events().size(); ++i) {
        EXPECT_EQ(audio.Events()[i].path, StandardEvents()[i].path);
        EXPECT_STREQ(audio.Events()[i].cueName, "Enter Name");
        EXPECT_TRUE(audio.FindEventDescription(StandardEvents()[i].path).isValid());
    }
    EXPECT_FALSE(audio.FindEventDescription("event:/Music/Nowhere").isValid());

    EXPECT_TRUE(LogHas("bank:/Master"));
    EXPECT_TRUE(LogHas("bus path namebus:/"));
    EXPECT_TRUE(LogHas("bus path namebus:/SFX"));
    EXPECT_TRUE(LogHas("BUS name SFX Bus"));
    EXPECT_FALSE(LogHas("BUS name Master Bus"));
    EXPECT_TRUE(audio.FindBus("SFX Bus").isValid());
    EXPECT_TRUE(audio.FindBus("Master Bus").isValid());
}

TEST_F(AudioSystemTest, ABankOnTheUnterminatedLastLineIsNotLoadedAndAMissingOneIsReported) {
    WriteContent();
    WriteText("audio/Other.bank", BankJson("bank:/Other", {{"event:/SFX/Other", "sfx/beep.wav", "bus:/SFX"}}));
    WriteText("audio/bankFiles.txt", "Master.bank\nOther.bank");
    AudioSystem& audio = StartAudio();
    EXPECT_EQ(audio.Banks().size(), 1u);
    EXPECT_FALSE(audio.FindEventDescription("event:/SFX/Other").isValid());

    // A missing bank is reported and the rest loads.
    audio_.reset();
    WriteText("audio/bankFiles.txt", "Gone.bank\nMaster.bank\n");
    ClearLog();
    AudioSystem& again = StartAudio();
    EXPECT_TRUE(LogHas("error" + std::to_string(ERR_FILE_NOT_FOUND) + ErrorString(ERR_FILE_NOT_FOUND)))
        << LogText();
    EXPECT_NE(LogText().find("audio/Gone.bank"), std::string::npos) << LogText();
    EXPECT_EQ(again.Banks().size(), 1u);
    EXPECT_EQ(again.Events().size(), StandardEvents().size());
}

TEST_F(AudioSystemTest, ABadSoundFileNamesItsPathInTheLog) {
    WriteContent();
    WriteText("audio/sfx/beep.wav", "this is not audio");
    StartAudio();
    EXPECT_NE(LogText().find("error"), std::string::npos) << LogText();
    EXPECT_NE(LogText().find("sfx/beep.wav"), std::string::npos) << LogText();
}

TEST_F(AudioSystemTest, CheckPrintsCodeAndTextWithNothingBetweenThenTheDetail) {
    EXPECT_EQ(audio::Check(OK), OK);
    EXPECT_TRUE(GetLog().empty());
    EXPECT_EQ(audio::Check(ERR_EVENT_NOT_FOUND), ERR_EVENT_NOT_FOUND);
    ASSERT_FALSE(GetLog().empty());
    EXPECT_EQ(GetLog().front(), std::string("error5") + ErrorString(ERR_EVENT_NOT_FOUND));

    // A failing call of a started system adds the runtime's detail, and the
    // system goes on.
    WriteContent();
    AudioSystem& audio = StartAudio();
    ClearLog();
    Studio::EventInstance empty;
    audio::Check(empty.start());
    ASSERT_EQ(GetLog().size(), 2u);
    EXPECT_EQ(GetLog()[0], "error1" + std::string(ErrorString(ERR_INVALID_HANDLE)));
    EXPECT_EQ(GetLog()[1], "the event instance handle is empty, released or stale");
    audio.Update();
    EXPECT_EQ(GetLog().size(), 2u);
}

TEST_F(AudioSystemTest, UnknownBusIsNamedInTheLogAndItsMuteFailsThroughCheck) {
    WriteContent();
    AudioSystem& audio = StartAudio();
    ClearLog();
    audio.SetBusMute("Voice Bus", true);
    EXPECT_TRUE(audio.allMuted);  // recorded whatever the name
    ASSERT_EQ(GetLog().size(), 3u) << LogText();
    EXPECT_EQ(GetLog()[0], "couldn't find bus name Voice Buscheck to make sure you spelt it right ");
    EXPECT_EQ(GetLog()[1], "error1" + std::string(ErrorString(ERR_INVALID_HANDLE)));
    EXPECT_EQ(GetLog()[2], "the bus handle is empty, released or stale");

    ClearLog();
    audio.StopBus("Voice Bus");  // an empty handle is not stopped
    EXPECT_EQ(GetLog().size(), 1u);
}

TEST_F(AudioSystemTest, BusMutePauseAndStopReachTheRuntime) {
    AudioSystem& audio = StartWithCues();
    audio.SetBusMute("Master Bus", true);
    bool muted = false;
    ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), OK);
    EXPECT_TRUE(muted);
    audio.SetBusMute("Master Bus", false);
    EXPECT_FALSE(audio.allMuted);

    audio.SetBusPaused("Music Bus", true);
    bool paused = false;
    ASSERT_EQ(audio.FindBus("Music Bus").getPaused(&paused), OK);
    EXPECT_TRUE(paused);

    SoundCue* beep = GetCue(audio, "Hum");
    PlayCue(audio, *beep, 1.0f);
    Frame(0.016f);
    EXPECT_TRUE(Playing(*beep));
    audio.StopBus("Master Bus");
    Frame(0.016f);
    EXPECT_EQ(State(beep->instance), Studio::PLAYBACK_STOPPED);

    // Channel groups are found by name; an unknown one is passed over quietly.
    audio.StopChannelGroup("Master Group");
    audio.StopChannelGroup("No Group");
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(AudioSystemTest, ListenerStartsLookingAlongXAndReachesTheRuntimeAndTheCuesAtUpdate) {
    AudioSystem& audio = StartWithCues();
    EXPECT_EQ(audio.Listener().forward.x, 1.0f);
    EXPECT_EQ(audio.Listener().up.y, 1.0f);
    audio.SetListener({10, 20, 5}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1});
    audio.Update();
    const _3D_ATTRIBUTES at = audio.RuntimeListener();
    EXPECT_EQ(at.position.x, 10.0f);
    EXPECT_EQ(at.position.y, 20.0f);
    EXPECT_EQ(at.position.z, 5.0f);
    EXPECT_EQ(at.forward.y, -1.0f);
    EXPECT_EQ(at.up.z, 1.0f);
    for (const auto& cue : audio.cues) {
        _3D_ATTRIBUTES kept;
        ASSERT_EQ(cue->instance.get3DAttributes(&kept), OK);
        EXPECT_EQ(kept.position.x, 10.0f) << cue->name;
        EXPECT_EQ(kept.position.y, 20.0f) << cue->name;
    }
}

// The start-up's one fatal case: a missing list file. Standard output goes to
// the death test's stderr so the message can be matched.
TEST_F(AudioSystemTest, MissingBankOrStringListEndsTheProcessWithStatusMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const std::string list : {"bankFiles.txt", "stringFiles.txt"}) {
        std::filesystem::remove_all("audio");
        WriteText(list == "bankFiles.txt" ? "audio/stringFiles.txt" : "audio/bankFiles.txt", "");
        const std::string folder = folder_;
        EXPECT_EXIT(
            {
                std::filesystem::current_path(folder);
                dup2(2, 1);
                AudioSystem audio;
                audio.Initialize();
            },
            ::testing::ExitedWithCode(255), "could't open " + list);
    }
}

}  // namespace
