// Collider and body components: the box's corners, the JSON keys levels use, and
// the unrotated box that the inspector edits.
#include "core/level_changes.h"
#include "physics_fixture.h"
#include "tests/editor/gui_driver.h"

namespace {

using CollidersTest = PhysicsWorld;

TEST_F(CollidersTest, BoxCornersFollowTheEntityAndTheOffsetUnlessStatic) {
    engine::entity_handle e = Spawn(10, 10, "{}");
    e.AddComponent("BoxCollider", Parse(R"({"Box Width": -2, "Box Height": 4, "Box Center OffsetX": 1, "Box Center OffsetY": 0.5})"));
    BoxCollider* box = e.Get<BoxCollider>();
    const glm::vec2 corners[] = {{12, 12.5f}, {10, 12.5f}, {10, 8.5f}, {12, 8.5f}};  // a negative size is a length
    for (int i = 0; i < 4; ++i) EXPECT_EQ(box->GetCorner(i), corners[i]) << i;
    box->SetStatic(true);  // keeps what it last computed
    e.SetPosition(0, 0, 0);
    EXPECT_EQ(box->GetCorner(2), glm::vec2(10, 8.5f));
}

// Every key is read into its own field and written back from it.
TEST_F(CollidersTest, JsonKeysRoundTrip) {
    const std::pair<const char*, const char*> cases[] = {
        {"BoxCollider", R"({"Box Angle": 30.5, "Box Width": 3.5, "Box Height": 5.25, "Box Center OffsetX": 1.5,
                           "Box Center OffsetY": -2.5, "Box ghost": true, "Box Static": true})"},
        {"CircleCollider", R"({"Circle Center OffsetX": 1.5, "Circle Center OffsetY": 3.5, "Circle Ghost": true,
                              "Circle Static": true, "Circle Radius": 7.5})"},
        {"RigidBody", R"({"vel_x": 3.0, "vel_y": -4.5, "restitution": 0.25})"},
    };
    for (const auto& [name, text] : cases) {
        engine::entity_handle e = Spawn(0, 0, "{}");
        e.AddComponent(name, Parse(text));
        Json::Value written = e.Serialize()["components"][0];
        written.removeMember("__component_name");
        EXPECT_EQ(written, Parse(text)) << name;
    }
}

TEST_F(CollidersTest, TheInspectorShowsTheUnrotatedBox) {
    BoxCollider box;
    box.width = 6;
    box.widthVector = {3.0f, 4.0f};  // as a rotated probe has it
    GuiDriver().Frame([&] { box.EditInfoDisplay(); });
    EXPECT_TRUE(box.widthVector == glm::vec2(6, 0) && box.heightVector == glm::vec2(0, 1));
}

}  // namespace
