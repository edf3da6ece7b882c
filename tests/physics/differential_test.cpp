// The broad-phase search must behave exactly like the plain pair loop. Both
// run the same random scenes (circles, boxes, both, probes, statics, ghosts,
// degenerate sizes, entities coming and going, colliders changing, the camera
// wandering) and must produce the same event stream and bit-identical
// positions, velocities, stored box geometry and probe hits at every step.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "physics/physics.h"
#include "physics/physics_settings.h"

using CollisionDetection::CollisionDataObj;
using engine::entity_handle;

namespace {

using Trace = std::vector<uint32_t>;

uint32_t Bits(float f) { return std::bit_cast<uint32_t>(f); }

void Put(Trace& t, glm::vec2 v) {
    t.push_back(Bits(v.x));
    t.push_back(Bits(v.y));
}

class Scene {
public:
    explicit Scene(uint32_t seed) : rng_(seed) {}

    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng_); }
    bool Chance(float p) { return Uniform(0, 1) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Sizes include zero and negative values, as a hand-edited level might.
    float Size(float hi) { return Chance(0.06f) ? 0.0f : Uniform(-0.2f * hi, hi); }

    void AddEntity() {
        entity_handle e = engine::CreateEntity();
        const auto& live = engine::GetLiveEntities();
        if (live.size() > 1 && Chance(0.05f)) {  // exactly on top of another
            glm::vec3 p = live[Pick(int(live.size()) - 1)].GetPosition();
            e.SetPosition(p.x, p.y, p.z);
        } else {
            e.SetPosition(Uniform(-420, 420), Uniform(-260, 260), Uniform(-1, 1));
        }
        const int kind = Pick(8);
        const bool ray = kind == 4 || kind == 5;
        if (ray) e.AddComponent("Ray", Json::Value());  // first, so the box is rotated
        if (kind == 0 || kind == 2 || kind == 5) {
            Json::Value c;
            c["Circle Radius"] = Size(30);
            c["Circle Static"] = Chance(0.15f);
            c["Circle Ghost"] = Chance(0.1f);
            if (Chance(0.2f)) c["Circle Center OffsetX"] = Uniform(-5, 5);
            e.AddComponent("CircleCollider", c);
        }
        if (kind == 1 || kind == 2 || kind == 4) {
            Json::Value b;
            b["Box Width"] = Size(50);
            b["Box Height"] = Size(50);
            b["Box Angle"] = Uniform(-180, 180);
            b["Box Static"] = Chance(0.15f);
            b["Box ghost"] = Chance(0.1f);
            if (Chance(0.2f)) b["Box Center OffsetY"] = Uniform(-5, 5);
            e.AddComponent("BoxCollider", b);
        }
        if (kind == 6) {  // a box that never had data: zero corners and axes
            e.AddComponent("BoxCollider", Json::Value());
            if (Chance(0.5f)) e.Get<BoxCollider>()->SetStatic(true);
        }
        if (kind != 7 || Chance(0.5f)) {
            if (Chance(0.85f)) {
                Json::Value body;
                body["vel_x"] = Uniform(-80, 80);
                body["vel_y"] = Uniform(-80, 80);
                body["restitution"] = Uniform(0, 1);
                e.AddComponent("RigidBody", body);
            }
        }
    }

    entity_handle Any() {
        const auto& live = engine::GetLiveEntities();
        return live[Pick(int(live.size()))];
    }

    // Changes made between steps, the way scripts and the editor make them.
    void Disturb() {
        Camera& camera = GetCamera();
        camera.position.x += Uniform(-6, 6);
        camera.position.y += Uniform(-4, 4);
        if (Chance(0.01f)) camera.SetScale(Uniform(0.5f, 2.0f));
        if (engine::GetLiveEntities().empty()) return;
        if (Chance(0.05f)) engine::DestroyEntity(Any());
        if (Chance(0.05f)) AddEntity();
        if (Chance(0.04f)) {
            glm::vec3 p = camera.position + glm::vec3(Uniform(-300, 300), Uniform(-170, 170), 0);
            Any().SetPosition(p.x, p.y, 0);
        }
        entity_handle e = Any();
        if (e.Has<BoxCollider>()) {
            BoxCollider* box = e.Get<BoxCollider>();
            if (Chance(0.03f)) box->SetStatic(!box->IsStatic());
            if (Chance(0.02f)) box->SetWidthVector({Uniform(-20, 20), Uniform(-20, 20)});  // no longer axis-aligned
            if (Chance(0.02f)) box->SetHeightVector({0, Uniform(0, 30)});
        }
        if (Chance(0.02f)) e.RemoveComponent("CircleCollider");
        if (Chance(0.02f) && e.Has<RigidBody>()) e.Get<RigidBody>()->velocity = {Uniform(-90, 90), Uniform(-90, 90)};
    }

private:
    std::mt19937 rng_;
};

