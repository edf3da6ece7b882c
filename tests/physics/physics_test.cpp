// Physics steps: the collision events and their data, the response, ghosts, statics,
// stable contacts, integration, the candidates at the view edge, and probes.
#include "physics/physics_settings.h"
#include "physics_fixture.h"

using engine::entity_handle;

namespace {

using PhysicsStepTest = PhysicsWorld;
const std::string kStarted = "OnCollisionStarted", kPersisted = "OnCollisionPersisted", kEnded = "OnCollisionEnded";
constexpr Physics::PairSearch kSearches[] = {Physics::PairSearch::BroadPhase, Physics::PairSearch::PairLoop};
const char* kCircle = R"({"circle": 10, "body": [0, 0]})";

TEST_F(PhysicsStepTest, StartedPersistedAndEndedWithTheirData) {
    entity_handle a = Spawn(0, 0, R"({"circle": 10, "body": [0, 1]})"), b = Spawn(15, 0, R"({"circle": 10, "body": [0, 3]})");
    for (int i = 0; i < 3; ++i) physics->Update(0.0f);
    b.SetPosition(40, 0, 0);
    for (int i = 0; i < 2; ++i) physics->Update(0.0f);  // ends once
    ASSERT_EQ(names, (std::vector<std::string>{kStarted, kPersisted, kPersisted, kEnded}));
    const CollisionDetection::CollisionDataObj& d = records[2];
    EXPECT_TRUE(d.first == a && d.second == b && d.normal == glm::vec2(15, 0) && d.penetration == -5);
    EXPECT_EQ(d.relativeVelocity, glm::vec2(0, 2));  // B's minus A's; none along the normal, so no push
    EXPECT_EQ(d.contactPoint, glm::vec2(7.5f, 0));
    const CollisionDetection::CollisionDataObj& e = records[3];  // only the handles
    EXPECT_TRUE(e.first == a && e.second == b && e.penetration == 0);
    EXPECT_EQ(e.normal + e.relativeVelocity + e.contactPoint, glm::vec2(0, 0));
}

// Small scenes stepped once: the events raised, then each entity's (x, y, vx, vy).
struct Thing { glm::vec2 at; const char* what; glm::vec4 after; };
struct Scene { const char* name; float dt; bool stable; std::vector<std::string> events; std::vector<Thing> things; };

// A x [0, 10] at (5, 5) overlaps B x [8, 20] at (14, 5): normal (-1, 0), penetration 2.
const char *kA = R"({"box": [10, 10], "body": [1, 0]})", *kB = R"({"box": [12, 10], "body": [0, 0]})";
const char *kLeft = R"({"box": [10, 10], "body": [-0.25, 0]})", *kRight = R"({"box": [10, 10], "body": [0.25, 0]})";
const Scene kScenes[] = {
    {"boxes", 0, false, {kStarted}, {{{5, 5}, kA, {3, 5, 0, 0}}, {{14, 5}, kB, {16, 5, 1, 0}}}},
    {"boxes upwards, restitution 0.5", 0, false, {kStarted},
     {{{5, 5}, R"({"box": [10, 10], "body": [0, 1]})", {5, 3, 0, 0.25f}}, {{5, 14}, R"({"box": [10, 12], "body": [0, 0, 0.5]})", {5, 16, 0, 0.75f}}}},
    {"circles", 0, false, {kStarted},
     {{{0, 0}, R"({"circle": 10, "body": [0, 1]})", {0, -5, 0, -1}}, {{0, 15}, R"({"circle": 10, "body": [0, -1]})", {0, 20, 0, 1}}}},
    {"a collider without a body", 0, false, {kStarted}, {{{5, 5}, kA, {5, 5, 1, 0}}, {{14, 5}, R"({"box": [12, 10]})", {14, 5, 0, 0}}}},
    {"a ghost box", 0, false, {kStarted}, {{{5, 5}, R"({"box": [10, 10], "body": [1, 0], "ghost": true})", {5, 5, 1, 0}}, {{14, 5}, kB, {14, 5, 0, 0}}}},
    {"a ghost circle", 0, false, {kStarted}, {{{5, 5}, kA, {5, 5, 1, 0}}, {{12, 5}, R"({"circle": 3, "body": [0, 0], "ghost": true})", {12, 5, 0, 0}}}},
    // Static walls are not tested together and never move; each meets the ball
    // (from the velocities before the step), which then moves for dt 1.
    {"static boxes", 1, false, {kStarted, kStarted},
     {{{5, 5}, R"({"box": [10, 10], "body": [5, 5], "static": true})", {5, 5, 5, 5}},
      {{8, 5}, R"({"box": [10, 10], "body": [0, 0], "static": true})", {8, 5, 0, 0}},
      {{12, 5}, R"({"circle": 3, "body": [-2, 0]})", {24, 5, 7, 0}}}},
    {"a static circle", 1, false, {kStarted},
     {{{0, 0}, R"({"circle": 10, "body": [1, 0]})", {-8, 0, -3, 0}}, {{15, 0}, R"({"circle": 10, "body": [-3, 0], "static": true})", {15, 0, -3, 0}}}},
    // A's circle does not reach B: the contact the boxes started ends in the same
    // step, but the box record is still resolved, once per collider kind of A.
    {"both kinds on A", 0, false, {kStarted, kEnded},
     {{{5, 5}, R"({"box": [10, 10], "circle": 1, "body": [1, 0]})", {1, 5, -1, 0}}, {{14, 5}, kB, {16, 5, 1, 0}}}},
    {"every live body moves", 0.5f, false, {},
     {{{5000, 0}, R"({"circle": 1, "body": [3, -1]})", {5001.5f, -0.5f, 3, -1}}, {{0, 2}, R"({"body": [3, 0]})", {1.5f, 2, 3, 0}}}},
    // Radii near the float limit: finite bounds, an infinite width and overlap, which is not corrected.
    {"huge circles", 0.5f, false, {kStarted},
     {{{0, 0}, R"({"circle": 3e38, "body": [1, 0]})", {0.5f, 0, 1, 0}}, {{5, 0}, R"({"circle": 3e38, "body": [-1, 0]})", {4.5f, 0, -1, 0}}}},
    // A ball moving between two resting ones it just touches: by default both contacts use
    // the velocities from before the step; stable contacts go in turn, only while approaching.
    {"default contacts", 0, false, {kStarted, kStarted},
     {{{-20, 0}, kCircle, {-20, 0, 6, 0}}, {{0, 0}, R"({"circle": 10, "body": [6, 0]})", {0, 0, -6, 0}}, {{20, 0}, kCircle, {20, 0, 6, 0}}}},
    {"stable contacts, upwards", 0, true, {kStarted, kStarted},
     {{{0, -19}, kCircle, {0, -19, 0, 0}}, {{0, 0}, R"({"circle": 10, "body": [0, 6]})", {0, -1, 0, 0}}, {{0, 19}, kCircle, {0, 20, 0, 6}}}},
    {"slowly separating boxes", 0, false, {kStarted}, {{{0, 0}, kLeft, {-0.5f, 0, 0.25f, 0}}, {{9.5f, 0}, kRight, {10, 0, -0.25f, 0}}}},
    {"slowly separating boxes, stable", 0, true, {kStarted}, {{{0, 0}, kLeft, {0, 0, -0.25f, 0}}, {{9.5f, 0}, kRight, {9.5f, 0, 0.25f, 0}}}},
};

TEST_F(PhysicsStepTest, Scenes) {
    for (const Scene& scene : kScenes) {
        for (Physics::PairSearch search : kSearches) {
            SCOPED_TRACE(scene.name);
            Reset(search);
            GetPhysicsSettings().stableContacts = scene.stable;
            std::vector<entity_handle> e;
            for (const Thing& thing : scene.things) e.push_back(Spawn(thing.at.x, thing.at.y, thing.what));
            physics->Update(scene.dt);
            EXPECT_EQ(names, scene.events);
            for (size_t i = 0; i < e.size(); ++i) {
                const glm::vec2 v = e[i].Has<RigidBody>() ? e[i].Get<RigidBody>()->velocity : glm::vec2(0);
                EXPECT_EQ(glm::vec4(e[i].GetPosition().x, e[i].GetPosition().y, v.x, v.y), scene.things[i].after) << i;
            }
        }
    }
    GetPhysicsSettings() = PhysicsSettings();
}

TEST_F(PhysicsStepTest, CandidatesUseTheTruncatedHalvedAndEnlargedView) {
    // 501.5 x 301 visible: W 501 -> 250 -> 300 units each side; H 301 -> 150 -> 180.
    GetCamera().viewSize = {501.5f, 301.0f};
    GetCamera().position = {1000, 0, 0};
    for (float x : {1310, 1311, 690, 689}) Spawn(x, 0, R"({"circle": 10})");  // an edge on the border counts
    for (float y : {-190, -191, 190, 191}) Spawn(1000, y, R"({"box": [4, 20]})");
    Spawn(-9000, 0, R"({"ray": true, "box": [1, 1]})");  // a probe takes part from anywhere
    Spawn(1000, 0, R"({"body": [0, 0]})");               // an entity without a collider never
    physics->Update(0.0f);
    EXPECT_EQ(physics->CandidateCount(), 5u);
}

// A probe along the diagonal: boxes on it are hits, nearest first (of two at one
// distance, the later found first); one beside it, inside its unrotated extent,
// is not; nothing is raised or pushed.
TEST_F(PhysicsStepTest, ProbesRecordHitsNearestFirstAndRaiseNothing) {
    entity_handle probe = Spawn(0, 0, R"({"ray": true, "box": [40, 2], "angle": 45, "body": [0, 0]})");
    const char* small = R"({"box": [2, 2], "body": [0, 0]})";
    entity_handle far = Spawn(10, 10, small), near = Spawn(5, 5, small);
    Spawn(6, -6, small);
    Spawn(0, 30, R"({"ray": true, "circle": 10})");  // a probe circle against a circle is skipped
    Spawn(5, 30, kCircle);
    entity_handle mirror = Spawn(-5, -5, small);
    for (int step = 0; step < 2; ++step) {  // rebuilt each step, not appended to
        physics->Update(0.0f);
        EXPECT_EQ(probe.Get<Ray>()->hits, (std::vector<entity_handle>{mirror, near, far}));
    }
    EXPECT_TRUE(names.empty() && probe.Get<Ray>()->nearest == mirror);
    far.SetPosition(3, 3, 0);  // found first, so the farther ones are not recorded
    near.SetPosition(4, 4, 0);
    physics->Update(0.0f);
    probe.Get<Ray>()->AddHit(far);  // the same entity again changes nothing
    EXPECT_TRUE(probe.Get<Ray>()->hits == std::vector<entity_handle>{far} && probe.Get<Ray>()->nearest == far);
}

// Drawing refreshes a box's corners, even a static one's: what can be seen without a window.
TEST_F(PhysicsStepTest, OutlinesAreDrawnOnlyInTheEditor) {
    entity_handle e = Spawn(10, 0, R"({"box": [2, 2], "static": true})");
    e.SetPosition(0, 0, 0);
    events::Call<>("DebugDraw");
    const glm::vec2 inTheGame = e.Get<BoxCollider>()->corners[0];
    GetEngineState().mode = EngineMode::Editor;
    events::Call<>("DebugDraw");
    EXPECT_TRUE(inTheGame == glm::vec2(11, 1) && e.Get<BoxCollider>()->corners[0] == glm::vec2(1, 1));
    physics.reset();  // and it stops listening when gone
    EXPECT_FALSE(events::Disconnect("DebugDraw", "PhysicsDebugDraw"));
}

}  // namespace
