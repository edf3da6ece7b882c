#include <gtest/gtest.h>

#include <json/json.h>

#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"

using engine::entity_handle;

namespace {

// A component that counts its lifecycle calls, registered under a test name.
struct Probe : BaseComponent<Probe> {
    static inline int initialized = 0, removed = 0, deserialized = 0, alive = 0;
    Probe() { ++alive; }
    ~Probe() override { --alive; }
    void Initialize() override { ++initialized; }
    void Remove() override { ++removed; }
    void Copy(RootComponent*) override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override { ++deserialized; }
    void EditInfoDisplay() override {}
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no exception>";
}

class RegistryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!components::IsRegistered("Probe")) components::RegisterComponentType<Probe>("Probe");
    }
    void SetUp() override {
        // SoundSpace listens to "LevelLoad", which the engine registers.
        if (!events::IsRegistered("LevelLoad")) events::Register<Json::Value*>("LevelLoad");
        engine::DestroyAllEntities();
        Probe::initialized = Probe::removed = Probe::deserialized = 0;
    }
    void TearDown() override { engine::DestroyAllEntities(); }
};

TEST_F(RegistryTest, BuiltinTypesHoldTheirFixedIds) {
    const char* names[] = {"Sprite",         "MoonLight",   "PointLight",   "ShadowCaster", "RigidBody",
                           "CircleCollider", "BoxCollider", "SoundEmitter", "SoundSpace",   "Ray"};
    for (uint32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(components::GetID(names[i]), i + 1);
        EXPECT_EQ(components::GetName(i + 1), names[i]);
    }
    EXPECT_EQ(MessageOf([] { components::GetID("Nope"); }), "components::GetID failed to map component string!");
    EXPECT_EQ(MessageOf([] { components::Create("Nope"); }), "components::Create failed to map component string!");
    EXPECT_EQ(MessageOf([] { components::GetName(9999); }),
              "components::GetName failed to map component ID to string!");
}

// The registry is process-wide and other tests add to it, so the ids a fresh
// engine hands out are checked in a fresh process: the first script type right
// after the ten built-ins gets 11, the next 12, and a name registered again
// keeps its first id.
TEST(RegistryFreshProcess, FirstScriptTypesGetElevenAndTwelveAndKeepThem) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const uint32_t door = components::RegisterScriptComponent("script_door");
            const uint32_t gate = components::RegisterScriptComponent("script_gate");
            std::exit(door == 11 && gate == 12 && components::RegisterScriptComponent("script_door") == 11 &&
                              components::GetID("script_door") == 11 && components::GetName(12) == "script_gate"
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(RegistryTest, AddComponentLifecycleAndDuplicates) {
    entity_handle e = engine::CreateEntity();
    e.AddComponent("Probe", Json::Value());
    EXPECT_EQ(Probe::initialized, 1);
    EXPECT_EQ(Probe::deserialized, 0);  // null data: no Deserialize

    Json::Value data;
    data["x"] = 1;
    e.AddComponent("Probe", data);  // already has one: refused, nothing leaks or stays connected
    EXPECT_EQ(Probe::initialized, 1);
    EXPECT_EQ(Probe::alive, 1);

    EXPECT_TRUE(e.RemoveComponent("Probe"));
    EXPECT_EQ(Probe::removed, 1);
    EXPECT_EQ(Probe::alive, 0);
    EXPECT_FALSE(e.RemoveComponent("Probe"));
    EXPECT_EQ(MessageOf([&] { e.RemoveComponent("Unknown"); }), "components::GetID failed to map component string!");
    EXPECT_EQ(MessageOf([&] { e.Get<Probe>(); }), "entity_base.Get: component doesn't exist!");

    e.AddComponent("Probe", data);
    EXPECT_EQ(Probe::deserialized, 1);
    engine::DestroyEntity(e);
    engine::FlushDestroyedEntities();
    EXPECT_EQ(Probe::removed, 2);
    EXPECT_EQ(Probe::alive, 0);
}

TEST_F(RegistryTest, EntityJsonWritesComponentsInTypeIdOrder) {
    entity_handle e = engine::CreateEntity();
    e.AddComponent("BoxCollider", Json::Value());
    e.AddComponent("SoundSpace", Json::Value());
    e.AddComponent("RigidBody", Json::Value());
    Json::Value json = e.Serialize();
    ASSERT_EQ(json["components"].size(), 3u);
    EXPECT_EQ(json["components"][0]["__component_name"].asString(), "RigidBody");
    EXPECT_EQ(json["components"][1]["__component_name"].asString(), "BoxCollider");
    EXPECT_EQ(json["components"][2]["__component_name"].asString(), "SoundSpace");

    entity_handle bare = engine::CreateEntity();
    EXPECT_TRUE(bare.Serialize()["components"].isNull());
    EXPECT_TRUE(bare.Serialize().isMember("components"));
}

TEST_F(RegistryTest, EntityJsonReadsDefaultsAndFailsOnBadInput) {
    Json::Value json;
    Json::Reader().parse(R"({"name": "", "components": [{"__component_name": "SoundSpace"}]})", json);
    entity_handle e = engine::CreateEntity();
    e.Deserialize(json);
    EXPECT_EQ(e.GetName(), "Entity");
    EXPECT_EQ(e.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_TRUE(e.HasComponent("SoundSpace"));

    Json::Value unknown;
    Json::Reader().parse(R"({"components": [{"__component_name": "Dragon"}]})", unknown);
    EXPECT_EQ(MessageOf([&] { engine::CreateEntity().Deserialize(unknown); }),
              "components::Create failed to map component string!");

    Json::Value badPos;
    Json::Reader().parse(R"({"pos": {"x": "left"}})", badPos);
    EXPECT_EQ(MessageOf([&] { engine::CreateEntity().Deserialize(badPos); }), "Value is not convertible to float.");
}

}  // namespace
