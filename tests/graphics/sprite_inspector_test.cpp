// The sprite's inspector widgets: the texture picker and the grid fields.
#include <gtest/gtest.h>

#include "core/engine_state.h"
#include "ecs/entity_store.h"
#include "core/level_changes.h"
#include "graphics/sprite.h"
#include "png_folder.h"
#include "tests/editor/gui_driver.h"

namespace {

class SpriteInspectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("debug", 8, 4, 1);
        folder.Write("debug_nm", 8, 4, 2);
        folder.Write("debug_sm", 8, 4, 3);
        folder.Write("bark", 16, 16);
        folder.Write("moss", 32, 8);
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
    static ImGuiID Widget(const char* label) { return GuiDriver::Id(GuiDriver::kHost, {label}); }
    // Opens "select texture" (the folder is read now) and picks `name`.
    void Pick(const std::string& name, const std::function<void()>& beforeChoosing = [] {}) {
        Press(Widget("select texture"));
        const std::string popup = GuiDriver::Popup(GuiDriver::kHost, "select texture");
        ASSERT_TRUE(GuiDriver::IsOpen(popup));
        beforeChoosing();
        Press(GuiDriver::Id(popup, {name.c_str()}));
    }
    static uint32_t Texture(const std::string& name) {
        int w = 0, h = 0;
        return LoadTexture(name, w, h);
    }

    PngFolder folder;
    GuiDriver gui;
    Sprite sprite;
};

}  // namespace

TEST_F(SpriteInspectorTest, PickingATextureSetsItAndMarksTheLevel) {
    Pick("moss");
    EXPECT_EQ(sprite.GetTextureName(), "moss");
    EXPECT_EQ(sprite.GetTexture(), Texture("moss"));
    EXPECT_EQ(sprite.GetWidth(), 32u);
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(SpriteInspectorTest, ATextureGoneSinceTheListWasReadShowsTheFallback) {
    Pick("bark", [&] { folder.Remove("bark"); });
    EXPECT_EQ(sprite.GetTextureName(), "bark");  // kept for saving
    EXPECT_EQ(sprite.GetTexture(), Texture("debug"));
    EXPECT_EQ(sprite.GetWidth(), 8u);
}

TEST_F(SpriteInspectorTest, RowsAndColumnsNeverGoBelowOne) {
    Press(GuiDriver::In(Widget("rows"), "-"));
    Press(GuiDriver::In(Widget("columns"), "-"));
    EXPECT_EQ(sprite.GetRows(), 1u);
    EXPECT_EQ(sprite.GetColumns(), 1u);
    Draw();
    Press(GuiDriver::In(Widget("columns"), "+"));
    EXPECT_EQ(sprite.GetColumns(), 2u);
    EXPECT_TRUE(editor::LevelChanged());
}
