// Event instances over real (short) time: states, timeline, fades, ends,
// looping streams, release and handle checks.
#include <chrono>
#include <cstdlib>
#include <future>

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

class InstanceTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        Init();
        WriteTone(Path("short.wav"), 0.15);
        WriteTone(Path("loop.wav"), 0.1, 2);
        LoadBank("Master.bank", R"({"buses": ["bus:/", "bus:/SFX"], "events": [
            {"path": "event:/SFX/Short", "file": "short.wav", "bus": "bus:/SFX", "fade_out": 0.08},
            {"path": "event:/SFX/Loop", "file": "loop.wav", "bus": "bus:/SFX", "loop": true},
            {"path": "event:/SFX/LoopStream", "file": "loop.wav", "loop": true, "stream": true},
            {"path": "event:/SFX/Cut", "file": "short.wav", "fade_out": 0}]})");
    }
};

}  // namespace

TEST_F(InstanceTest, StartPlaysAndTheTimelineGrowsFromZero) {
    Studio::EventInstance inst = Instance("event:/SFX/Loop");
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);  // never started
    EXPECT_EQ(Timeline(inst), 0);
    ASSERT_EQ(inst.start(), OK);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_PLAYING);
    Sleep(40);
    EXPECT_EQ(system_->update(), OK);
    int first = Timeline(inst);
    EXPECT_GE(first, 35);
    EXPECT_LT(first, 1000);
    Sleep(20);
    EXPECT_GE(Timeline(inst), first + 15);

    // start again restarts from the beginning
    ASSERT_EQ(inst.start(), OK);
    EXPECT_LT(Timeline(inst), 15);
    EXPECT_EQ(inst.stop(Studio::STOP_IMMEDIATE), OK);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);
    EXPECT_EQ(Timeline(inst), 0);
}

TEST_F(InstanceTest, ANonLoopingInstanceStopsWhenItsSoundEndsAndLoopsPlayOn) {
    Studio::EventInstance inst = Instance("event:/SFX/Short");
    Studio::EventInstance buffered = Instance("event:/SFX/Loop");
    Studio::EventInstance streamed = Instance("event:/SFX/LoopStream");
    ASSERT_EQ(inst.start(), OK);
    ASSERT_EQ(buffered.start(), OK);
    ASSERT_EQ(streamed.start(), OK);
    Sleep(60);
    system_->update();
    EXPECT_EQ(State(inst), Studio::PLAYBACK_PLAYING);
    Sleep(120);
    system_->update();
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);
    Sleep(70);
    system_->update();
    EXPECT_EQ(State(buffered), Studio::PLAYBACK_PLAYING);
    EXPECT_EQ(State(streamed), Studio::PLAYBACK_PLAYING);
    EXPECT_GE(Timeline(streamed), 240);  // more than twice the 100 ms file
}

// A frame that takes longer than the queued chunks (a level load, a stall)
// lets a stream's voice run dry and stop; the next update must refill it and
// return, not keep reclaiming the chunks it has just queued.
TEST_F(InstanceTest, AStreamThatRanDryResumesAtTheNextUpdate) {
    Studio::EventInstance streamed = Instance("event:/SFX/LoopStream");
    ASSERT_EQ(streamed.start(), OK);
    system_->update();
    Sleep(1300);  // more than the second of chunks queued
    auto update = std::async(std::launch::async, [this] { return system_->update(); });
    if (update.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "update never returned after a stream ran dry";
        std::_Exit(1);  // the stuck update cannot be joined
    }
    EXPECT_EQ(update.get(), OK);
    EXPECT_EQ(State(streamed), Studio::PLAYBACK_PLAYING);
}

TEST_F(InstanceTest, FadeOutStopReportsStoppingThenStopped) {
    Studio::EventInstance inst = Instance("event:/SFX/Loop");  // default fade_out 0.1 s
    ASSERT_EQ(inst.setVolume(0.5f), OK);
    ASSERT_EQ(inst.start(), OK);
    ASSERT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPING);
    Sleep(50);
    system_->update();
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPING);
    float halfway = Final(inst);
    EXPECT_GT(halfway, 0.0f);
    EXPECT_LT(halfway, 0.5f);  // linear fade from the instance's own volume
    EXPECT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);  // a second request does not restart the fade
    Sleep(70);
    system_->update();
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);

    // An event with no fade-out stops at once; so does STOP_IMMEDIATE while fading.
    Studio::EventInstance cut = Instance("event:/SFX/Cut");
    ASSERT_EQ(cut.start(), OK);
    EXPECT_EQ(cut.stop(Studio::STOP_ALLOWFADEOUT), OK);
    EXPECT_EQ(State(cut), Studio::PLAYBACK_STOPPED);
    ASSERT_EQ(inst.start(), OK);
    ASSERT_EQ(inst.stop(Studio::STOP_ALLOWFADEOUT), OK);
    ASSERT_EQ(inst.stop(Studio::STOP_IMMEDIATE), OK);
    EXPECT_EQ(State(inst), Studio::PLAYBACK_STOPPED);
}