// A fresh world for one run: no entities, only the draw event registered.
void ResetWorld() {
    engine::DestroyAllEntities();
    events::ClearRegistryForTesting();
    ResetEngineState();
    GetCamera() = Camera();
    debug_draw::RegisterEvent();
}

Trace RunScene(uint32_t seed, Physics::PairSearch search, int steps) {
    ResetWorld();
    auto physics = std::make_unique<Physics>();
    physics->SetPairSearch(search);
    physics->Initialize();

    Trace trace;
    uint32_t eventCode = 1;
    for (const char* name : {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"}) {
        const uint32_t code = eventCode++;
        events::Connect<CollisionDataObj>(name, "DifferentialRecorder", [&trace, code](CollisionDataObj d) {
            trace.insert(trace.end(), {code, d.first.index, d.first.generation, d.second.index, d.second.generation});
            Put(trace, d.normal);
            Put(trace, d.relativeVelocity);
            Put(trace, d.contactPoint);
            trace.push_back(Bits(d.penetration));
        });
    }

    Scene scene(seed);
    const int count = 40 + scene.Pick(50);
    for (int i = 0; i < count; ++i) scene.AddEntity();
    for (int step = 0; step < steps; ++step) {
        if (step % 150 == 149) {  // a level change: the contact list carries on
            engine::DestroyAllEntities();
            for (int i = 0; i < count; ++i) scene.AddEntity();
        }
        scene.Disturb();
        trace.push_back(0xFFFF0000u | uint32_t(step));
        physics->Update(1.0f / 60.0f);
        for (const entity_handle& e : engine::GetLiveEntities()) {
            trace.push_back(e.generation);
            const glm::vec3 p = e.GetPosition();
            trace.insert(trace.end(), {Bits(p.x), Bits(p.y), Bits(p.z)});
            if (e.Has<RigidBody>()) Put(trace, e.Get<RigidBody>()->velocity);
            if (e.Has<BoxCollider>()) {
                BoxCollider* box = e.Get<BoxCollider>();
                for (int k = 0; k < 4; ++k) Put(trace, box->corners[k]);
                for (int k = 0; k < 4; ++k) Put(trace, box->axes[k]);
                trace.push_back(uint32_t(box->axisCount));
            }
            if (e.Has<Ray>())
                for (const entity_handle& h : e.Get<Ray>()->hits) trace.push_back(h.generation);
        }
        engine::FlushDestroyedEntities();
    }
    physics.reset();
    engine::DestroyAllEntities();
    return trace;
}

// Runs the scenes of seeds first..last both ways; the traces must be equal
// word for word.
void ExpectSameTraces(uint32_t first, uint32_t last) {
    for (uint32_t seed = first; seed <= last; ++seed) {
        const Trace loop = RunScene(seed, Physics::PairSearch::PairLoop, 400);
        const Trace fast = RunScene(seed, Physics::PairSearch::BroadPhase, 400);
        ASSERT_FALSE(loop.empty());
        const auto [l, f] = std::mismatch(loop.begin(), loop.end(), fast.begin(), fast.end());
        ASSERT_TRUE(l == loop.end() && f == fast.end())
            << "seed " << seed << ": traces differ at word " << (l - loop.begin()) << " of " << loop.size();
    }
}

TEST(DifferentialTest, BroadPhaseMatchesThePairLoopOnRandomScenes) { ExpectSameTraces(1, 12); }

// With the level's stable contacts on, the two searches still agree bit for
// bit (the resolution differs from the default, the pair order does not).
TEST(DifferentialTest, BroadPhaseMatchesThePairLoopWithStableContacts) {
    GetPhysicsSettings().stableContacts = true;
    ExpectSameTraces(21, 26);
    GetPhysicsSettings() = PhysicsSettings();
}

// The scenes must really exercise the bookkeeping: count what the loop sends.
TEST(DifferentialTest, ScenesProduceEveryKindOfEvent) {
    ResetWorld();
    Physics physics;
    physics.Initialize();
    int counts[3] = {0, 0, 0};
    int n = 0;
    for (const char* name : {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"}) {
        int* slot = &counts[n++];
        events::Connect<CollisionDataObj>(name, "Counter", [slot](CollisionDataObj) { ++*slot; });
    }
    Scene scene(7);
    for (int i = 0; i < 80; ++i) scene.AddEntity();
    for (int step = 0; step < 200; ++step) {
        scene.Disturb();
        physics.Update(1.0f / 60.0f);
        engine::FlushDestroyedEntities();
    }
    EXPECT_GT(counts[0], 20);
    EXPECT_GT(counts[1], 20);
    EXPECT_GT(counts[2], 10);
    engine::DestroyAllEntities();
}

}  // namespace
