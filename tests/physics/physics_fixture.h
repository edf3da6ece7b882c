#pragma once
// A headless world for physics tests: fresh entity store, events and camera
// (498 x 280 visible, centred on the origin), and a Physics whose collision
// events are recorded in the order raised (`names`, `records`).
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "physics/physics.h"

class PhysicsWorld : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { engine::DestroyAllEntities(); }

    // Also between the runs of one test: a new Physics has an empty contact list.
    void Reset(Physics::PairSearch search = Physics::PairSearch::BroadPhase) {
        engine::DestroyAllEntities();
        physics.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
        GetCamera() = Camera();
        debug_draw::RegisterEvent();
        physics = std::make_unique<Physics>();
        physics->SetPairSearch(search);
        physics->Initialize();
        names.clear();
        records.clear();
        for (const char* name : {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"})
            events::Connect<CollisionDetection::CollisionDataObj>(name, "Recorder", [this, name](auto record) {
                names.push_back(name);
                records.push_back(record);
            });
    }

    static Json::Value Parse(const std::string& text) {
        Json::Value json;
        EXPECT_TRUE(Json::Reader().parse(text, json)) << text;
        return json;
    }
    static Json::Value Obj(std::initializer_list<std::pair<const char*, Json::Value>> members) {
        Json::Value json(Json::objectValue);
        for (const auto& [key, value] : members) json[key] = value;
        return json;
    }
    // An entity at (x, y) described in short: {"circle": r, "box": [w, h] (true:
    // a box never given data), "angle": degrees, "body": [vx, vy, restitution (1
    // when left out)], "static": true, "ghost": true (for every collider), "ray": true}.
    static engine::entity_handle Spawn(float x, float y, const char* text) { return Spawn(x, y, Parse(text)); }
    static engine::entity_handle Spawn(float x, float y, const Json::Value& s) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, 0);
        if (s["ray"].asBool()) e.AddComponent("Ray", Json::Value());  // first, so that the box is rotated
        const Json::Value& box = s["box"];
        const Json::Value& body = s["body"];
        if (s.isMember("circle"))
            e.AddComponent("CircleCollider", Obj({{"Circle Radius", s["circle"]}, {"Circle Static", s["static"]}, {"Circle Ghost", s["ghost"]}}));
        if (s.isMember("box"))
            e.AddComponent("BoxCollider", box.isArray() ? Obj({{"Box Width", box[0]}, {"Box Height", box[1]}, {"Box Angle", s["angle"]},
                                                               {"Box Static", s["static"]}, {"Box ghost", s["ghost"]}})
                                                        : Json::Value());
        if (s.isMember("body"))
            e.AddComponent("RigidBody", Obj({{"vel_x", body[0]}, {"vel_y", body[1]}, {"restitution", body.get(2, 1.0)}}));
        return e;
    }

    std::unique_ptr<Physics> physics;
    std::vector<std::string> names;
    std::vector<CollisionDetection::CollisionDataObj> records;
};