TEST_F(InstanceTest, VolumeIsLinearAndChecked) {
    Studio::EventInstance inst = Instance("event:/SFX/Loop");
    float volume = -1;
    EXPECT_EQ(inst.getVolume(&volume), OK);
    EXPECT_FLOAT_EQ(volume, 1.0f);
    EXPECT_EQ(inst.setVolume(0.25f), OK);
    EXPECT_EQ(inst.getVolume(&volume), OK);
    EXPECT_FLOAT_EQ(volume, 0.25f);
    EXPECT_FLOAT_EQ(Final(inst), 0.0f);  // not playing
    ASSERT_EQ(inst.start(), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.25f);
    EXPECT_EQ(inst.setVolume(-1.0f), ERR_INVALID_PARAM);
    EXPECT_EQ(inst.getVolume(&volume), OK);
    EXPECT_FLOAT_EQ(volume, 0.25f);
}

TEST_F(InstanceTest, ReleasedInstanceGoesStaleOnceStoppedAndEmptyAndStaleHandlesAreRefusedEverywhere) {
    Studio::EventInstance idle = Instance("event:/SFX/Loop");
    EXPECT_EQ(idle.release(), OK);
    EXPECT_FALSE(idle.isValid());
    EXPECT_EQ(idle.start(), ERR_INVALID_HANDLE);

    Studio::EventInstance playing = Instance("event:/SFX/Short");
    ASSERT_EQ(playing.start(), OK);
    EXPECT_EQ(playing.release(), OK);
    EXPECT_TRUE(playing.isValid());  // still sounding
    Sleep(180);
    system_->update();
    EXPECT_FALSE(playing.isValid());
    Studio::PLAYBACK_STATE state = Studio::PLAYBACK_PLAYING;
    EXPECT_EQ(playing.getPlaybackState(&state), ERR_INVALID_HANDLE);
    EXPECT_EQ(state, Studio::PLAYBACK_STOPPED);  // reads as stopped

    // Empty handles are refused everywhere.
    Studio::EventInstance empty;
    float f = 0;
    int ms = 0;
    _3D_ATTRIBUTES attributes;
    EXPECT_EQ(empty.start(), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.stop(Studio::STOP_IMMEDIATE), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.release(), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.setVolume(1), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.getVolume(&f), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.getTimelinePosition(&ms), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.set3DAttributes(&attributes), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.get3DAttributes(&attributes), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.setProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, 1), ERR_INVALID_HANDLE);
    EXPECT_EQ(empty.getProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, &f), ERR_INVALID_HANDLE);
    Studio::EventDescription desc;
    Studio::EventInstance out;
    EXPECT_EQ(desc.createInstance(&out), ERR_INVALID_HANDLE);
    EXPECT_EQ(desc.loadSampleData(), ERR_INVALID_HANDLE);
    EXPECT_EQ(desc.getPath(nullptr, 0, nullptr), ERR_INVALID_HANDLE);
    Studio::Bus bus;
    EXPECT_EQ(bus.setMute(true), ERR_INVALID_HANDLE);
    EXPECT_EQ(bus.setPaused(true), ERR_INVALID_HANDLE);
    EXPECT_EQ(bus.setVolume(1), ERR_INVALID_HANDLE);
    EXPECT_EQ(bus.stopAllEvents(Studio::STOP_IMMEDIATE), ERR_INVALID_HANDLE);
    EXPECT_FALSE(bus.isValid());

    // A slot reused by a new instance does not revive the old handle.
    Studio::EventInstance first = Instance("event:/SFX/Loop");
    ASSERT_EQ(first.release(), OK);
    Studio::EventInstance second = Instance("event:/SFX/Loop");
    EXPECT_EQ(second.slot, first.slot);
    EXPECT_EQ(first.start(), ERR_INVALID_HANDLE);
    EXPECT_EQ(State(second), Studio::PLAYBACK_STOPPED);
}
