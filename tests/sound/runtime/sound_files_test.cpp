// Sound files that cannot be played: reported once with their path and
// reason, their events silent but harmless.
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

TEST_F(RuntimeTest, BadSoundFilesAreReportedOnceAndTheirEventsStaySilent) {
    Init();
    WriteTone(Path("good.wav"), 0.1);
    WriteText(Path("empty.wav"), "");
    WriteText(Path("text.wav"), "this is not audio, just words in a file named like a sound");
    Studio::Bank bank = LoadBank("Master.bank", R"({"events": [
        {"path": "event:/SFX/Good", "file": "good.wav"},
        {"path": "event:/SFX/Missing", "file": "missing.wav"},
        {"path": "event:/SFX/Empty", "file": "empty.wav"},
        {"path": "event:/SFX/Text", "file": "text.wav"},
        {"path": "event:/SFX/AlsoMissing", "file": "missing.wav"}]})");

    EXPECT_EQ(bank.loadSampleData(), ERR_FILE_NOT_FOUND);
    std::string detail = LastErrorDetail();
    EXPECT_NE(detail.find(Path("missing.wav") + ": cannot open: No such file or directory"), std::string::npos)
        << detail;
    EXPECT_NE(detail.find(Path("empty.wav") + ": the file is empty"), std::string::npos) << detail;
    EXPECT_NE(detail.find(Path("text.wav") + ": not a sound file libsndfile can read"), std::string::npos)
        << detail;
    EXPECT_EQ(detail.find("good.wav"), std::string::npos);
    // One file, one report, even though two events name it.
    EXPECT_EQ(detail.find("missing.wav"), detail.rfind("missing.wav"));

    Studio::LOADING_STATE state = Studio::LOADING_STATE_ERROR;
    EXPECT_EQ(bank.getSampleLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_LOADED);
    EXPECT_EQ(bank.loadSampleData(), OK);  // already reported
    EXPECT_STREQ(LastErrorDetail(), "");
    Studio::EventDescription desc;
    ASSERT_EQ(system_->getEvent("event:/SFX/Text", &desc), OK);
    EXPECT_EQ(desc.loadSampleData(), OK);

    for (const char* path : {"event:/SFX/Missing", "event:/SFX/Empty", "event:/SFX/Text"}) {
        Studio::EventInstance inst = Instance(path);
        EXPECT_EQ(inst.start(), OK) << path;
        system_->update();
        EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED) << path;
        EXPECT_EQ(Timeline(inst), 0);
        EXPECT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);
        EXPECT_EQ(inst.release(), OK);
    }
    Studio::EventInstance good = Instance("event:/SFX/Good");
    EXPECT_EQ(good.start(), OK);
    EXPECT_EQ(State(good), Studio::PLAYBACK_PLAYING);
}

TEST_F(RuntimeTest, EventDescriptionReportsItsOwnBadFileOnceAndStartLoadsOnDemand) {
    Init();
    LoadBank("Master.bank", R"({"events": [{"path": "event:/SFX/Missing", "file": "nowhere/gone.ogg"},
                                           {"path": "event:/SFX/Late", "file": "late.wav"}]})");
    Studio::EventDescription desc;
    ASSERT_EQ(system_->getEvent("event:/SFX/Missing", &desc), OK);
    EXPECT_EQ(desc.loadSampleData(), ERR_FILE_NOT_FOUND);
    EXPECT_NE(std::string(LastErrorDetail()).find("nowhere/gone.ogg: cannot open"), std::string::npos);
    EXPECT_EQ(desc.loadSampleData(), OK);
    Studio::EventInstance inst;
    ASSERT_EQ(desc.createInstance(&inst), OK);
    EXPECT_EQ(inst.start(), OK);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);

    // Never loaded: the first start loads it, and reports a bad file there, once.
    Studio::EventInstance late = Instance("event:/SFX/Late");
    EXPECT_EQ(late.start(), ERR_FILE_NOT_FOUND);
    EXPECT_NE(std::string(LastErrorDetail()).find("late.wav"), std::string::npos);
    EXPECT_EQ(late.start(), OK);
    EXPECT_EQ(State(late), Studio::PLAYBACK_STOPPED);
}
