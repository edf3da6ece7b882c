#include <gtest/gtest.h>

#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "physics/circle_collider.h"
#include "physics/rigid_body.h"

using engine::entity_handle;

namespace {

const char* kDead = "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!";

class EntityStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        // SoundSpace listens to "LevelLoad", which the engine registers.
        if (!events::IsRegistered("LevelLoad")) events::Register<Json::Value*>("LevelLoad");
        engine::DestroyAllEntities();
    }
    void TearDown() override { engine::DestroyAllEntities(); }
};

TEST_F(EntityStoreTest, NumberingStartsAtOneAndResetsAndPositionsRoundHalvesAwayFromZero) {
    entity_handle a = engine::CreateEntity();
    entity_handle b = engine::CreateEntity();
    EXPECT_EQ(a.index, 0u);
    EXPECT_EQ(a.generation, 1u);
    EXPECT_EQ(b.index, 1u);
    EXPECT_EQ(b.generation, 2u);
    EXPECT_FALSE(entity_handle{}.IsValid());

    engine::DestroyAllEntities();
    entity_handle c = engine::CreateEntity();
    EXPECT_EQ(c.index, 0u);
    EXPECT_EQ(c.generation, 1u);
    EXPECT_TRUE(a.IsValid());  // an old handle can name an unrelated entity again

    c.SetPosition(2.5f, -2.5f, 7.25f);  // rounded: halves away from zero, z untouched
    EXPECT_EQ(c.GetRoundedPosition(), glm::vec3(3.0f, -3.0f, 7.25f));
}

TEST_F(EntityStoreTest, SlotsAreReusedLastInFirstOutAndOldHandlesDie) {
    entity_handle a = engine::CreateEntity();
    entity_handle b = engine::CreateEntity();
    engine::CreateEntity();
    a.SetName("A");
    a.SetPosition(1, 2, 3);
    engine::DestroyEntity(a);
    engine::DestroyEntity(b);
    engine::FlushDestroyedEntities();

    entity_handle first = engine::CreateEntity();
    entity_handle second = engine::CreateEntity();
    EXPECT_EQ(first.index, b.index);  // destroyed last, reused first
    EXPECT_EQ(second.index, a.index);
    EXPECT_EQ(second.GetName(), "Entity");
    EXPECT_EQ(second.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_GT(second.generation, 3u);

    EXPECT_FALSE(a.IsValid());
    try {
        a.GetName();
        FAIL();
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), kDead);
    }
}

TEST_F(EntityStoreTest, DeferredDestructionKeepsEntitiesUsableUntilTheFlush) {
    entity_handle a = engine::CreateEntity();
    entity_handle b = engine::CreateEntity();
    entity_handle c = engine::CreateEntity();
    engine::DestroyEntity(b);
    engine::DestroyEntity(b);                 // queued once
    engine::DestroyEntity(entity_handle{});  // ignored
    EXPECT_EQ(engine::GetPendingDestroy().size(), 1u);
    b.SetPosition(4, 5, 6);
    EXPECT_EQ(b.GetPosition().y, 5.0f);
    b.AddComponent("RigidBody", Json::Value());
    engine::FlushDestroyedEntities();

    EXPECT_FALSE(b.IsValid());
    ASSERT_EQ(engine::GetLiveEntities().size(), 2u);
    EXPECT_EQ(engine::GetLiveEntities()[0], a);
    EXPECT_EQ(engine::GetLiveEntities()[1], c);
    engine::DestroyEntity(b);  // dead handle, deferred: nothing
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
    EXPECT_THROW(engine::DestroyEntity(b, true), debug::exception);
}

TEST_F(EntityStoreTest, CopyFromReplacesComponentsPositionAndName) {
    entity_handle src = engine::CreateEntity();
    src.SetName("tree");
    src.SetPosition(10, 20, 0.5f);
    Json::Value body;
    body["vel_x"] = 3.5;
    body["vel_y"] = -2;
    body["restitution"] = 0.25;
    src.AddComponent("RigidBody", body);
    Json::Value circle;
    circle["Circle Radius"] = 7;
    circle["Circle Center OffsetX"] = 1.5;
    circle["Circle Ghost"] = true;
    src.AddComponent("CircleCollider", circle);
    src.AddComponent("Ray", Json::Value());
    entity_handle dst = engine::CreateEntity();
    dst.AddComponent("SoundSpace", Json::Value());
    dst.AddComponent("RigidBody", Json::Value());  // replaced, not kept
    dst.CopyFrom(src);
    EXPECT_EQ(dst.GetName(), "tree");
    EXPECT_EQ(dst.GetPosition(), glm::vec3(10, 20, 0.5f));
    EXPECT_FALSE(dst.HasComponent("SoundSpace"));
    EXPECT_TRUE(dst.HasComponent("Ray"));
    // The data came along, in components of the copy's own.
    ASSERT_TRUE(dst.HasComponent("RigidBody"));
    ASSERT_TRUE(dst.HasComponent("CircleCollider"));
    EXPECT_NE(dst.Get<RigidBody>(), src.Get<RigidBody>());
    EXPECT_EQ(dst.Get<RigidBody>()->velocity, glm::vec2(3.5f, -2));
    EXPECT_EQ(dst.Get<RigidBody>()->restitution, 0.25f);
    EXPECT_EQ(dst.Get<CircleCollider>()->radius, 7.0f);
    EXPECT_EQ(dst.Get<CircleCollider>()->centerOffset, glm::vec2(1.5f, 0));
    EXPECT_TRUE(dst.Get<CircleCollider>()->ghost);
    EXPECT_EQ(dst.Get<CircleCollider>()->owner, dst);
    // The copy serialises to the source's components exactly.
    EXPECT_EQ(dst.Serialize()["components"], src.Serialize()["components"]);
}

}  // namespace
