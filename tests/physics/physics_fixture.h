#pragma once
// A headless world for physics tests: fresh entity store, events, camera
// (498 x 280 visible, centred on the origin) and a Physics that records every
// collision event it raises.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "physics/physics.h"

struct SeenEvent {
    std::string name;
    CollisionDetection::CollisionDataObj data;
};

class PhysicsWorld : public ::testing::Test {
protected:
    void SetUp() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
        ResetEngineState();
        GetCamera() = Camera();
        debug_draw::RegisterEvent();
        physics.Initialize();
        for (const char* name : {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"}) {
            events::Connect<CollisionDetection::CollisionDataObj>(
                name, "TestRecorder", [this, name](CollisionDetection::CollisionDataObj d) { seen.push_back({name, d}); });
        }
    }
    void TearDown() override { engine::DestroyAllEntities(); }

    engine::entity_handle Circle(float x, float y, float radius, Json::Value extra = Json::Value()) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, 0);
        extra["Circle Radius"] = radius;
        e.AddComponent("CircleCollider", extra);
        return e;
    }
    engine::entity_handle Box(float x, float y, float w, float h, Json::Value extra = Json::Value()) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, 0);
        extra["Box Width"] = w;
        extra["Box Height"] = h;
        e.AddComponent("BoxCollider", extra);
        return e;
    }
    static void Body(engine::entity_handle e, float vx, float vy, float restitution = 1.0f) {
        Json::Value j;
        j["vel_x"] = vx;
        j["vel_y"] = vy;
        j["restitution"] = restitution;
        e.AddComponent("RigidBody", j);
    }
    static Json::Value Flag(const char* key) {
        Json::Value j;
        j[key] = true;
        return j;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const SeenEvent& s : seen) out.push_back(s.name);
        return out;
    }

    Physics physics;
    std::vector<SeenEvent> seen;
};
