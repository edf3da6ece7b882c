// Registry numbering, a component's life on an entity, and an entity's JSON form.
#include "tests/ecs/ecs_fixture.h"

using engine::entity_handle;

namespace {

// A component that counts its lifecycle calls.
struct Probe : BaseComponent<Probe> {
    static inline int initialized = 0, removed = 0, deserialized = 0;
    void Initialize() override { ++initialized; }
    void Remove() override { ++removed; }
    void Copy(RootComponent*) override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override { ++deserialized; }
    void EditInfoDisplay() override {}
};

using RegistryTest = EcsTest;

// In a fresh process: script types get 11 and 12, keep them, and are made for them.
TEST(RegistryFreshProcess, ScriptTypesAreNumberedFromEleven) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto numbering = [] {
        uint32_t made = 0;
        components::SetScriptComponentMaker([&made](uint32_t id, const std::string&) -> RootComponent* {
            made = id;
            return nullptr;
        });
        return components::RegisterScriptComponent("door") == 11 && components::RegisterScriptComponent("gate") == 12 &&
               components::RegisterScriptComponent("door") == 11 && components::GetName(11) == "door" &&
               components::IsRegistered("gate") && !components::IsRegistered("wall") && !components::Create("gate") && made == 12;
    };
    EXPECT_EXIT(std::exit(numbering() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(RegistryTest, AComponentIsInitializedAndRemovedOnceAndNeverDoubled) {
    if (!components::IsRegistered("Probe")) components::RegisterComponentType<Probe>("Probe");
    Probe::initialized = Probe::removed = Probe::deserialized = 0;
    entity_handle e = engine::CreateEntity();
    e.AddComponent("Probe", Json::Value());        // null data: no Deserialize
    e.AddComponent("Probe", Parse(R"({"x": 1})"));  // already has one: refused before it is made
    EXPECT_TRUE(Probe::initialized == 1 && Probe::deserialized == 0 && e.Has<Probe>());
    EXPECT_TRUE(e.RemoveComponent("Probe") && !e.RemoveComponent("Probe") && !e.HasComponent("Probe") && Probe::removed == 1);
    EXPECT_THROW(e.Get<Probe>(), debug::exception);
    e.AddComponent("Probe", Parse(R"({"x": 1})"));
    engine::DestroyEntity(e);
    engine::FlushDestroyedEntities();
    EXPECT_TRUE(Probe::deserialized == 1 && Probe::removed == 2);
}

TEST_F(RegistryTest, EntityJsonRoundTripsInTypeIdOrder) {
    entity_handle e = engine::CreateEntity(), copy = engine::CreateEntity();
    e.SetName("crate");
    e.SetPosition(1.5f, -2.5f, 3.25f);
    for (const char* name : {"BoxCollider", "SoundSpace", "RigidBody"}) e.AddComponent(name, Json::Value());
    const Json::Value json = e.Serialize();
    EXPECT_TRUE(json["pos"] == Parse(R"({"x": 1.5, "y": -2.5, "z": 3.25})") && json["name"] == "crate");
    const char* order[] = {"RigidBody", "BoxCollider", "SoundSpace"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(json["components"][i]["__component_name"], order[i]);
    copy.Deserialize(json);
    EXPECT_EQ(copy.Serialize(), json);
    EXPECT_TRUE(engine::CreateEntity().Serialize()["components"].isNull());
    // Left out or empty, the defaults; an unknown component or a bad list throws.
    copy.Deserialize(Parse(R"({"name": "", "components": null})"));
    EXPECT_TRUE(copy.GetName() == "crate" && copy.GetPosition() == glm::vec3(0, 0, 0));
    EXPECT_THROW(copy.Deserialize(Parse(R"({"components": [{"__component_name": "Dragon"}]})")), debug::exception);
    EXPECT_THROW(copy.Deserialize(Parse(R"({"components": {"__component_name": "Ray"}})")), debug::exception);
}

}  // namespace
