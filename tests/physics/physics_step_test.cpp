// One physics step at a time: contact bookkeeping and its events, the response,
// ghosts, statics, integration, the candidate set at the view edge, probes and
// bad input.
#include <cmath>

#include "physics_fixture.h"

using CollisionDetection::CollisionDataObj;
using engine::entity_handle;

namespace {

using PhysicsStepTest = PhysicsWorld;

TEST_F(PhysicsStepTest, StartedThenPersistedTwiceThenEndedWithOnlyTheHandles) {
    entity_handle a = Circle(0, 0, 10), b = Circle(15, 0, 10);
    for (int i = 0; i < 3; ++i) physics.Update(0.0f);
    ASSERT_EQ(Names(), (std::vector<std::string>{"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionPersisted"}));
    EXPECT_EQ(seen[0].data.first, a);
    EXPECT_EQ(seen[0].data.second, b);
    EXPECT_EQ(seen[0].data.normal, glm::vec2(15, 0));
    EXPECT_EQ(seen[0].data.penetration, -5.0f);
    EXPECT_EQ(seen[0].data.contactPoint, glm::vec2(7.5f, 0));
    EXPECT_EQ(physics.Contacts().Size(), 1u);

    b.SetPosition(40, 0, 0);
    seen.clear();
    physics.Update(0.0f);
    ASSERT_EQ(Names(), std::vector<std::string>{"OnCollisionEnded"});
    const CollisionDataObj& ended = seen[0].data;
    EXPECT_EQ(ended.first, a);
    EXPECT_EQ(ended.second, b);
    EXPECT_EQ(ended.normal, glm::vec2(0, 0));
    EXPECT_EQ(ended.relativeVelocity, glm::vec2(0, 0));
    EXPECT_EQ(ended.contactPoint, glm::vec2(0, 0));
    EXPECT_EQ(ended.penetration, 0.0f);
    EXPECT_EQ(physics.Contacts().Size(), 0u);
    seen.clear();
    physics.Update(0.0f);
    EXPECT_TRUE(seen.empty());
}

// Two overlapping boxes (x [0,10] and [8,20]) with bodies, stepped once.
TEST_F(PhysicsStepTest, BoxesArePushedApartAndExchangeVelocityWithTheSmallerRestitution) {
    auto step = [this](glm::vec2 va, glm::vec2 vb, float restitutionB) {
        engine::DestroyAllEntities();
        seen.clear();
        entity_handle a = Box(5, 5, 10, 10), b = Box(14, 5, 12, 10);
        Body(a, va.x, va.y);
        Body(b, vb.x, vb.y, restitutionB);
        physics.Update(0.0f);
        EXPECT_EQ(seen.size(), 1u);  // reported (the contact outlives the entities, see below)
        return std::pair{a, b};
    };
    auto [a, b] = step({1, 0}, {0, 0}, 1.0f);
    EXPECT_EQ(Names(), std::vector<std::string>{"OnCollisionStarted"});
    EXPECT_EQ(seen.at(0).data.relativeVelocity, glm::vec2(-1, 0));
    EXPECT_EQ(a.GetPosition(), glm::vec3(3, 5, 0));  // 2 left
    EXPECT_EQ(b.GetPosition(), glm::vec3(16, 5, 0));  // 2 right
    EXPECT_EQ(a.Get<RigidBody>()->velocity, glm::vec2(0, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(1, 0));

    std::tie(a, b) = step({1, 0}, {0, 0}, 0.5f);
    EXPECT_FLOAT_EQ(b.Get<RigidBody>()->velocity.x, 0.75f);
    EXPECT_FLOAT_EQ(a.Get<RigidBody>()->velocity.x, 0.25f);

    // Both moving the same way: nothing along the normal, so no push at all.
    std::tie(a, b) = step({0, 3}, {0, 3}, 1.0f);
    EXPECT_EQ(a.GetPosition(), glm::vec3(5, 5, 0));
    EXPECT_EQ(b.GetPosition(), glm::vec3(14, 5, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(0, 3));
}

TEST_F(PhysicsStepTest, TouchingCirclesGetNoPositionCorrection) {
    entity_handle a = Circle(0, 0, 10), b = Circle(20, 0, 10);
    Body(a, 1, 0);
    Body(b, -1, 0);
    physics.Update(0.0f);
    EXPECT_EQ(a.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_EQ(b.GetPosition(), glm::vec3(20, 0, 0));
    EXPECT_EQ(a.Get<RigidBody>()->velocity, glm::vec2(-1, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(1, 0));
}

TEST_F(PhysicsStepTest, GhostsReportButNeverMoveOrPush) {
    entity_handle ghost = Box(5, 5, 10, 10, Flag("Box ghost")), b = Box(14, 5, 12, 10);
    Body(ghost, 1, 0);
    Body(b, 0, 0);
    physics.Update(0.0f);
    EXPECT_EQ(Names(), std::vector<std::string>{"OnCollisionStarted"});
    EXPECT_EQ(ghost.GetPosition(), glm::vec3(5, 5, 0));
    EXPECT_EQ(b.GetPosition(), glm::vec3(14, 5, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(0, 0));
}

TEST_F(PhysicsStepTest, StaticsAreNeverTestedTogetherNorMovedButStillReport) {
    entity_handle wall = Box(5, 5, 10, 10, Flag("Box Static"));
    entity_handle wall2 = Box(8, 5, 10, 10, Flag("Box Static"));
    entity_handle ball = Circle(12, 5, 3);
    Body(wall, 5, 5);
    Body(wall2, 0, 0);
    Body(ball, -2, 0);
    physics.Update(1.0f);
    // wall-wall is skipped; each wall meets the ball.
    ASSERT_EQ(Names(), (std::vector<std::string>{"OnCollisionStarted", "OnCollisionStarted"}));
    EXPECT_EQ(seen[0].data.first, wall);
    EXPECT_EQ(seen[0].data.second, ball);
    EXPECT_EQ(seen[1].data.first, wall2);
    EXPECT_EQ(wall.GetPosition(), glm::vec3(5, 5, 0));  // neither response nor integration
    EXPECT_EQ(wall2.GetPosition(), glm::vec3(8, 5, 0));
    EXPECT_NE(ball.Get<RigidBody>()->velocity, glm::vec2(-2, 0));
}

TEST_F(PhysicsStepTest, IntegrationMovesEveryLiveBodyButKeepsZ) {
    entity_handle near = Circle(0, 0, 1);
    entity_handle far = Circle(5000, 0, 1);  // outside the camera area
    entity_handle bare = engine::CreateEntity();  // no collider at all
    for (entity_handle e : {near, far, bare}) {
        e.SetPosition(e.GetPosition().x, 2, 7);
        Body(e, 3, 0);
    }
    entity_handle pinned = Circle(50, 0, 1, Flag("Circle Static"));
    Body(pinned, 3, 0);
    physics.Update(0.5f);
    EXPECT_EQ(near.GetPosition(), glm::vec3(1.5f, 2, 7));
    EXPECT_EQ(far.GetPosition(), glm::vec3(5001.5f, 2, 7));
    EXPECT_EQ(bare.GetPosition(), glm::vec3(1.5f, 2, 7));
    EXPECT_EQ(pinned.GetPosition(), glm::vec3(50, 0, 0));
    EXPECT_EQ(physics.CandidateCount(), 2u);  // near and pinned
}

TEST_F(PhysicsStepTest, CandidatesUseTheTruncatedHalvedAndEnlargedView) {
    // 501.5 x 301 visible: W 501 -> 250 -> 300 units each side; H 301 -> 150 -> 180.
    GetCamera().viewSize = {501.5f, 301.0f};
    GetCamera().position = {1000, 0, 0};
    Circle(1310, 0, 10);                    // left edge exactly on the right border: counts
    Circle(1311, 0, 10);                    // just outside
    Box(1000, -190, 4, 20);                 // bottom edge -180 touches the top border
    Box(1000, -191, 4, 20);                 // outside
    Circle(1000, 0, 0);                     // a point in the middle
    entity_handle probe = Box(-9000, 0, 1, 1);  // a ray passes from anywhere
    probe.AddComponent("Ray", Json::Value());
    entity_handle mover = engine::CreateEntity();  // a body without colliders never does
    Body(mover, 0, 0);
    physics.Update(0.0f);
    EXPECT_EQ(physics.CandidateCount(), 4u);

    physics.SetPairSearch(Physics::PairSearch::PairLoop);
    physics.Update(0.0f);
    EXPECT_EQ(physics.CandidateCount(), 4u);
}

TEST_F(PhysicsStepTest, ProbesRecordHitsNearestFirstAndRaiseNothing) {
    Json::Value rayBox;
    rayBox["Box Width"] = 40;
    rayBox["Box Height"] = 2;
    rayBox["Box Angle"] = 0;
    entity_handle probe = engine::CreateEntity();
    probe.AddComponent("Ray", Json::Value());
    probe.AddComponent("BoxCollider", rayBox);  // rotated by 0: along x
    entity_handle far = Box(15, 0, 2, 2), near = Box(5, 0, 2, 2), off = Box(5, 10, 2, 2);
    Body(probe, 0, 0);
    Body(near, 0, 0);
    physics.Update(0.0f);
    Ray* ray = probe.Get<Ray>();
    EXPECT_EQ(ray->hits, (std::vector<entity_handle>{near, far}));
    EXPECT_EQ(ray->nearest, near);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(near.GetPosition(), glm::vec3(5, 0, 0));
    physics.Update(0.0f);  // rebuilt, not appended to
    EXPECT_EQ(ray->hits, (std::vector<entity_handle>{near, far}));
    (void)off;

    // Found nearest first (candidate order), the farther box is dropped by the
    // insertion rule.
    far.SetPosition(3, 0, 0);
    near.SetPosition(4, 0, 0);
    physics.Update(0.0f);
    EXPECT_EQ(ray->hits, (std::vector<entity_handle>{far}));
}

TEST_F(PhysicsStepTest, ProbeWithACircleAgainstACircleIsSkipped) {
    entity_handle probe = Circle(0, 0, 10);
    probe.AddComponent("Ray", Json::Value());
    entity_handle circle = Circle(5, 0, 10);
    entity_handle box = Box(14, 0, 4, 4);
    physics.Update(0.0f);
    ASSERT_EQ(Names(), std::vector<std::string>{"OnCollisionStarted"});  // only circle-box
    EXPECT_EQ(seen[0].data.first, circle);
    EXPECT_EQ(seen[0].data.second, box);
    EXPECT_TRUE(probe.Get<Ray>()->hits.empty());
}

TEST_F(PhysicsStepTest, BothKindsOnOneEntityShareThePairsBookkeeping) {
    // a's circle touches b's circle, but a's box does not: the box-circle test
    // that follows ends the contact the circle test just started.
    entity_handle a = Circle(0, 0, 10);
    Json::Value small;
    small["Box Width"] = 2;
    small["Box Height"] = 2;
    a.AddComponent("BoxCollider", small);
    entity_handle b = Circle(15, 0, 10);
    physics.Update(0.0f);
    EXPECT_EQ(Names(), (std::vector<std::string>{"OnCollisionStarted", "OnCollisionEnded"}));
    EXPECT_EQ(seen[1].data.first, a);
    EXPECT_EQ(seen[1].data.second, b);
}

TEST_F(PhysicsStepTest, BothKindsArePushedOncePerKind) {
    entity_handle a = Box(5, 5, 10, 10);
    Json::Value c;
    c["Circle Radius"] = 1;  // the circle is far too small to touch b
    a.AddComponent("CircleCollider", c);
    entity_handle b = Box(14, 5, 12, 10);
    Body(a, 1, 0);
    Body(b, 0, 0);
    physics.Update(0.0f);
    EXPECT_EQ(a.GetPosition(), glm::vec3(1, 5, 0));  // 2 left per kind
    EXPECT_EQ(a.Get<RigidBody>()->velocity, glm::vec2(-1, 0));
}

TEST_F(PhysicsStepTest, DestroyedEntitiesInTheContactListAreHarmless) {
    entity_handle a = Circle(0, 0, 10), b = Circle(15, 0, 10);
    Body(a, 1, 0);
    physics.Update(0.016f);
    engine::DestroyEntity(b);
    engine::FlushDestroyedEntities();
    physics.Update(0.016f);
    physics.SetPairSearch(Physics::PairSearch::PairLoop);
    physics.Update(0.016f);
    EXPECT_EQ(physics.Contacts().Size(), 1u);  // ends only when the pair is tested apart
    EXPECT_EQ(Names(), std::vector<std::string>{"OnCollisionStarted"});
    (void)a;
}

TEST_F(PhysicsStepTest, ContactsSurviveALevelChange) {
    Circle(0, 0, 10), Circle(15, 0, 10);
    physics.Update(0.0f);
    engine::DestroyAllEntities();
    // Numbering restarts: the new pair has the same ids and carries on.
    Circle(0, 0, 10), Circle(12, 0, 10);
    physics.Update(0.0f);
    EXPECT_EQ(Names(), (std::vector<std::string>{"OnCollisionStarted", "OnCollisionPersisted"}));
}

TEST_F(PhysicsStepTest, DegenerateShapesNeverProduceNaN) {
    entity_handle a = Circle(0, 0, 5), b = Circle(0, 0, 5);  // same centre
    Body(a, 1, 0);
    Body(b, -1, 2);
    entity_handle wall = Box(10, 0, 0, 20);  // zero width
    Body(wall, -3, 0);
    entity_handle flat = Box(-10, 0, -6, 0);  // negative and zero sizes
    Body(flat, 4, 0);
    entity_handle dot = Circle(-8, 0, -3);
    Body(dot, 0, 0);
    entity_handle fresh = engine::CreateEntity();  // a box with no data: zero corners and axes
    fresh.AddComponent("BoxCollider", Json::Value());
    fresh.Get<BoxCollider>()->SetStatic(true);
    Body(fresh, 0, 0);
    for (auto search : {Physics::PairSearch::BroadPhase, Physics::PairSearch::PairLoop}) {
        physics.SetPairSearch(search);
        for (int i = 0; i < 200; ++i) physics.Update(0.05f);
    }
    for (entity_handle e : engine::GetLiveEntities()) {
        const glm::vec3 p = e.GetPosition();
        const glm::vec2 v = e.Get<RigidBody>()->velocity;
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(v.x) && std::isfinite(v.y))
            << "entity " << e.generation;
    }
    for (const SeenEvent& s : seen) EXPECT_FALSE(std::isnan(s.data.penetration));
}

// Radii near the float limit: each bound is finite but the width is not.
// The grid must not be sized from it, and the contact (whose penetration is
// -infinity) must not throw the bodies to infinity.
class HugeCircles : public PhysicsWorld, public ::testing::WithParamInterface<Physics::PairSearch> {};

TEST_P(HugeCircles, NeitherBreakTheGridNorTheResponse) {
    physics.SetPairSearch(GetParam());
    entity_handle a = Circle(0, 0, 3e38f), b = Circle(5, 0, 3e38f);
    entity_handle small = Circle(100, 0, 1);  // no body: reported, never pushed
    Body(a, 1, 0);
    Body(b, -1, 0);
    for (int i = 0; i < 3; ++i) physics.Update(0.5f);
    EXPECT_EQ(Names(), (std::vector<std::string>{"OnCollisionStarted", "OnCollisionStarted", "OnCollisionStarted",
                                                 "OnCollisionPersisted", "OnCollisionPersisted", "OnCollisionPersisted",
                                                 "OnCollisionPersisted", "OnCollisionPersisted", "OnCollisionPersisted"}));
    EXPECT_EQ(a.GetPosition(), glm::vec3(1.5f, 0, 0));
    EXPECT_EQ(b.GetPosition(), glm::vec3(3.5f, 0, 0));
    EXPECT_EQ(small.GetPosition(), glm::vec3(100, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(BothSearches, HugeCircles,
                         ::testing::Values(Physics::PairSearch::BroadPhase, Physics::PairSearch::PairLoop));

TEST_F(PhysicsStepTest, OutlinesAreDrawnOnlyInTheEditor) {
    // Drawing refreshes a box's corners, even a static one; that is what is
    // observable without a window.
    entity_handle e = Box(0, 0, 2, 2, Flag("Box Static"));
    e.SetPosition(10, 0, 0);
    GetEngineState().mode = EngineMode::Game;
    events::Call<>("DebugDraw");
    EXPECT_EQ(e.Get<BoxCollider>()->corners[0], glm::vec2(1, 1));
    GetEngineState().mode = EngineMode::Editor;
    events::Call<>("DebugDraw");
    EXPECT_EQ(e.Get<BoxCollider>()->corners[0], glm::vec2(11, 1));
}

// The registry keeps no order, but a name already taken stops the
// registration there: what exists then is what came before it.
TEST_F(PhysicsStepTest, InitializeRegistersTheEventsInOrder) {
    auto thrown = [](Physics& p) {
        try {
            p.Initialize();
        } catch (const debug::exception& e) {
            return std::string(e.what());
        }
        return std::string("nothing thrown");
    };
    events::ClearRegistryForTesting();
    events::Register<>("OnCollisionStarted");
    Physics second;
    EXPECT_EQ(thrown(second), "Event Register: \"OnCollisionStarted\" already existed.");
    EXPECT_TRUE(events::IsRegistered("OnCollisionPersisted"));
    EXPECT_FALSE(events::IsRegistered("OnCollisionEnded"));

    events::ClearRegistryForTesting();
    events::Register<>("OnCollisionEnded");
    Physics third;
    EXPECT_EQ(thrown(third), "Event Register: \"OnCollisionEnded\" already existed.");
    EXPECT_TRUE(events::IsRegistered("OnCollisionPersisted"));
    EXPECT_TRUE(events::IsRegistered("OnCollisionStarted"));

    // All three come before connecting to "DebugDraw", which must exist first.
    events::ClearRegistryForTesting();
    Physics other;
    EXPECT_NE(thrown(other), "nothing thrown");
    EXPECT_TRUE(events::IsRegistered("OnCollisionPersisted"));
    EXPECT_TRUE(events::IsRegistered("OnCollisionStarted"));
    EXPECT_TRUE(events::IsRegistered("OnCollisionEnded"));
    debug_draw::RegisterEvent();
    EXPECT_EQ(thrown(other), "Event Register: \"OnCollisionPersisted\" already existed.");  // twice
}

// The running-level scene of the physics_collision integration test, stepped
// headless: a box with restitution 0 comes to rest against the left side of a
// static wall; a ghost on a parallel track passes through its wall.
TEST_F(PhysicsStepTest, BodyComesToRestAgainstAStaticWallAndAGhostPassesThrough) {
    Json::Value offset;
    offset["Box Center OffsetY"] = 4;
    entity_handle mover = Box(-40, 0, 8, 8, offset), wall = Box(0, 0, 8, 8, offset);
    wall.Get<BoxCollider>()->SetStatic(true);
    Json::Value ghostFlags = offset;
    ghostFlags["Box ghost"] = true;
    entity_handle ghost = Box(-40, 30, 8, 8, ghostFlags), ghostWall = Box(0, 30, 8, 8, offset);
    ghostWall.Get<BoxCollider>()->SetStatic(true);
    Body(mover, 20, 0, 0.0f);
    Body(wall, 0, 0);
    Body(ghost, 20, 0, 0.0f);
    Body(ghostWall, 0, 0);
    for (int i = 0; i < 300; ++i) physics.Update(1.0f / 60.0f);
    EXPECT_NEAR(mover.GetPosition().x, -8.0f, 0.01f);
    EXPECT_GT(mover.GetPosition().x, -8.0f - 0.01f);
    EXPECT_EQ(wall.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_NEAR(ghost.GetPosition().x, 60.0f, 0.01f);
    EXPECT_EQ(Names().front(), "OnCollisionStarted");
}

}  // namespace
