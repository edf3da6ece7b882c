// The entity inspector: its type list, what its popups do, and its fields,
// driven through the GUI without a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_inspector.h"
#include "ecs/entity_store.h"
#include "core/level_changes.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/sprite.h"
#include "physics/rigid_body.h"
#include "tests/editor/gui_driver.h"

using engine::entity_handle;

namespace {

class InspectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
        events::Register<float>("LogicUpdate");
        events::Register<Json::Value*>("LevelLoad");
        engine::DestroyAllEntities();
        editor::ClearLevelChanged();
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
    }

    static std::vector<std::string> Names(const std::vector<inspector::ComponentType>& types) {
        std::vector<std::string> names;
        for (const auto& t : types) names.push_back(t.name);
        return names;
    }
    // The built-in names of a list, in the list's order.
    static std::vector<std::string> Builtins(const std::vector<inspector::ComponentType>& types) {
        std::vector<std::string> names;
        for (const auto& t : types)
            if (t.id <= 10) names.push_back(t.name);
        return names;
    }
};

const std::vector<std::string> kBuiltinsByName = {"BoxCollider", "CircleCollider", "MoonLight", "PointLight", "Ray",
                                                  "RigidBody",   "ShadowCaster",   "SoundEmitter", "SoundSpace",
                                                  "Sprite"};

}  // namespace

TEST_F(InspectorTest, TypeListIsEveryRegisteredTypeInByteOrderOfName) {
    // Upper case sorts before lower case; script types mix in by name, not id.
    const uint32_t lower = components::RegisterScriptComponent("aardvark_inspector");
    const uint32_t upper = components::RegisterScriptComponent("Zebra_inspector");
    const uint32_t early = components::RegisterScriptComponent("Anchor_inspector");

    std::vector<inspector::ComponentType> list = inspector::ComponentTypeList();
    EXPECT_EQ(list.size(), components::ListComponentTypes().size());
    for (const auto& t : list) EXPECT_EQ(components::GetName(t.id), t.name);
    std::vector<std::string> names = Names(list);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(Builtins(list), kBuiltinsByName);

    auto at = [&](uint32_t id) {
        return std::find_if(list.begin(), list.end(), [&](const auto& t) { return t.id == id; }) - list.begin();
    };
    EXPECT_LT(at(early), at(components::GetID("BoxCollider")));
    EXPECT_LT(at(components::GetID("Sprite")), at(upper));
    EXPECT_LT(at(upper), at(lower));
}

TEST_F(InspectorTest, AddingAndRemovingMovesATypeBetweenThePopupsAndMarksTheLevel) {
    entity_handle e = engine::CreateEntity();
    EXPECT_TRUE(inspector::PresentTypes(e).empty());
    EXPECT_EQ(inspector::AddableTypes(e).size(), components::ListComponentTypes().size());

    inspector::AddComponent(e, "RigidBody");
    EXPECT_TRUE(editor::LevelChanged());
    ASSERT_TRUE(e.Has<RigidBody>());
    EXPECT_EQ(e.Get<RigidBody>()->restitution, 1.0f);  // defaults, no data
    EXPECT_EQ(Names(inspector::PresentTypes(e)), std::vector<std::string>{"RigidBody"});
    std::vector<std::string> addable = Names(inspector::AddableTypes(e));
    EXPECT_EQ(std::count(addable.begin(), addable.end(), "RigidBody"), 0);
    EXPECT_EQ(addable.size(), components::ListComponentTypes().size() - 1);

    inspector::AddComponent(e, "BoxCollider");
    EXPECT_EQ(Names(inspector::PresentTypes(e)), (std::vector<std::string>{"BoxCollider", "RigidBody"}));

    editor::ClearLevelChanged();
    inspector::RemoveComponent(e, "RigidBody");
    EXPECT_TRUE(editor::LevelChanged());
    EXPECT_FALSE(e.Has<RigidBody>());
    EXPECT_EQ(Names(inspector::PresentTypes(e)), std::vector<std::string>{"BoxCollider"});

    editor::ClearLevelChanged();
    inspector::RemoveComponent(e, "RigidBody");  // nothing to remove: nothing changed
    EXPECT_FALSE(editor::LevelChanged());
}

TEST_F(InspectorTest, ADeadHandleThrowsBeforeAnythingIsDrawn) {
    entity_handle e = engine::CreateEntity();
    engine::DestroyEntity(e, true);
    GuiDriver gui;
    EXPECT_THROW(gui.Frame([&] { DrawEntityInspector(e); }), std::exception);
    ImGui::ErrorCheckEndFrameRecover(nullptr);
}

