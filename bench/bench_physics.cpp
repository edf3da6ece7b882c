// One physics step over a scene of moving circles and boxes, all inside the
// camera's view, with the broad phase (BM_PhysicsStep), with the plain pair loop
// (BM_PhysicsStepPairLoop, the reference behaviour), with the level option
// "stable_contacts" (BM_PhysicsStepStable) and, for scale, the same
// scene in Box2D 2.4 (no gravity, equal masses, no rotation, elastic).
//
// Density: about 18 % of the area is covered, so each body touches a few
// others. Bodies that drift out of the area are wrapped to the other side
// (inside the timed loop, for both engines; it costs a few microseconds).
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "physics/physics.h"
#include "physics/physics_settings.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;

struct BodyPlan {
    float x, y, vx, vy;
    bool circle;
    float size;  // radius, or box side
};

struct Area {
    float halfW, halfH;
};

// Zoom the camera out so that n bodies fit at the same density as 500 in the
// default 498 x 280 view; bodies fill the visible area.
Area SetUpCamera(int n) {
    Camera& camera = GetCamera();
    camera = Camera();
    camera.SetScale(std::sqrt(500.0f / float(n)));
    const glm::vec2 visible = camera.VisibleWorldSize();
    return {visible.x / 2 - 12, visible.y / 2 - 12};
}

std::vector<BodyPlan> MakeScene(int n, Area area) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> x(-area.halfW, area.halfW), y(-area.halfH, area.halfH), v(-40, 40);
    std::uniform_real_distribution<float> radius(2, 5), side(4, 10);
    std::vector<BodyPlan> plans;
    for (int i = 0; i < n; ++i) {
        bool circle = i % 2 == 0;
        plans.push_back({x(rng), y(rng), v(rng), v(rng), circle, circle ? radius(rng) : side(rng)});
    }
    return plans;
}

float Wrap(float v, float half) {
    if (v > half) return v - 2 * half;
    if (v < -half) return v + 2 * half;
    return v;
}

std::unique_ptr<Physics> BuildEngineScene(int n, Physics::PairSearch search, Area* area) {
    engine::DestroyAllEntities();
    events::ClearRegistryForTesting();
    debug_draw::RegisterEvent();
    auto physics = std::make_unique<Physics>();
    physics->SetPairSearch(search);
    physics->Initialize();
    *area = SetUpCamera(n);
    for (const BodyPlan& s : MakeScene(n, *area)) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(s.x, s.y, 0);
        Json::Value shape;
        if (s.circle) {
            shape["Circle Radius"] = s.size;
            e.AddComponent("CircleCollider", shape);
        } else {
            shape["Box Width"] = s.size;
            shape["Box Height"] = s.size;
            e.AddComponent("BoxCollider", shape);
        }
        Json::Value body;
        body["vel_x"] = s.vx;
        body["vel_y"] = s.vy;
        body["restitution"] = 1.0;
        e.AddComponent("RigidBody", body);
    }
    return physics;
}

void RunEngine(benchmark::State& state, Physics::PairSearch search) {
    Area area;
    auto physics = BuildEngineScene(int(state.range(0)), search, &area);
    for (auto _ : state) {
        physics->Update(kDt);
        for (const engine::entity_handle& e : engine::GetLiveEntities()) {
            glm::vec3& p = e.GetPosition();
            p.x = Wrap(p.x, area.halfW);
            p.y = Wrap(p.y, area.halfH);
        }
    }
    state.counters["contacts"] = double(physics->Contacts().Size());
    physics.reset();
    engine::DestroyAllEntities();
}

void BM_PhysicsStep(benchmark::State& state) { RunEngine(state, Physics::PairSearch::BroadPhase); }
// The same with the level option "stable_contacts" (each contact from current
// velocities, approaching pairs only).
void BM_PhysicsStepStable(benchmark::State& state) {
    GetPhysicsSettings().stableContacts = true;
    RunEngine(state, Physics::PairSearch::BroadPhase);
    GetPhysicsSettings() = PhysicsSettings();
}
void BM_PhysicsStepPairLoop(benchmark::State& state) { RunEngine(state, Physics::PairSearch::PairLoop); }

void BM_Box2DStep(benchmark::State& state) {
    const int n = int(state.range(0));
    const Area area = SetUpCamera(n);
    b2World world(b2Vec2(0.0f, 0.0f));
    std::vector<b2Body*> bodies;
    for (const BodyPlan& s : MakeScene(n, area)) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(s.x, s.y);
        def.linearVelocity.Set(s.vx, s.vy);
        def.fixedRotation = true;  // the engine has no rotation
        b2Body* body = world.CreateBody(&def);
        b2CircleShape circle;
        b2PolygonShape box;
        b2FixtureDef fixture;
        float areaOfShape;
        if (s.circle) {
            circle.m_radius = s.size;
            fixture.shape = &circle;
            areaOfShape = b2_pi * s.size * s.size;
        } else {
            box.SetAsBox(s.size / 2, s.size / 2);
            fixture.shape = &box;
            areaOfShape = s.size * s.size;
        }
        fixture.density = RigidBody::kMass / areaOfShape;  // every body weighs 10
        fixture.friction = 0.0f;
        fixture.restitution = 1.0f;
        body->CreateFixture(&fixture);
        bodies.push_back(body);
    }
    for (auto _ : state) {
        world.Step(kDt, 8, 3);
        for (b2Body* body : bodies) {
            const b2Vec2 p = body->GetPosition();
            const float x = Wrap(p.x, area.halfW), y = Wrap(p.y, area.halfH);
            if (x != p.x || y != p.y) body->SetTransform(b2Vec2(x, y), 0.0f);
        }
    }
    state.counters["contacts"] = double(world.GetContactCount());
}

BENCHMARK(BM_PhysicsStep)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PhysicsStepStable)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PhysicsStepPairLoop)->Arg(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Box2DStep)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    components::RegisterBuiltinComponents();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
