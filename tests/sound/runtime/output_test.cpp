// The output: fallback to the null output, forced null output, voice limits
// and repeated create/release.
#include "sound/runtime/studio_state.h"
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

TEST_F(RuntimeTest, NoDeviceFallsBackToTheNullOutputAndStillPlays) {
    ASSERT_EQ(Studio::System::create(&system_), OK);
    char device[] = "no such audio device";
    EXPECT_EQ(system_->initialize(16, 0, 0, device), ERR_OUTPUT_INIT);
    std::string detail = LastErrorDetail();
    EXPECT_NE(detail.find("could not open the device \"no such audio device\""), std::string::npos) << detail;
    EXPECT_NE(detail.find("null output"), std::string::npos) << detail;

    WriteTone(Path("short.wav"), 0.05);
    WriteTone(Path("long.wav"), 0.1);
    Studio::Bank bank = LoadBank("Master.bank", R"({"buses": ["bus:/"], "events": [
        {"path": "event:/SFX/Short", "file": "short.wav"},
        {"path": "event:/Music/Long", "file": "long.wav", "stream": true, "loop": true}]})");
    EXPECT_EQ(bank.loadSampleData(), OK);
    Studio::EventInstance shot = Instance("event:/SFX/Short");
    Studio::EventInstance music = Instance("event:/Music/Long");
    ASSERT_EQ(shot.start(), OK);
    ASSERT_EQ(music.start(), OK);
    Sleep(80);
    EXPECT_EQ(system_->update(), OK);
    EXPECT_EQ(State(shot), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(State(music), Studio::PLAYBACK_PLAYING);
    EXPECT_GE(Timeline(music), 75);
    ASSERT_EQ(music.stop(Studio::STOP_ALLOWFADEOUT), OK);
    EXPECT_EQ(State(music), Studio::PLAYBACK_STOPPING);
}

namespace {

// Which of insts hold a voice right now.
std::vector<bool> Voiced(const std::vector<Studio::EventInstance>& insts) {
    std::vector<bool> voiced;
    for (const auto& inst : insts)
        voiced.push_back(detail::State()->instances.Get(inst.slot, inst.generation)->voice != detail::kNoVoice);
    return voiced;
}

}  // namespace

TEST_F(RuntimeTest, RunningOutOfVoicesTakesTheQuietestThenOldestAndNeverFails) {
    Init(2);
    WriteTone(Path("a.wav"), 0.1);
    LoadBank("Master.bank", R"({"events": [{"path": "event:/SFX/A", "file": "a.wav", "loop": true}]})");
    std::vector<Studio::EventInstance> insts;
    for (int i = 0; i < 4; ++i) {
        insts.push_back(Instance("event:/SFX/A"));
        ASSERT_EQ(insts.back().setVolume(i == 1 ? 0.2f : 1.0f), OK);
        ASSERT_EQ(insts.back().start(), OK) << i;
    }
    // 2 took the quiet 1's voice, 3 the voice of 0 (as loud, older).
    EXPECT_EQ(Voiced(insts), (std::vector<bool>{false, false, true, true}));
    // A quiet newcomer does not take a louder voice.
    insts.push_back(Instance("event:/SFX/A"));
    ASSERT_EQ(insts.back().setVolume(0.1f), OK);
    ASSERT_EQ(insts.back().start(), OK);
    EXPECT_EQ(Voiced(insts), (std::vector<bool>{false, false, true, true, false}));

    // Every instance plays on by the clock, voice or not.
    Sleep(20);
    system_->update();
    for (auto& inst : insts) EXPECT_EQ(State(inst), Studio::PLAYBACK_PLAYING);
    EXPECT_GE(Timeline(insts[0]), 15);

    // A freed voice goes to a waiting instance; the louder one wins it.
    ASSERT_EQ(insts[2].stop(Studio::STOP_IMMEDIATE), OK);
    system_->update();
    EXPECT_EQ(Voiced(insts), (std::vector<bool>{true, false, false, true, false}));

    for (auto& inst : insts) ASSERT_EQ(inst.release(), OK);
    system_->update();
    EXPECT_TRUE(insts[0].isValid());  // released instances live until they stop
    Studio::Bus master;
    ASSERT_EQ(system_->getBus("bus:/", &master), OK);
    ASSERT_EQ(master.stopAllEvents(Studio::STOP_IMMEDIATE), OK);
    system_->update();
    for (auto& inst : insts) EXPECT_FALSE(inst.isValid());
}

// Every other round on the forced null output, which initializes without error.
TEST_F(RuntimeTest, SystemsCanBeCreatedAndReleasedOverAndOver) {
    WriteTone(Path("a.wav"), 0.05);
    WriteText(Path("Master.bank"), R"({"events": [{"path": "event:/SFX/A", "file": "a.wav"}]})");
    for (int round = 0; round < 5; ++round) {
        Init(8, round % 2 ? INIT_NULL_OUTPUT : 0);
        Studio::Bank bank;
        ASSERT_EQ(system_->loadBankFile(Path("Master.bank").c_str(), 0, &bank), OK);
        ASSERT_EQ(bank.loadSampleData(), OK);
        Studio::EventInstance inst = Instance("event:/SFX/A");
        ASSERT_EQ(inst.start(), OK);  // released while playing
        EXPECT_EQ(State(inst), Studio::PLAYBACK_PLAYING) << round;
        ASSERT_EQ(system_->release(), OK);
        system_ = nullptr;
        EXPECT_FALSE(inst.isValid());
    }
}
