// The sprite's inspector widgets, driven as a person would.
#include "core/engine_state.h"
#include "core/level_changes.h"
#include "graphics/sprite.h"
#include "scene_fixture.h"
#include "tests/editor/gui_driver.h"

class SpriteInspectorTest : public SceneTest {
protected:
    void SetUp() override {
        WritePng("bark", 16, 16);
        WritePng("moss", 32, 8);
        GetEngineState().frameTime = 0.0f;
        editor::ClearLevelChanged();
        Draw();
    }
    void Draw() {
        gui.Frame([&] { sprite.EditInfoDisplay(); });
    }
    void Press(ImGuiID id) {
        GuiDriver::Press(id);
        Draw();
    }
    // Opens "select texture" (the folder is read now) and picks `name`.
    void Pick(const std::string& name, const std::function<void()>& beforeChoosing = [] {}) {
        Press(GuiDriver::Id(GuiDriver::kHost, {"select texture"}));
        beforeChoosing();
        Press(GuiDriver::Id(GuiDriver::Popup(GuiDriver::kHost, "select texture"), {name.c_str()}));
    }

    GuiDriver gui;
    Sprite sprite;
};

TEST_F(SpriteInspectorTest, PickingATextureSetsItAndMarksTheLevelAGoneOneShowsTheFallback) {
    Pick("moss");
    EXPECT_EQ(sprite.GetTextureName(), "moss");
    EXPECT_EQ(sprite.GetWidth(), 32u);
    EXPECT_TRUE(editor::LevelChanged());
    Pick("bark", [&] { std::filesystem::remove(PngPath("bark")); });  // gone since the list was read
    EXPECT_EQ(sprite.GetTextureName(), "bark");  // kept for saving
    EXPECT_EQ(sprite.GetWidth(), 8u);
}

TEST_F(SpriteInspectorTest, RowsAndColumnsNeverGoBelowOne) {
    const ImGuiID rows = GuiDriver::Id(GuiDriver::kHost, {"rows"});
    const ImGuiID columns = GuiDriver::Id(GuiDriver::kHost, {"columns"});
    Press(GuiDriver::In(rows, "-"));
    Press(GuiDriver::In(columns, "-"));
    EXPECT_EQ(glm::uvec2(sprite.GetRows(), sprite.GetColumns()), glm::uvec2(1, 1));
    EXPECT_TRUE(editor::LevelChanged());
}
