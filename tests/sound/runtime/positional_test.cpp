// Attenuation against listener 0: full within the minimum distance, linear
// to silence at the maximum, per-instance overrides, stereo files included.
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

_3D_ATTRIBUTES At(float x, float y, float z = 0) {
    _3D_ATTRIBUTES a;
    a.position = {x, y, z};
    a.forward = {0, -1, 0};
    a.up = {0, 0, 1};
    return a;
}

}  // namespace

TEST_F(RuntimeTest, GainFallsLinearlyFromMinToMaxDistance) {
    Init();
    WriteTone(Path("stereo.wav"), 0.2, 2);
    LoadBank("Master.bank", R"({"events": [{"path": "event:/SFX/Fire", "file": "stereo.wav", "loop": true,
        "min_distance": 10, "max_distance": 30}]})");
    _3D_ATTRIBUTES listener = At(100, 50);
    ASSERT_EQ(system_->setListenerAttributes(0, &listener), OK);
    EXPECT_EQ(system_->setListenerAttributes(1, &listener), ERR_INVALID_PARAM);
    _3D_ATTRIBUTES back;
    ASSERT_EQ(system_->getListenerAttributes(0, &back), OK);
    EXPECT_FLOAT_EQ(back.position.x, 100);
    EXPECT_FLOAT_EQ(back.forward.y, -1);

    Studio::EventInstance inst = Instance("event:/SFX/Fire");
    ASSERT_EQ(inst.start(), OK);
    ASSERT_EQ(inst.set3DAttributes(&listener), OK);  // at the listener: undiminished
    EXPECT_FLOAT_EQ(Final(inst), 1.0f);
    _3D_ATTRIBUTES a = At(110, 50);  // exactly min distance
    ASSERT_EQ(inst.set3DAttributes(&a), OK);
    EXPECT_FLOAT_EQ(Final(inst), 1.0f);
    a = At(100, 70);  // halfway from 10 to 30
    ASSERT_EQ(inst.set3DAttributes(&a), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.5f);
    a = At(100, 50, 25);  // z counts: 25 is three quarters of the way
    ASSERT_EQ(inst.set3DAttributes(&a), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.25f);
    a = At(130, 50);
    ASSERT_EQ(inst.set3DAttributes(&a), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.0f);

    // The per-instance properties replace the event's distances.
    ASSERT_EQ(inst.setProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, 30), OK);
    ASSERT_EQ(inst.setProperty(Studio::EVENT_PROPERTY_MAXIMUM_DISTANCE, 40), OK);
    EXPECT_FLOAT_EQ(Final(inst), 1.0f);
    a = At(135, 50);
    ASSERT_EQ(inst.set3DAttributes(&a), OK);
    EXPECT_FLOAT_EQ(Final(inst), 0.5f);
    _3D_ATTRIBUTES got;
    ASSERT_EQ(inst.get3DAttributes(&got), OK);
    EXPECT_FLOAT_EQ(got.position.x, 135);
    EXPECT_EQ(inst.setProperty(Studio::EVENT_PROPERTY(7), 1), ERR_INVALID_PARAM);

    // The roll-off scale of the low-level settings leaves event curves alone.
    audio_rt::System* low = nullptr;
    ASSERT_EQ(system_->getLowLevelSystem(&low), OK);
    ASSERT_EQ(low->set3DSettings(1.0f, 1.0f, 0.1f), OK);
    system_->update();
    EXPECT_FLOAT_EQ(Final(inst), 0.5f);

    _3D_ATTRIBUTES bad = At(NAN, 0);
    EXPECT_EQ(inst.set3DAttributes(&bad), ERR_INVALID_PARAM);
    EXPECT_FLOAT_EQ(Final(inst), 0.5f);
}