class InspectorGuiTest : public InspectorTest {
protected:
    void Draw() {
        gui.Frame([&] { DrawEntityInspector(entity); });
    }
    // Presses a widget and draws the frame in which it takes effect.
    void Press(ImGuiID id) {
        ASSERT_NE(id, 0u);
        GuiDriver::Press(id);
        Draw();
    }
    std::string EditRegion() { return GuiDriver::Child(GuiDriver::kHost, "Edit Entity"); }

    GuiDriver gui;
    entity_handle entity;
};

TEST_F(InspectorGuiTest, ThePopupsAddAndRemoveComponents) {
    entity = engine::CreateEntity();
    Draw();
    Press(GuiDriver::Id(GuiDriver::kHost, {"add"}));
    const std::string addPopup = GuiDriver::Popup(GuiDriver::kHost, "add component");
    ASSERT_TRUE(GuiDriver::IsOpen(addPopup));
    Press(GuiDriver::Id(addPopup, {"Sprite"}));
    ASSERT_TRUE(entity.Has<Sprite>());
    EXPECT_TRUE(editor::LevelChanged());
    Draw();
    EXPECT_FALSE(GuiDriver::IsOpen(addPopup));

    // The header of the new component, closed; opening it shows the sprite's widgets.
    const std::string region = EditRegion();
    Press(GuiDriver::Id(region, {"Sprite"}));
    Draw();
    editor::ClearLevelChanged();
    Press(GuiDriver::Id(region, {"Sprite", "looping"}));
    EXPECT_FALSE(entity.Get<Sprite>()->GetLooping());
    EXPECT_TRUE(editor::LevelChanged());

    Press(GuiDriver::Id(GuiDriver::kHost, {"remove"}));
    const std::string removePopup = GuiDriver::Popup(GuiDriver::kHost, "remove component");
    ASSERT_TRUE(GuiDriver::IsOpen(removePopup));
    Press(GuiDriver::Id(removePopup, {"Sprite"}));
    EXPECT_FALSE(entity.Has<Sprite>());
    EXPECT_TRUE(entity.GetBaseEntity()->components.empty());
}

TEST_F(InspectorGuiTest, NameAndPositionFieldsEditTheEntity) {
    entity = engine::CreateEntity();
    Draw();
    GuiDriver::Enter(GuiDriver::Id(GuiDriver::kHost, {"ent name"}), "Oak", [&] { Draw(); }, false);
    EXPECT_EQ(entity.GetName(), "Oak");
    EXPECT_TRUE(editor::LevelChanged());
    GuiDriver::Unfocus();

    // Each keystroke renames; clearing the field leaves an empty name.
    GuiDriver::Focus(GuiDriver::Id(GuiDriver::kHost, {"ent name"}));
    Draw();
    GuiDriver::Key(ImGuiKey_Backspace, [&] { Draw(); });
    EXPECT_EQ(entity.GetName(), "");
    GuiDriver::Unfocus();
    Draw();

    // A name longer than the field shows cut, and stays whole until edited.
    entity.SetName(std::string(200, 'n'));
    Draw();
    EXPECT_EQ(entity.GetName().size(), 200u);

    editor::ClearLevelChanged();
    entity.SetPosition(1.0f, 2.0f, 3.0f);
    GuiDriver::Enter(GuiDriver::In(GuiDriver::In(GuiDriver::Id(GuiDriver::kHost, {"ent pos"}), 1), ""), "12.5",
                     [&] { Draw(); }, false);
    EXPECT_EQ(entity.GetPosition(), glm::vec3(1.0f, 12.5f, 3.0f));
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(InspectorGuiTest, ComponentsSharingFieldLabelsAreEditedSeparately) {
    entity = engine::CreateEntity();
    entity.AddComponent("PointLight", Json::Value());
    entity.AddComponent("MoonLight", Json::Value());
    Draw();
    const std::string region = EditRegion();
    Press(GuiDriver::Id(region, {"PointLight"}));
    Press(GuiDriver::Id(region, {"MoonLight"}));
    Draw();
    // Both draw "offset"; the y field of the moon light's is edited.
    ImGuiID moonOffset = GuiDriver::Id(region, {"MoonLight", "offset"});
    GuiDriver::Enter(GuiDriver::In(GuiDriver::In(moonOffset, 1), ""), "-7.5", [&] { Draw(); }, false);
    EXPECT_EQ(entity.Get<MoonLight>()->offset, glm::vec2(0.0f, -7.5f));
    EXPECT_EQ(entity.Get<PointLight>()->offset, glm::vec2(0.0f, 0.0f));
    EXPECT_TRUE(editor::LevelChanged());
}
