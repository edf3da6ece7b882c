// The entity inspector, driven through the GUI without a window: the name field,
// the add and remove popups and the component headers.
#include "ecs/entity_inspector.h"
#include "core/level_changes.h"
#include "graphics/sprite.h"
#include "tests/ecs/ecs_fixture.h"
#include "tests/editor/gui_driver.h"

namespace {

using InspectorTest = EcsTest;

TEST_F(InspectorTest, TheFieldsAndPopupsEditTheEntity) {
    editor::ClearLevelChanged();
    engine::entity_handle entity = engine::CreateEntity();
    GuiDriver gui;
    auto draw = [&] { gui.Frame([&] { DrawEntityInspector(entity); }); };
    auto press = [&](const std::string& window, std::initializer_list<const char*> path) {
        GuiDriver::Press(GuiDriver::Id(window, path));
        draw();
    };
    draw();
    GuiDriver::Enter(GuiDriver::Id(GuiDriver::kHost, {"ent name"}), "Oak", draw);
    EXPECT_TRUE(entity.GetName() == "Oak" && editor::LevelChanged());
    press(GuiDriver::kHost, {"add"});
    press(GuiDriver::Popup(GuiDriver::kHost, "add component"), {"Sprite"});
    EXPECT_TRUE(entity.Has<Sprite>());
    press(GuiDriver::Child(GuiDriver::kHost, "Edit Entity"), {"Sprite"});  // the header shows the sprite's own widgets
    press(GuiDriver::Child(GuiDriver::kHost, "Edit Entity"), {"Sprite", "looping"});
    EXPECT_FALSE(entity.Get<Sprite>()->GetLooping());
    press(GuiDriver::kHost, {"remove"});
    press(GuiDriver::Popup(GuiDriver::kHost, "remove component"), {"Sprite"});
    EXPECT_FALSE(entity.Has<Sprite>());
}

}  // namespace
