#include <gtest/gtest.h>

#include "core/debug_exception.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"

using engine::entity_handle;

namespace {

class SoundComponentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        events::Register<float>("LogicUpdate");
        events::Register<Json::Value*>("LevelLoad");
        engine::DestroyAllEntities();
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
    }

    template <class... Args>
    static size_t Listeners(const std::string& event) {
        return dynamic_cast<events::event_listeners<Args...>*>(events::InternalGetListeners(event))->Size();
    }
};

Json::Value EmitterJson(const std::string& cue, double distance, double fallOff) {
    Json::Value json;
    json["__component_name"] = "SoundEmitter";
    json["Sound Emitter Cue"] = cue;
    json["Sound Emitter Distance"] = distance;
    json["Sound Emitter Fall Off Rate"] = fallOff;
    return json;
}

TEST_F(SoundComponentsTest, EmitterJsonRoundTripsThroughTheEntity) {
    entity_handle a = engine::CreateEntity();
    a.AddComponent("SoundEmitter", EmitterJson("Waterfall Loop", 42.5, 7.25));
    SoundEmitter* e = a.Get<SoundEmitter>();
    EXPECT_EQ(e->cueName, "Waterfall Loop");
    EXPECT_EQ(e->enclosedDistance, 42.5f);
    EXPECT_EQ(e->fallOffRate, 7.25f);

    Json::Value written = a.Serialize()["components"][0];
    EXPECT_EQ(written, EmitterJson("Waterfall Loop", 42.5, 7.25));
    EXPECT_EQ(written.getMemberNames().size(), 4u);

    entity_handle b = engine::CreateEntity();
    b.Deserialize(a.Serialize());
    EXPECT_EQ(b.Serialize(), a.Serialize());
}

TEST_F(SoundComponentsTest, EmitterKeepsDefaultsForMissingMembersAndRejectsStrings) {
    entity_handle a = engine::CreateEntity();
    Json::Value json;
    json["__component_name"] = "SoundEmitter";
    json["Sound Emitter Cue"] = "Birds";
    a.AddComponent("SoundEmitter", json);
    EXPECT_EQ(a.Get<SoundEmitter>()->enclosedDistance, 30.0f);
    EXPECT_EQ(a.Get<SoundEmitter>()->fallOffRate, 10.0f);

    entity_handle b = engine::CreateEntity();
    json["Sound Emitter Distance"] = "far";
    try {
        b.AddComponent("SoundEmitter", json);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Value is not convertible to float.");
    }
    EXPECT_FALSE(b.Has<SoundEmitter>());
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 1u);  // only a's
}

TEST_F(SoundComponentsTest, EmitterCopyTakesEveryFieldButTheOwner) {
    entity_handle a = engine::CreateEntity();
    a.AddComponent("SoundEmitter", EmitterJson("Wind", 12, 3));
    SoundEmitter* src = a.Get<SoundEmitter>();
    src->position = {1, 2, 3};
    src->velocity = {4, 5, 0};
    src->forward = {1, 0, 0};
    src->up = {0, 1, 0};
    src->held = true;
    src->instance.slot = 3;
    src->instance.generation = 7;

    entity_handle b = engine::CreateEntity();
    b.CopyFrom(a);
    SoundEmitter* dst = b.Get<SoundEmitter>();
    EXPECT_EQ(dst->owner, b);
    EXPECT_EQ(dst->cueName, "Wind");
    EXPECT_EQ(dst->enclosedDistance, 12.0f);
    EXPECT_EQ(dst->fallOffRate, 3.0f);
    EXPECT_EQ(dst->position, glm::vec3(1, 2, 3));
    EXPECT_EQ(dst->velocity, glm::vec3(4, 5, 0));
    EXPECT_EQ(dst->forward, glm::vec3(1, 0, 0));
    EXPECT_EQ(dst->up, glm::vec3(0, 1, 0));
    EXPECT_TRUE(dst->held);
    EXPECT_EQ(dst->instance.slot, 3u);  // both drive the same instance
    EXPECT_EQ(dst->instance.generation, 7u);
    src->instance = dst->instance = {};
}

TEST_F(SoundComponentsTest, EmitterListenerIsNamedForItsEntityAndRemovedWithIt) {
    entity_handle a = engine::CreateEntity();
    entity_handle b = engine::CreateEntity();
    a.AddComponent("SoundEmitter", Json::Value());
    b.AddComponent("SoundEmitter", Json::Value());
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 2u);
    EXPECT_NO_THROW(events::Call<float>("LogicUpdate", 0.016f));
    // The name is taken, so connecting it again must fail.
    EXPECT_THROW(events::Connect<float>("LogicUpdate", "UpdateEmitterPosition" + std::to_string(b.generation),
                                        [](float) {}),
                 debug::exception);

    EXPECT_TRUE(a.RemoveComponent("SoundEmitter"));
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 1u);
    engine::DestroyEntity(b);
    engine::FlushDestroyedEntities();
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 0u);
}

TEST_F(SoundComponentsTest, SoundSpacesWriteOnlyTheirNameAndShareOneLevelLoadListener) {
    entity_handle a = engine::CreateEntity();
    Json::Value in;
    in["__component_name"] = "SoundSpace";
    in["ignored"] = 5;
    a.AddComponent("SoundSpace", in);
    Json::Value expected;
    expected["__component_name"] = "SoundSpace";
    EXPECT_EQ(a.Serialize()["components"][0], expected);
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 1u);
    Json::Value record;
    EXPECT_NO_THROW(events::Call<Json::Value*>("LevelLoad", &record));

    a.RemoveComponent("SoundSpace");
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 0u);

    // Several sound spaces share one listener.
    entity_handle b = engine::CreateEntity();
    a.AddComponent("SoundSpace", Json::Value());
    b.Deserialize(a.Serialize());  // a second space, as a level with two would load
    ASSERT_TRUE(b.Has<SoundSpace>());
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 1u);
    a.RemoveComponent("SoundSpace");
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 1u);  // b still needs it
    b.RemoveComponent("SoundSpace");
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 0u);

    // A new event registry (a new engine) starts the sharing afresh.
    a.AddComponent("SoundSpace", Json::Value());
    events::ClearRegistryForTesting();
    events::Register<Json::Value*>("LevelLoad");
    b.AddComponent("SoundSpace", Json::Value());
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 1u);
    b.RemoveComponent("SoundSpace");
    EXPECT_EQ(Listeners<Json::Value*>("LevelLoad"), 0u);
    events::Register<float>("LogicUpdate");
}

}  // namespace
