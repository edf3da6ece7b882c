#include <chrono>
#include <thread>

#include "ecs/member_location.h"
#include "physics/rigid_body.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"
#include "tests/sound/audio_fixture.h"

using engine::entity_handle;
using namespace audio_rt;

namespace {

class SoundEmitterTest : public AudioFixture {
protected:
    // An entity at (x, y, z) with an emitter on the looping "Hum" cue.
    SoundEmitter& EmitterAt(float x, float y, float z, const std::string& cue = "Hum") {
        entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, z);
        Json::Value json;
        json["Sound Emitter Cue"] = cue;
        e.AddComponent("SoundEmitter", json);
        return *e.Get<SoundEmitter>();
    }

    static _3D_ATTRIBUTES Attributes(const SoundEmitter& e) {
        _3D_ATTRIBUTES at;
        EXPECT_EQ(e.instance.get3DAttributes(&at), OK);
        return at;
    }

    static float Property(const SoundEmitter& e, Studio::EVENT_PROPERTY p) {
        float v = -1.0f;
        EXPECT_EQ(e.instance.getProperty(p, &v), OK);
        return v;
    }
};

TEST_F(SoundEmitterTest, StartsByItselfAtTheFirstUpdate) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0);
    EXPECT_EQ(e.instance.generation, 0u);
    Frame(0.016f);
    ASSERT_TRUE(e.instance.isValid());
    EXPECT_EQ(State(e.instance), Studio::PLAYBACK_PLAYING);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundEmitterTest, WithinTheEnclosedDistanceItSoundsAtTheListenerBeyondItAtTheEntity) {
    AudioSystem& audio = StartWithCues();
    audio.SetListener({1, 2, 3}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1});
    SoundEmitter& near = EmitterAt(20, 0, 0);
    SoundEmitter& far = EmitterAt(35, 0, 0);
    Frame(0.016f);  // starts them
    Frame(0.016f);  // places them
    const _3D_ATTRIBUTES inside = Attributes(near);
    EXPECT_EQ(inside.position.x, 1.0f);
    EXPECT_EQ(inside.position.y, 2.0f);
    EXPECT_EQ(inside.position.z, 3.0f);
    EXPECT_EQ(inside.forward.y, -1.0f);

    // Beyond it, with the minimum and maximum distance set.
    const _3D_ATTRIBUTES at = Attributes(far);
    EXPECT_EQ(at.position.x, 35.0f);
    EXPECT_EQ(at.forward.y, 1.0f);  // the emitter's own orientation
    EXPECT_EQ(at.up.z, 1.0f);
    EXPECT_EQ(far.position, glm::vec3(35, 0, 0));
    EXPECT_EQ(Property(far, Studio::EVENT_PROPERTY_MINIMUM_DISTANCE), 30.0f);
    EXPECT_EQ(Property(far, Studio::EVENT_PROPERTY_MAXIMUM_DISTANCE), 40.0f);
}

TEST_F(SoundEmitterTest, TheEntitysZCountsInTheDistance) {
    AudioSystem& audio = StartWithCues();
    audio.SetListener({1, 2, 3}, {0, 0, 0}, {0, -1, 0}, {0, 0, 1});
    GetCamera().SetPosition(0, 0, 0);
    SoundEmitter& e = EmitterAt(20, 0, 27);  // 20 in the plane, 33.6 in space
    Frame(0.016f);
    Frame(0.016f);
    EXPECT_EQ(Attributes(e).position.x, 20.0f);
    EXPECT_EQ(Attributes(e).position.z, 27.0f);

    // The camera's z counts as well: level with the entity it is 20 away.
    GetCamera().SetPosition(0, 0, 27);
    Frame(0.016f);
    EXPECT_EQ(Attributes(e).position.x, 1.0f);
}

TEST_F(SoundEmitterTest, VelocityComesFromTheRigidBody) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(35, 0, 0);
    Json::Value body;
    body["vel_x"] = 2.0;
    body["vel_y"] = 3.0;
    e.owner.AddComponent("RigidBody", body);
    Frame(0.016f);  // Start passes it
    EXPECT_EQ(Attributes(e).velocity.x, 2.0f);
    EXPECT_EQ(Attributes(e).velocity.y, 3.0f);
    EXPECT_EQ(Attributes(e).velocity.z, 0.0f);
    Frame(0.016f);  // and so does Update beyond the enclosed distance
    EXPECT_EQ(e.velocity, glm::vec3(2, 3, 0));
    EXPECT_EQ(Attributes(e).velocity.y, 3.0f);
}

