// The entity store: numbering and slot reuse, stale handles refused, deferred
// destruction at the end of the frame, rounded positions, and CopyFrom.
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/rigid_body.h"
#include "tests/ecs/ecs_fixture.h"

using engine::entity_handle;

namespace {

using EntityStoreTest = EcsTest;

TEST_F(EntityStoreTest, DeferredDestructionSlotReuseAndStaleHandles) {
    entity_handle a = engine::CreateEntity(), b = engine::CreateEntity(), c = engine::CreateEntity();
    EXPECT_TRUE(a.index == 0 && a.generation == 1 && b.index == 1 && b.generation == 2 && c.generation == 3);
    EXPECT_FALSE(entity_handle{}.IsValid());
    engine::DestroyEntity(a);
    engine::DestroyEntity(b);
    engine::DestroyEntity(b);                // queued once
    engine::DestroyEntity(entity_handle{});  // ignored
    EXPECT_EQ(engine::GetPendingDestroy(), (std::vector<entity_handle>{a, b}));
    a.SetName("A");  // still fully usable until the end of the frame
    a.SetPosition(1, 2, 3);
    a.AddComponent("RigidBody", Json::Value());
    engine::FlushDestroyedEntities();
    EXPECT_TRUE(!a.IsValid() && !b.IsValid() && engine::GetPendingDestroy().empty());
    EXPECT_THROW(a.GetName(), debug::exception);
    // Destroyed last, reused first; a reused slot starts afresh under a new number.
    entity_handle first = engine::CreateEntity(), second = engine::CreateEntity();
    EXPECT_TRUE(first.index == 1 && first.generation == 4 && second.index == 0 && second.generation == 5);
    EXPECT_TRUE(second.GetName() == "Entity" && second.GetPosition() == glm::vec3(0, 0, 0) && !second.HasComponent("RigidBody"));
    EXPECT_EQ(engine::GetLiveEntities(), (std::vector<entity_handle>{c, first, second}));  // in creation order
    // All at once: numbering starts again, so an old handle can name a new entity.
    engine::DestroyAllEntities();
    EXPECT_TRUE(engine::GetLiveEntities().empty());
    entity_handle again = engine::CreateEntity();
    EXPECT_TRUE(again.index == 0 && again.generation == 1 && a.IsValid());
    again.SetPosition(2.5f, -2.5f, 7.25f);
    EXPECT_EQ(again.GetRoundedPosition(), glm::vec3(3.0f, -3.0f, 7.25f));  // halves away from zero
}

TEST_F(EntityStoreTest, CopyFromReplacesComponentsPositionAndName) {
    entity_handle src = engine::CreateEntity(), dst = engine::CreateEntity();
    src.SetName("tree");
    src.SetPosition(10, 20, 0.5f);
    src.AddComponent("RigidBody", Parse(R"({"vel_x": 3.5, "vel_y": -2, "restitution": 0.25})"));
    src.AddComponent("CircleCollider", Parse(R"({"Circle Radius": 7, "Circle Center OffsetX": 1.5, "Circle Ghost": true})"));
    src.AddComponent("BoxCollider", Parse(R"({"Box Width": 2, "Box Height": 3, "Box Static": true})"));  // keeps its corners
    src.AddComponent("Ray", Json::Value());
    dst.AddComponent("SoundSpace", Json::Value());
    dst.AddComponent("RigidBody", Json::Value());  // replaced, not kept
    dst.CopyFrom(src);
    EXPECT_TRUE(dst.GetName() == "tree" && dst.GetPosition() == glm::vec3(10, 20, 0.5f));
    EXPECT_TRUE(!dst.HasComponent("SoundSpace") && dst.Get<CircleCollider>()->owner == dst);  // its own components,
    EXPECT_EQ(dst.Serialize()["components"], src.Serialize()["components"]);                  // with the same data
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dst.Get<BoxCollider>()->GetCorner(i), src.Get<BoxCollider>()->GetCorner(i));
    EXPECT_EQ(dst.Get<BoxCollider>()->GetAxis(1), glm::vec2(0, 1));
}

}  // namespace
