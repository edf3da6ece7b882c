// The tile editor: painting strokes with the brush through the two listeners,
// and the "Tiles" panel's widgets, on a level loaded from a throw-away folder.
#include <gtest/gtest.h>

#include <memory>

#include "core/camera.h"
#include "core/input.h"
#include "core/level_changes.h"
#include "editor/tile_editor.h"
#include "graphics/tile_map.h"
#include "level/level_file.h"
#include "tests/core/fake_input_source.h"
#include "tests/editor/gui_driver.h"
#include "tests/level/level_test_env.h"

namespace {

class TileEditorTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        source = new FakeInputSource();
        input = std::make_unique<Input>(source);
        GetCamera() = Camera();
        WriteLevel("meadow", R"({"tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16,
                                              "tiles": "0 "}, "entities": []})");
        LoadLevel("meadow");
        map = GetTileMap();
        editor::SetTileBrush(0);
        editor::ClearLevelChanged();
    }
    void TearDown() override {
        // A stroke left going would reach into the next test's events.
        events::Call("MouseButtonReleased", 0);
        input.reset();
        GameFolderTest::TearDown();
    }

    // Puts the cursor over a world position.
    void PointAt(float x, float y) {
        glm::vec3 screen = GetCamera().WorldToScreen(x, y, 0.0f);
        source->cursor = {screen.x, screen.y};
    }
    static void LogicUpdate() { events::Call("LogicUpdate", 1.0f / 60.0f); }

    FakeInputSource* source = nullptr;  // owned by input
    std::unique_ptr<Input> input;
    TileMap* map = nullptr;
};

}  // namespace

TEST_F(TileEditorTest, AStrokePaintsUnderTheCursorUntilTheLeftButtonIsReleased) {
    editor::SetTileBrush(1);
    PointAt(8.0f, 8.0f);  // cell (0, 0)
    editor::StartTilePainting();
    EXPECT_TRUE(editor::IsTilePainting());
    ASSERT_EQ(map->GetColumns(), 2u);
    EXPECT_EQ(map->GetTile(1, 1), 1u);
    EXPECT_TRUE(editor::LevelChanged());

    PointAt(-8.0f, 8.0f);  // cell (-1, 0), painted by the next logic update
    EXPECT_EQ(map->GetTile(0, 1), 0u);
    LogicUpdate();
    EXPECT_EQ(map->GetTile(0, 1), 1u);

    // Other buttons do not end the stroke.
    events::Call("MouseButtonReleased", 1);
    events::Call("MouseButtonReleased", 2);
    EXPECT_TRUE(editor::IsTilePainting());
    PointAt(8.0f, -8.0f);
    LogicUpdate();
    EXPECT_EQ(map->GetTile(1, 0), 1u);

    events::Call("MouseButtonReleased", 0);
    EXPECT_FALSE(editor::IsTilePainting());
    PointAt(-8.0f, -8.0f);
    LogicUpdate();
    EXPECT_EQ(map->GetTile(0, 0), 0u);

    // A new stroke connects the listeners again under the same names; a second
    // press before the release (lost by the window) goes on with it.
    editor::StartTilePainting();
    EXPECT_EQ(map->GetTile(0, 0), 1u);
    editor::StartTilePainting();
    EXPECT_TRUE(events::Disconnect("LogicUpdate", "TileEditorMouseDraggingUpdate"));
    EXPECT_TRUE(events::Disconnect("MouseButtonReleased", "TileEditorMouseButtonRelease"));
    EXPECT_FALSE(events::Disconnect("LogicUpdate", "TileEditorMouseDraggingUpdate"));
}

TEST_F(TileEditorTest, TheEmptyBrushErasesAndNeverGrowsTheMap) {
    editor::SetTileBrush(2);
    PointAt(20.0f, 20.0f);  // cell (1, 1): a 4 x 4 map
    editor::StartTilePainting();
    events::Call("MouseButtonReleased", 0);
    ASSERT_EQ(map->GetColumns(), 4u);
    ASSERT_EQ(map->GetTile(3, 3), 2u);

    editor::SetTileBrush(0);
    PointAt(200.0f, -300.0f);  // far outside the map
    editor::StartTilePainting();
    LogicUpdate();
    EXPECT_EQ(map->GetColumns(), 4u);
    EXPECT_EQ(map->GetRows(), 4u);
    PointAt(20.0f, 20.0f);
    LogicUpdate();
    EXPECT_EQ(map->GetTile(3, 3), 0u);
}