TEST_F(SoundEmitterTest, AStoppedInstanceIsStartedAgainUnlessHeld) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0);
    Frame(0.016f);
    Studio::EventInstance first = e.instance;
    ASSERT_EQ(first.stop(Studio::STOP_IMMEDIATE), OK);
    Frame(0.016f);  // the runtime reports stopped
    Frame(0.016f);  // the emitter sees it and starts afresh
    EXPECT_NE(e.instance.generation, first.generation);
    EXPECT_EQ(State(e.instance), Studio::PLAYBACK_PLAYING);

    e.held = true;
    Studio::EventInstance second = e.instance;
    ASSERT_EQ(second.stop(Studio::STOP_IMMEDIATE), OK);
    Frame(0.016f);
    Frame(0.016f);
    EXPECT_EQ(e.instance.generation, second.generation);
    EXPECT_EQ(State(e.instance), Studio::PLAYBACK_STOPPED);

    // Start (the "Play Emit" button) clears held.
    e.Start();
    EXPECT_FALSE(e.held);
    EXPECT_NE(e.instance.generation, second.generation);
}

TEST_F(SoundEmitterTest, AnUnknownCueStaysSilentAndSaysSoAtEachAttempt) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0, "Nothing");
    Frame(0.016f);
    Frame(0.016f);
    EXPECT_EQ(e.instance.generation, 0u);
    EXPECT_EQ(GetLog(), (std::deque<std::string>{"Cue \"Nothing\" Doesn't exist", "Cue \"Nothing\" Doesn't exist"}));
}

TEST_F(SoundEmitterTest, ChoosingACueThatIsNotLoadedHoldsTheEmitter) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0, "");
    e.ChooseCue("Wind");
    EXPECT_EQ(e.cueName, "Wind");
    EXPECT_FALSE(e.held);
    e.ChooseCue("Deleted");
    EXPECT_EQ(e.cueName, "Deleted");
    EXPECT_TRUE(e.held);
    EXPECT_EQ(GetLog().back(), "Error In Getting Cue for emitter");
    Frame(0.016f);
    EXPECT_EQ(e.instance.generation, 0u);
}

TEST_F(SoundEmitterTest, PlayEmitUnpausesStopsTheRestAndStarts) {
    AudioSystem& audio = StartWithCues();
    SoundCue& hum = *GetCue(audio, "Hum");
    PlayCue(audio, hum, 1.0f);
    audio.SetBusPaused("Music Bus", true);
    audio.SetBusPaused("SFX Bus", true);
    SoundEmitter& e = EmitterAt(0, 0, 0, "Wind");
    e.held = true;
    e.PlayEmit();
    Frame(0.016f);
    bool paused = true;
    ASSERT_EQ(audio.FindBus("SFX Bus").getPaused(&paused), OK);
    EXPECT_FALSE(paused);
    ASSERT_EQ(audio.FindBus("Music Bus").getPaused(&paused), OK);
    EXPECT_FALSE(paused);
    EXPECT_EQ(State(hum.instance), Studio::PLAYBACK_STOPPED);
    EXPECT_FALSE(e.held);
    EXPECT_EQ(State(e.instance), Studio::PLAYBACK_PLAYING);
}

TEST_F(SoundEmitterTest, DestroyingTheEntityStopsAndReleasesItsInstance) {
    StartWithCues();
    SoundEmitter& e = EmitterAt(0, 0, 0);
    Frame(0.016f);
    const Studio::EventInstance instance = e.instance;
    engine::DestroyEntity(e.owner);
    engine::FlushDestroyedEntities();
    // The event's own fade-out runs in real time; the handle goes stale once
    // it is over.
    for (int i = 0; i < 200 && instance.isValid(); ++i) {
        Frame(0.016f);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(instance.isValid());
}

// The level change around it (the master bus stopped, the entities replaced)
// runs for real in engine_audio_test; here: only a level holding a sound space
// puts the player's mutes back when something in between undid them.
TEST_F(SoundEmitterTest, OnlyASoundSpacePutsThePlayersMutesBackAtALevelLoad) {
    AudioSystem& audio = StartWithCues();
    audio.SetBusMute("Master Bus", true);
    MuteMusic(audio);
    entity_handle level = engine::CreateEntity();
    level.AddComponent("SoundSpace", Json::Value());
    Json::Value record;
    for (const bool withSpace : {true, false}) {
        if (!withSpace) level.RemoveComponent("SoundSpace");
        ASSERT_EQ(audio.FindBus("Master Bus").setMute(false), OK);
        ASSERT_EQ(GetCue(audio, "Title")->instance.setVolume(1.0f), OK);
        events::Call<Json::Value*>("LevelLoad", &record);
        bool muted = !withSpace;
        ASSERT_EQ(audio.FindBus("Master Bus").getMute(&muted), OK);
        EXPECT_EQ(muted, withSpace);
        EXPECT_EQ(Volume(*GetCue(audio, "Title")), withSpace ? 0.0f : 1.0f);
    }
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
        entity_handle e = engine::CreateEntity();
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

}  // namespace
