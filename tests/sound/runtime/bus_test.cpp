// Bus control over the hierarchy: mute, pause (timeline frozen), volume and
// stopping everything below a bus.
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

class BusTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        Init();
        WriteTone(Path("tone.wav"), 0.1);
        LoadBank("Master.bank", R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX", "bus:/SFX/Ambience"],
          "events": [{"path": "event:/Music/Theme", "file": "tone.wav", "bus": "bus:/Music", "loop": true},
                     {"path": "event:/SFX/Wind", "file": "tone.wav", "bus": "bus:/SFX/Ambience", "loop": true,
                      "volume": 0.5, "fade_out": 0.05},
                     {"path": "event:/SFX/Bell", "file": "tone.wav", "bus": "bus:/SFX", "loop": true}]})");
        ASSERT_EQ(system_->getBus("bus:/", &master_), OK);
        ASSERT_EQ(system_->getBus("bus:/SFX", &sfx_), OK);
        ASSERT_EQ(system_->getBus("bus:/SFX/Ambience", &ambience_), OK);
        theme_ = Instance("event:/Music/Theme");
        wind_ = Instance("event:/SFX/Wind");
        bell_ = Instance("event:/SFX/Bell");
        ASSERT_EQ(theme_.start(), OK);
        ASSERT_EQ(wind_.start(), OK);
        ASSERT_EQ(bell_.start(), OK);
    }

    Studio::Bus master_, sfx_, ambience_;
    Studio::EventInstance theme_, wind_, bell_;
};

}  // namespace

TEST_F(BusTest, MuteSilencesEverythingBelowUnmuteRestoresAndVolumeMultipliesDown) {
    EXPECT_FLOAT_EQ(Final(wind_), 0.5f);  // the event's own volume
    ASSERT_EQ(sfx_.setMute(true), OK);
    bool mute = false;
    EXPECT_EQ(sfx_.getMute(&mute), OK);
    EXPECT_TRUE(mute);
    EXPECT_FLOAT_EQ(Final(wind_), 0.0f);
    EXPECT_FLOAT_EQ(Final(bell_), 0.0f);
    EXPECT_FLOAT_EQ(Final(theme_), 1.0f);
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_PLAYING);  // muted, not stopped
    ASSERT_EQ(sfx_.setMute(false), OK);
    EXPECT_FLOAT_EQ(Final(wind_), 0.5f);
    ASSERT_EQ(master_.setMute(true), OK);
    EXPECT_FLOAT_EQ(Final(theme_), 0.0f);
    EXPECT_FLOAT_EQ(Final(wind_), 0.0f);
    ASSERT_EQ(master_.setMute(false), OK);

    // Volume multiplies down the hierarchy.
    ASSERT_EQ(sfx_.setVolume(0.5f), OK);
    ASSERT_EQ(ambience_.setVolume(0.5f), OK);
    EXPECT_FLOAT_EQ(Final(wind_), 0.125f);
    EXPECT_FLOAT_EQ(Final(bell_), 0.5f);
    EXPECT_FLOAT_EQ(Final(theme_), 1.0f);
    EXPECT_EQ(sfx_.setVolume(-0.5f), ERR_INVALID_PARAM);
}

TEST_F(BusTest, PauseFreezesTheTimelineBelowAndResumeGoesOn) {
    Sleep(30);
    ASSERT_EQ(sfx_.setPaused(true), OK);
    bool paused = false;
    EXPECT_EQ(sfx_.getPaused(&paused), OK);
    EXPECT_TRUE(paused);
    int wind_at = Timeline(wind_);
    int bell_at = Timeline(bell_);
    EXPECT_GE(wind_at, 25);
    Sleep(60);
    system_->update();
    EXPECT_EQ(Timeline(wind_), wind_at);
    EXPECT_EQ(Timeline(bell_), bell_at);
    EXPECT_GE(Timeline(theme_), wind_at + 55);  // the music bus runs on
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_PLAYING);

    // A fade-out started while paused waits for the pause to end.
    ASSERT_EQ(wind_.stop(Studio::STOP_ALLOWFADEOUT), OK);
    Sleep(70);
    system_->update();
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_STOPPING);

    ASSERT_EQ(sfx_.setPaused(false), OK);
    Sleep(30);
    system_->update();
    EXPECT_GE(Timeline(bell_), bell_at + 25);
    EXPECT_LT(Timeline(bell_), bell_at + 60 + 25);
    Sleep(40);
    system_->update();
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_STOPPED);
}

TEST_F(BusTest, PausingTheParentPausesChildrenAndStartsInsidePauseWait) {
    ASSERT_EQ(master_.setPaused(true), OK);
    ASSERT_EQ(wind_.start(), OK);  // restarts, frozen at 0
    Sleep(30);
    system_->update();
    EXPECT_EQ(Timeline(wind_), 0);
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_PLAYING);
    ASSERT_EQ(master_.setPaused(false), OK);
    Sleep(30);
    EXPECT_GE(Timeline(wind_), 25);
}

TEST_F(BusTest, StopAllEventsStopsTheBusAndItsChildrenOnly) {
    ASSERT_EQ(sfx_.stopAllEvents(Studio::STOP_IMMEDIATE), OK);
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(State(bell_), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(State(theme_), Studio::PLAYBACK_PLAYING);

    ASSERT_EQ(wind_.start(), OK);
    ASSERT_EQ(master_.stopAllEvents(Studio::STOP_ALLOWFADEOUT), OK);
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_STOPPING);
    EXPECT_EQ(State(theme_), Studio::PLAYBACK_STOPPING);
    Sleep(120);
    system_->update();
    EXPECT_EQ(State(wind_), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(State(theme_), Studio::PLAYBACK_STOPPED);
}
