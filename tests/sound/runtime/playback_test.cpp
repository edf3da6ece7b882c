// Instances over (held) time: timeline, ends, fades, bus pause and stop,
// distance attenuation.
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

class PlaybackTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        Init();
        WriteTone(Path("short.wav"), 0.15);
        WriteTone(Path("loop.wav"), 0.1, 2);
        LoadBank("Master.bank", R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX"], "events": [
            {"path": "event:/Short", "file": "short.wav", "fade_out": 0},
            {"path": "event:/Loop", "file": "loop.wav", "bus": "bus:/SFX", "loop": true, "min_distance": 10, "max_distance": 30},
            {"path": "event:/Stream", "file": "loop.wav", "bus": "bus:/Music", "loop": true, "stream": true}]})");
    }
};

_3D_ATTRIBUTES At(float x, float y, float z = 0) { return {{x, y, z}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1}}; }

}  // namespace

TEST_F(PlaybackTest, TimelineRunsFromStartAndNonLoopingInstancesStopAtTheirEnd) {
    Studio::EventInstance shot = Instance("event:/Short"), loop = Instance("event:/Loop"), stream = Instance("event:/Stream");
    for (auto* inst : {&shot, &loop, &stream}) ASSERT_EQ(inst->start(), OK);
    Step(149);
    EXPECT_EQ(Timeline(shot), 149);
    Step(1);  // the 150 ms file is over
    EXPECT_EQ(State(shot), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(Timeline(shot), 0);
    Step(100);
    EXPECT_EQ(State(loop), Studio::PLAYBACK_PLAYING);
    EXPECT_EQ(Timeline(stream), 250);
    ASSERT_EQ(loop.start(), OK);  // restarts from the beginning
    EXPECT_EQ(Timeline(loop), 0);
}

TEST_F(PlaybackTest, FadeOutIsLinearFromTheInstancesVolumeAndAskingAgainChangesNothing) {
    Studio::EventInstance inst = Instance("event:/Stream"), shot = Instance("event:/Short");  // fade_out 0.1 s, and 0
    ASSERT_EQ(inst.setVolume(0.5f), OK);
    ASSERT_EQ(inst.start(), OK);
    Step(30);
    ASSERT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);
    Step(40);
    EXPECT_FLOAT_EQ(Final(inst), 0.3f);
    EXPECT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);
    Step(59);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPING);
    Step(2);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);
    ASSERT_EQ(shot.start(), OK);  // no fade-out: stops at once
    ASSERT_EQ(shot.stop(Studio::STOP_ALLOWFADEOUT), OK);
    EXPECT_EQ(State(shot), Studio::PLAYBACK_STOPPED);
}

TEST_F(PlaybackTest, BusPauseFreezesTimelinesAndFadesBelowAndStopsReachOnlyTheBusesBelow) {
    Studio::Bus master, sfx;
    ASSERT_EQ(system_->getBus("bus:/", &master), OK);
    ASSERT_EQ(system_->getBus("bus:/SFX", &sfx), OK);
    Studio::EventInstance loop = Instance("event:/Loop"), stream = Instance("event:/Stream");  // on SFX, on Music
    ASSERT_EQ(loop.start(), OK);
    ASSERT_EQ(stream.start(), OK);
    Step(30);
    ASSERT_EQ(sfx.setPaused(true), OK);
    ASSERT_EQ(loop.stop(Studio::STOP_ALLOWFADEOUT), OK);
    Step(60);
    EXPECT_EQ(std::pair(Timeline(stream), Timeline(loop)), std::pair(90, 30));
    ASSERT_EQ(sfx.setPaused(false), OK);
    Step(99);
    EXPECT_EQ(State(loop), Studio::PLAYBACK_STOPPING);  // the fade waited for the pause to end
    Step(2);
    EXPECT_EQ(State(loop), Studio::PLAYBACK_STOPPED);
    ASSERT_EQ(master.setPaused(true), OK);  // a start inside a pause waits at 0
    ASSERT_EQ(loop.start(), OK);
    Step(30);
    EXPECT_EQ(std::pair(Timeline(stream), Timeline(loop)), std::pair(191, 0));
    ASSERT_EQ(sfx.stopAllEvents(Studio::STOP_IMMEDIATE), OK);
    EXPECT_EQ(std::pair(State(stream), State(loop)), std::pair(Studio::PLAYBACK_PLAYING, Studio::PLAYBACK_STOPPED));
}

TEST_F(PlaybackTest, GainFallsLinearlyFromMinToMaxDistanceOfListenerZero) {
    _3D_ATTRIBUTES listener = At(100, 50);
    ASSERT_EQ(system_->setListenerAttributes(0, &listener), OK);
    Studio::EventInstance inst = Instance("event:/Loop");  // stereo, 10 to 30
    ASSERT_EQ(inst.start(), OK);
    for (auto [at, gain] : {std::pair{listener, 1.0f}, {At(110, 50), 1}, {At(100, 70), 0.5f}, {At(100, 50, 25), 0.25f},
                            {At(130, 50), 0}, {At(NAN, 0), 0}}) {  // a NaN position is refused
        inst.set3DAttributes(&at);
        EXPECT_FLOAT_EQ(Final(inst), gain) << at.position.x << " " << at.position.y << " " << at.position.z;
    }
    // The per-instance properties replace the event's distances.
    ASSERT_EQ(inst.setProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, 20), OK);
    ASSERT_EQ(inst.setProperty(Studio::EVENT_PROPERTY_MAXIMUM_DISTANCE, 40), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.5f);
}
