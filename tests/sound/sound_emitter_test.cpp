#include "ecs/member_location.h"
#include "sound/sound_emitter.h"
#include "tests/editor/gui_driver.h"
#include "tests/sound/audio_fixture.h"

using namespace audio_rt;

class SoundEmitterTest : public AudioFixture {
protected:
    // An entity at (x, y, z) with an emitter on the looping "Hum" cue.
    SoundEmitter& EmitterAt(float x, float y, float z, const std::string& cue = "Hum") {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, z);
        Json::Value json;
        json["Sound Emitter Cue"] = cue;
        e.AddComponent("SoundEmitter", json);
        return *e.Get<SoundEmitter>();
    }

    // Position, velocity, forward.y and up.z as the runtime has them, then the
    // minimum and maximum distance.
    static std::vector<float> Placed(const SoundEmitter& e) {
        _3D_ATTRIBUTES a;
        float lo = -1, hi = -1;
        EXPECT_EQ(e.instance.get3DAttributes(&a), OK);
        e.instance.getProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, &lo);
        e.instance.getProperty(Studio::EVENT_PROPERTY_MAXIMUM_DISTANCE, &hi);
        return {a.position.x, a.position.y, a.position.z, a.velocity.x, a.velocity.y, a.velocity.z, a.forward.y, a.up.z, lo, hi};
    }
};

TEST_F(SoundEmitterTest, WithinTheEnclosedDistanceItSoundsAtTheListenerBeyondItAtTheEntity) {
    AudioSystem& audio = StartWithCues();
    audio.SetListener({1, 2, 3}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1});
    SoundEmitter& near = EmitterAt(20, 0, 0);
    SoundEmitter& far = EmitterAt(35, 0, 0);
    SoundEmitter& high = EmitterAt(20, 0, 27);  // 20 in the plane, 33.6 in space
    Frame(0.016f);  // starts them
    Frame(0.016f);  // places them
    EXPECT_EQ(Placed(near), (std::vector<float>{1, 2, 3, 0, 0, 0, -1, 1, 1, 20}));  // as the listener
    EXPECT_EQ(Placed(far), (std::vector<float>{35, 0, 0, 0, 0, 0, 1, 1, 30, 40}));
    EXPECT_EQ(Placed(high), (std::vector<float>{20, 0, 27, 0, 0, 0, 1, 1, 30, 40}));
    GetCamera().SetPosition(0, 0, 27);  // the camera's z counts as well
    Frame(0.016f);
    EXPECT_EQ(Placed(high)[0], 1.0f);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundEmitterTest, AStoppedInstanceIsStartedAgainUnlessHeldAndFadesOutWithItsEntity) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0);
    Frame(0.016f);
    ASSERT_EQ(e.instance.stop(Studio::STOP_IMMEDIATE), OK);
    Frame(0.016f);
    EXPECT_TRUE(Playing(e.instance));
    e.held = true;
    ASSERT_EQ(e.instance.stop(Studio::STOP_IMMEDIATE), OK);
    Frame(0.016f);
    EXPECT_FALSE(Playing(e.instance));
    e.Start();  // also the "Play Emit" button: clears held
    EXPECT_FALSE(e.held);
    EXPECT_TRUE(Playing(e.instance));

    const Studio::EventInstance last = e.instance;
    engine::DestroyEntity(e.owner);
    engine::FlushDestroyedEntities();
    EXPECT_EQ(State(last), Studio::PLAYBACK_STOPPING);  // the event's own fade-out
    Frame(0.11f);
    EXPECT_FALSE(last.isValid());  // then released
}

TEST_F(SoundEmitterTest, AnUnknownCueStaysSilentAndAChosenOneThatIsNotLoadedHolds) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0, "Nothing");
    Frame(0.016f);
    Frame(0.016f);
    EXPECT_EQ(GetLog().size(), 2u);  // one line at each attempt
    e.ChooseCue("Gone");
    EXPECT_TRUE(e.held);
    EXPECT_EQ(e.instance.generation, 0u);
}

// A hand-edited level with a negative distance, or a fall-off that makes the
// maximum distance negative: read as 0 with one line saying where, after which
// the runtime takes the distances without complaint on every frame.
TEST_F(SoundEmitterTest, NegativeDistancesAreReadAsZeroWithOneLine) {
    struct Case {
        float distance, fallOff;
        float readDistance, readFallOff;
        const char* member;  // the member named; none when nothing is changed
    };
    const Case cases[] = {
        {-5, 10, 0, 10, "Sound Emitter Distance"},
        {-5, 3, 0, 3, "Sound Emitter Distance"},  // at 0 the fall-off alone is fine
        {30, -40, 30, 0, "Sound Emitter Fall Off Rate"},
        {30, -30, 30, -30, nullptr},  // a maximum distance of 0 is allowed
    };
    StartWithCues();
    for (const Case& c : cases) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetName("Hummer");
        e.SetPosition(100, 0, 0);  // beyond every distance: both go to the runtime
        Json::Value json;
        json["Sound Emitter Cue"] = "Hum";
        json["Sound Emitter Distance"] = c.distance;
        json["Sound Emitter Fall Off Rate"] = c.fallOff;
        ClearLog();
        SetLevelFileBeingRead("levels/forest.json");
        e.AddComponent("SoundEmitter", json);
        SetLevelFileBeingRead("");
        const SoundEmitter& emitter = *e.Get<SoundEmitter>();
        EXPECT_EQ(emitter.enclosedDistance, c.readDistance) << c.distance << " " << c.fallOff;
        EXPECT_EQ(emitter.fallOffRate, c.readFallOff) << c.distance << " " << c.fallOff;
        ASSERT_EQ(GetLog().size(), c.member ? 1u : 0u) << LogText();
        if (c.member)
            for (const std::string part : {"levels/forest.json", "\"Hummer\"", c.member})
                EXPECT_NE(GetLog().front().find(part), std::string::npos) << GetLog().front();
        ClearLog();
        for (int frame = 0; frame < 3; ++frame) Frame(0.016f);
        EXPECT_TRUE(GetLog().empty()) << LogText();
    }
}


// Typed into the inspector, a distance is held to what a level file may hold.
TEST_F(SoundEmitterTest, TheInspectorKeepsTheDistancesValid) {
    SoundEmitter emitter;
    GuiDriver gui;
    const auto frame = [&] { gui.Frame([&] { emitter.EditInfoDisplay(); }); };
    frame();
    auto type = [&](const char* field, const std::string& text) {
        GuiDriver::Focus(GuiDriver::Id(GuiDriver::kHost, {field}));
        frame();
        GuiDriver::Type(text, frame);
        GuiDriver::Key(ImGuiKey_Enter, frame);
    };
    type("Enclosed Distance", "-5");
    EXPECT_EQ(emitter.enclosedDistance, 0.0f);
    type("Enclosed Distance", "12");
    type("Fall Off Rate", "-20");
    EXPECT_EQ(emitter.fallOffRate, -12.0f);  // a maximum distance of 0
    type("Fall Off Rate", "4.5");
    EXPECT_EQ(emitter.fallOffRate, 4.5f);
}