TEST_F(TileEditorTest, WithTileWidthZeroOrWithoutALevelPaintingDoesNothing) {
    map->SetTileWidth(0);
    editor::SetTileBrush(1);
    PointAt(8.0f, 8.0f);
    editor::StartTilePainting();
    LogicUpdate();
    EXPECT_EQ(map->GetColumns(), 1u);
    EXPECT_EQ(map->GetRows(), 1u);
    EXPECT_EQ(map->GetTile(0, 0), 0u);
    events::Call("MouseButtonReleased", 0);

    WriteLevel("broken", "{");
    EXPECT_ANY_THROW(LoadLevel("broken"));
    ASSERT_EQ(GetTileMap(), nullptr);
    editor::SetTileBrush(1);
    editor::StartTilePainting();
    LogicUpdate();
    GuiDriver gui;
    gui.Frame([] { editor::DrawTilesPanel(); });
}

class TilesPanelTest : public TileEditorTest {
protected:
    void Draw() {
        gui.Frame([] { editor::DrawTilesPanel(); });
    }
    void Press(ImGuiID id) {
        ASSERT_NE(id, 0u);
        GuiDriver::Press(id);
        Draw();
    }
    std::string Textures() { return GuiDriver::Child(GuiDriver::kHost, "tile textures"); }
    std::string Brushes() { return GuiDriver::Child(GuiDriver::kHost, "tile number"); }

    GuiDriver gui;
};

TEST_F(TilesPanelTest, AddTileOnAMapWithOnlyTheEmptyTileMakesTileOneDebug) {
    Draw();
    Press(GuiDriver::Id(Textures(), {"add tile"}));
    EXPECT_EQ(map->GetTileNames(), (std::vector<std::string>{"empty tile", "debug"}));
    int w = 0, h = 0;
    EXPECT_EQ(map->GetTileTextures()[1], LoadTexture("debug", w, h));
    EXPECT_TRUE(editor::LevelChanged());

    Press(GuiDriver::Id(Textures(), {"add tile"}));
    Press(GuiDriver::Id(Textures(), {"remove last tile"}));
    Press(GuiDriver::Id(Textures(), {"remove last tile"}));
    Press(GuiDriver::Id(Textures(), {"remove last tile"}));  // the empty tile stays
    EXPECT_EQ(map->GetTileNames(), std::vector<std::string>{"empty tile"});
}

TEST_F(TilesPanelTest, SelectTextureOffersThePngFilesOfTheTextureFolder) {
    WriteText(root_ / "textures" / "moss.png", "not really a picture");
    WriteText(root_ / "textures" / "notes.txt", "");
    map->SetTileTexture(2, "rock");  // tile 1 becomes "debug"
    Draw();
    // Each row's widgets live in the row's own ID scope (the tile index).
    const ImGuiID row2 = GuiDriver::In(GuiDriver::FindWindow(Textures())->ID, 2);
    Press(GuiDriver::In(row2, "rock"));
    const std::string popup = GuiDriver::Popup(Textures(), "select texture", row2);
    ASSERT_TRUE(GuiDriver::IsOpen(popup));
    Press(GuiDriver::Id(popup, {"moss"}));
    // The broken file shows the fallback picture; the name is kept for saving.
    EXPECT_EQ(map->GetTileNames(), (std::vector<std::string>{"empty tile", "debug", "moss"}));
    int w = 0, h = 0;
    EXPECT_EQ(map->GetTileTextures()[2], LoadTexture("debug", w, h));
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(TilesPanelTest, TheBrushListChoosesTheBrushByIndex) {
    map->SetTileTexture(1, "debug");
    map->SetTileTexture(2, "debug");  // two tiles of one name
    Draw();
    const ImGuiID list = GuiDriver::FindWindow(Brushes())->ID;
    Press(GuiDriver::In(GuiDriver::In(list, 2), "debug"));
    EXPECT_EQ(editor::GetTileBrush(), 2u);
    Press(GuiDriver::In(GuiDriver::In(list, 0), "empty tile"));
    EXPECT_EQ(editor::GetTileBrush(), 0u);
    EXPECT_FALSE(editor::LevelChanged());  // choosing a brush edits nothing
}

TEST_F(TilesPanelTest, TileSizeFieldsStoreAtOnce) {
    Draw();
    const ImGuiID width = GuiDriver::In(GuiDriver::Id(GuiDriver::kHost, {"tile width"}), "");
    GuiDriver::Enter(width, "24", [&] { Draw(); }, false);
    EXPECT_EQ(map->GetTileWidth(), 24u);
    EXPECT_TRUE(editor::LevelChanged());
    GuiDriver::Unfocus();

    // The step buttons of "tile height": "-" then "+" twice.
    const ImGuiID height = GuiDriver::Id(GuiDriver::kHost, {"tile height"});
    Press(GuiDriver::In(height, "-"));
    EXPECT_EQ(map->GetTileHeight(), 15u);
    Press(GuiDriver::In(height, "+"));
    Draw();
    Press(GuiDriver::In(height, "+"));
    EXPECT_EQ(map->GetTileHeight(), 17u);

    // A negative size is stored as 0, which turns painting off.
    map->SetTileHeight(0);
    Draw();
    Press(GuiDriver::In(height, "-"));
    EXPECT_EQ(map->GetTileHeight(), 0u);
}
