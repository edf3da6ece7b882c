// Collider and body components: derived box geometry, rotation on rays, JSON
// round trips and the exact key spellings levels rely on.
#include <cmath>

#include <gtest/gtest.h>

#include "ecs/entity_store.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"

using engine::entity_handle;

namespace {

class CollidersTest : public ::testing::Test {
protected:
    void SetUp() override { engine::DestroyAllEntities(); }
    void TearDown() override { engine::DestroyAllEntities(); }

    static Json::Value BoxJson(float w, float h, float angle = 0.0f) {
        Json::Value j;
        j["Box Width"] = w;
        j["Box Height"] = h;
        j["Box Angle"] = angle;
        return j;
    }
};

TEST_F(CollidersTest, BoxCornersFollowTheEntityWithTheCentreOffset) {
    entity_handle e = engine::CreateEntity();
    e.SetPosition(10, 10, 0);
    Json::Value j = BoxJson(2, 4);
    j["Box Center OffsetX"] = 1;
    e.AddComponent("BoxCollider", j);
    BoxCollider* box = e.Get<BoxCollider>();
    EXPECT_EQ(box->GetCorner(0), glm::vec2(12, 12));
    EXPECT_EQ(box->GetCorner(1), glm::vec2(10, 12));
    EXPECT_EQ(box->GetCorner(2), glm::vec2(10, 8));
    EXPECT_EQ(box->GetCorner(3), glm::vec2(12, 8));
    EXPECT_EQ(box->GetCornerCount(), 4);
    EXPECT_EQ(box->GetCenter(), glm::vec2(11, 10));

    e.SetPosition(0, 0, 5);  // a later read follows the entity
    EXPECT_EQ(box->GetCorner(0), glm::vec2(2, 2));
    ASSERT_EQ(box->GetAxisCount(), 2);
    EXPECT_EQ(box->GetAxis(0), glm::vec2(1, 0));
    EXPECT_EQ(box->GetAxis(1), glm::vec2(0, 1));
}

TEST_F(CollidersTest, NegativeSizesFromALevelBecomeLengthsAndAZeroWidthLeavesOneAxis) {
    entity_handle e = engine::CreateEntity();
    e.AddComponent("BoxCollider", BoxJson(-4, -6));
    BoxCollider* box = e.Get<BoxCollider>();
    EXPECT_EQ(box->GetWidth(), 4.0f);
    EXPECT_EQ(box->widthVector, glm::vec2(4, 0));
    EXPECT_EQ(box->GetHeight(), 6.0f);
    EXPECT_EQ(box->heightVector, glm::vec2(0, 6));

    entity_handle flat = engine::CreateEntity();
    flat.AddComponent("BoxCollider", BoxJson(0, 4));
    ASSERT_EQ(flat.Get<BoxCollider>()->GetAxisCount(), 1);
    EXPECT_EQ(flat.Get<BoxCollider>()->GetAxis(0), glm::vec2(0, 1));
}

TEST_F(CollidersTest, AngleRotatesOnlyOnARayUsingThe314Constant) {
    entity_handle plain = engine::CreateEntity();
    plain.AddComponent("BoxCollider", BoxJson(10, 2, 45));
    EXPECT_EQ(plain.Get<BoxCollider>()->widthVector, glm::vec2(10, 0));

    entity_handle probe = engine::CreateEntity();
    probe.AddComponent("Ray", Json::Value());
    probe.AddComponent("BoxCollider", BoxJson(10, 2, 45));
    BoxCollider* box = probe.Get<BoxCollider>();
    const float r = 45.0f * 3.14f / 180.0f;
    EXPECT_FLOAT_EQ(box->widthVector.x, 10 * std::cos(r));
    EXPECT_FLOAT_EQ(box->widthVector.y, 10 * std::sin(r));
    EXPECT_FLOAT_EQ(box->heightVector.x, -2 * std::sin(r));
    EXPECT_FLOAT_EQ(box->heightVector.y, 2 * std::cos(r));
    EXPECT_NE(box->widthVector.x, box->widthVector.y);  // 3.14 is not pi
    EXPECT_EQ(box->GetWidth(), 10.0f);
    EXPECT_EQ(box->GetAxisCount(), 2);  // a rotated rectangle still has two axes

    box->SetWidthVector({3, 0});  // setters rotate too
    EXPECT_FLOAT_EQ(box->widthVector.x, 3 * std::cos(r));
    EXPECT_EQ(box->GetWidth(), 3.0f);
    plain.Get<BoxCollider>()->SetHeightVector({0, 7});
    EXPECT_EQ(plain.Get<BoxCollider>()->heightVector, glm::vec2(0, 7));
}

TEST_F(CollidersTest, FreshBoxHasZeroGeometryUntilReadAndStaticKeepsIt) {
    entity_handle e = engine::CreateEntity();
    e.SetPosition(5, 5, 0);
    e.AddComponent("BoxCollider", Json::Value());
    BoxCollider* box = e.Get<BoxCollider>();
    EXPECT_EQ(box->corners[0], glm::vec2(0, 0));
    EXPECT_EQ(box->axes[0], glm::vec2(0, 0));
    EXPECT_EQ(box->width, 1.0f);
    EXPECT_EQ(box->angle, -90.0f);

    box->SetStatic(true);
    EXPECT_EQ(box->GetCorner(0), glm::vec2(0, 0));
    EXPECT_EQ(box->GetAxis(1), glm::vec2(0, 0));

    box->SetStatic(false);
    EXPECT_EQ(box->GetCorner(0), glm::vec2(5.5f, 5.5f));
    box->SetStatic(true);
    EXPECT_EQ(box->GetAxis(0), glm::vec2(0, 0));  // a corner read does not touch the axes
    box->SetStatic(false);
    box->GetAxis(0);
    box->SetStatic(true);
    e.SetPosition(100, 100, 0);  // a static box keeps what it last computed
    EXPECT_EQ(box->GetCorner(0), glm::vec2(5.5f, 5.5f));
    EXPECT_EQ(box->GetAxis(0), glm::vec2(1, 0));
}

TEST_F(CollidersTest, JsonKeysAndRoundTrip) {
    entity_handle e = engine::CreateEntity();
    Json::Value j = BoxJson(3, 5, 30);
    j["Box Center OffsetX"] = 1.5;
    j["Box Center OffsetY"] = -2;
    j["Box ghost"] = true;
    j["Box Static"] = true;
    e.AddComponent("BoxCollider", j);
    Json::Value out = e.Get<BoxCollider>()->Serialize();
    EXPECT_EQ(out.getMemberNames(),
              (std::vector<std::string>{"Box Angle", "Box Center OffsetX", "Box Center OffsetY", "Box Height",
                                        "Box Static", "Box Width", "Box ghost"}));
    EXPECT_EQ(out["Box Angle"].asDouble(), 30.0);
    EXPECT_EQ(out["Box Width"].asDouble(), 3.0);
    EXPECT_EQ(out["Box Height"].asDouble(), 5.0);
    EXPECT_EQ(out["Box Center OffsetX"].asDouble(), 1.5);
    EXPECT_EQ(out["Box Center OffsetY"].asDouble(), -2.0);
    EXPECT_TRUE(out["Box ghost"].asBool());
    EXPECT_TRUE(out["Box Static"].asBool());

    Json::Value c;
    c["Circle Radius"] = 7;
    c["Circle Ghost"] = true;
    c["Circle Center OffsetY"] = 3;
    e.AddComponent("CircleCollider", c);
    Json::Value cout = e.Get<CircleCollider>()->Serialize();
    EXPECT_EQ(cout.getMemberNames(), (std::vector<std::string>{"Circle Center OffsetX", "Circle Center OffsetY",
                                                               "Circle Ghost", "Circle Radius", "Circle Static"}));
    EXPECT_EQ(cout["Circle Radius"].asDouble(), 7.0);
    EXPECT_TRUE(cout["Circle Ghost"].asBool());
    EXPECT_FALSE(cout["Circle Static"].asBool());
    EXPECT_EQ(e.Get<CircleCollider>()->GetCenter(), glm::vec2(0, 3));

    // Missing keys read as 0 / false, not as the defaults.
    entity_handle f = engine::CreateEntity();
    f.AddComponent("CircleCollider", Json::Value(Json::objectValue));
    EXPECT_EQ(f.Get<CircleCollider>()->radius, 0.0f);
    f.AddComponent("RigidBody", Json::Value(Json::objectValue));
    EXPECT_EQ(f.Get<RigidBody>()->restitution, 0.0f);
    // So do numbers no 32-bit float holds.
    Json::Value huge;
    huge["Circle Radius"] = 1e300;
    f.AddComponent("CircleCollider", huge);
    EXPECT_EQ(f.Get<CircleCollider>()->radius, 0.0f);

    // A body without data has the defaults; its keys round trip.
    e.AddComponent("RigidBody", Json::Value());
    EXPECT_EQ(e.Get<RigidBody>()->velocity, glm::vec2(0, 0));
    EXPECT_EQ(e.Get<RigidBody>()->restitution, 1.0f);
    Json::Value body;
    body["vel_x"] = 3;
    body["vel_y"] = -4.5;
    body["restitution"] = 0.25;
    f.RemoveComponent("RigidBody");
    f.AddComponent("RigidBody", body);
    const Json::Value saved = f.Get<RigidBody>()->Serialize();
    EXPECT_EQ(saved["vel_x"].asDouble(), 3.0);
    EXPECT_EQ(saved["vel_y"].asDouble(), -4.5);
    EXPECT_EQ(saved["restitution"].asDouble(), 0.25);
}

TEST_F(CollidersTest, RayIsSavedAsNameOnlyAndComesBackWithDefaults) {
    entity_handle e = engine::CreateEntity();
    e.AddComponent("Ray", Json::Value());
    Json::Value saved = e.Serialize();
    ASSERT_EQ(saved["components"].size(), 1u);
    EXPECT_EQ(saved["components"][0].getMemberNames(), std::vector<std::string>{"__component_name"});
    EXPECT_EQ(saved["components"][0]["__component_name"].asString(), "Ray");

    entity_handle f = engine::CreateEntity();
    f.Deserialize(saved);
    EXPECT_TRUE(f.Get<Ray>()->hits.empty());
    EXPECT_EQ(f.Get<Ray>()->nearest, entity_handle());
}

// The circle and the body are copied in the entity store's CopyFrom test.
TEST_F(CollidersTest, BoxCopyTakesEveryFieldButNotTheOwner) {
    entity_handle a = engine::CreateEntity();
    a.SetPosition(4, 4, 0);
    Json::Value j = BoxJson(6, 2, 10);
    j["Box Static"] = true;
    a.AddComponent("BoxCollider", j);
    entity_handle b = engine::CreateEntity();
    b.CopyFrom(a);
    BoxCollider* box = b.Get<BoxCollider>();
    EXPECT_EQ(box->owner, b);
    EXPECT_EQ(box->corners[0], a.Get<BoxCollider>()->corners[0]);
    EXPECT_EQ(box->angle, 10.0f);
    EXPECT_TRUE(box->isStatic);
}

// Hits go nearest first; an entity farther than every entry is dropped.
TEST_F(CollidersTest, RayHitOrder) {
    entity_handle probe = engine::CreateEntity();
    probe.AddComponent("Ray", Json::Value());
    probe.AddComponent("BoxCollider", BoxJson(1, 1));
    auto at = [](float x) {
        entity_handle e = engine::CreateEntity();
        e.SetPosition(x, 0, 0);
        e.AddComponent("BoxCollider", Json::Value());
        return e;
    };
    entity_handle mid = at(5), near = at(2), far = at(9), nearer = at(1);
    Ray* ray = probe.Get<Ray>();
    ray->AddHit(mid);
    EXPECT_EQ(ray->nearest, mid);
    ray->AddHit(near);
    EXPECT_EQ(ray->nearest, near);
    ray->AddHit(far);  // farther than everything recorded: not recorded
    ray->AddHit(mid);  // equal distance to itself is skipped, nothing stops the walk
    ray->AddHit(nearer);
    EXPECT_EQ(ray->hits, (std::vector<entity_handle>{nearer, near, mid}));
    EXPECT_EQ(ray->nearest, nearer);
    ray->ClearHits();
    EXPECT_TRUE(ray->hits.empty());
    EXPECT_EQ(ray->nearest, entity_handle());
}

}  // namespace
