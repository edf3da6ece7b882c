// The OpenAL output: what it is given, and streams that run dry.
#include <AL/al.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

// The one OpenAL source that plays, in the runtime's current context.
ALuint PlayingSource() {
    for (ALuint id = 1; id < 4096; ++id) {
        ALint state = 0;
        if (alIsSource(id)) alGetSourcei(id, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) return id;
    }
    return 0;
}

}  // namespace

// OpenAL is right-handed, the runtime's callers left-handed: for the listener
// the engine sets (facing -y, up +z) world +x must land on OpenAL's right
// (forward x up), at the gain the runtime computed.
TEST_F(RuntimeTest, OpenALHearsTheRuntimesGainAndPlusXOnTheEnginesRight) {
    Init();
    WriteTone(Path("a.wav"), 0.1);
    LoadBank("Master.bank", R"({"events": [{"path": "event:/A", "file": "a.wav", "loop": true, "min_distance": 10, "max_distance": 30}]})");
    _3D_ATTRIBUTES listener{{0, 0, 0}, {}, {0, -1, 0}, {0, 0, 1}}, right{{20, 0, 0}, {}, {0, 0, 1}, {0, 1, 0}};
    ASSERT_EQ(system_->setListenerAttributes(0, &listener), OK);
    Studio::EventInstance inst = Instance("event:/A");
    ASSERT_EQ(inst.set3DAttributes(&right), OK);
    ASSERT_EQ(inst.start(), OK);
    Step(0);
    const ALuint source = PlayingSource();
    ASSERT_NE(source, 0u);
    ALfloat gain = 0, p[3], o[6];
    alGetSourcef(source, AL_GAIN, &gain);
    alGetSourcefv(source, AL_POSITION, p);
    alGetListenerfv(AL_ORIENTATION, o);
    EXPECT_FLOAT_EQ(gain, 0.5f);
    EXPECT_GT(p[0] * (o[1] * o[5] - o[2] * o[4]) + p[1] * (o[2] * o[3] - o[0] * o[5]) + p[2] * (o[0] * o[4] - o[1] * o[3]), 19.0f);
}

// A frame longer than the queued chunks (a level load, a stall) lets a
// stream's voice run dry on OpenAL's real clock; the next update must refill
// it and play it again, not keep reclaiming the chunks it has just queued.
TEST_F(RuntimeTest, AStreamThatRanDryResumesAtTheNextUpdate) {
    Init();
    WriteTone(Path("loop.wav"), 0.1, 2);
    LoadBank("Master.bank", R"({"events": [{"path": "event:/A", "file": "loop.wav", "loop": true, "stream": true}]})");
    Studio::EventInstance streamed = Instance("event:/A");
    ASSERT_EQ(streamed.start(), OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));  // more than the second of chunks queued
    auto update = std::async(std::launch::async, [this] { return system_->update(); });
    if (update.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "update never returned after a stream ran dry";
        std::_Exit(1);  // the stuck update cannot be joined
    }
    ALint queued = 0;
    alGetSourcei(PlayingSource(), AL_BUFFERS_QUEUED, &queued);
    EXPECT_EQ(queued, detail::kStreamChunks);
}
