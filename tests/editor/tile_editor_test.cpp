// The tile editor: strokes painted with the left button while the "Tiles"
// panel is shown, and the panel's widgets.
#include "editor_fixture.h"

#include "editor/tile_editor.h"

class TileEditorTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        SetTileMap(std::make_unique<TileMap>());  // one empty cell
        map = GetTileMap();
        map->SetTileWidth(16);
        map->SetTileHeight(16);
        editor::SetShownPanel(editor::kPanelTiles);
        editor::SetTileBrush(0);
    }
    // Moves the cursor, then a logic update runs.
    void DragTo(float x, float y) {
        CursorAtWorld(x, y);
        events::Call("LogicUpdate", 1.0f / 60.0f);
    }
    void Draw() { gui.Frame([] { editor::DrawTilesPanel(); }); }
    void Choose(ImGuiID id) {
        ASSERT_NE(id, 0u);
        GuiDriver::Press(id);
        Draw();
    }
    std::string List(const char* child) { return GuiDriver::Child(GuiDriver::kHost, child); }
    TileMap* map = nullptr;
};

TEST_F(TileEditorTest, AStrokePaintsUnderTheCursorUntilTheLeftButtonIsReleased) {
    editor::SetTileBrush(1);
    CursorAtWorld(8.0f, 8.0f);
    Press(kLeftButton);  // cell (0, 0), of a map grown to 2 x 2
    ASSERT_EQ(map->GetColumns(), 2u);
    EXPECT_EQ(map->GetTile(1, 1), 1u);
    EXPECT_TRUE(editor::LevelChanged());
    DragTo(-8.0f, 8.0f);
    EXPECT_EQ(map->GetTile(0, 1), 1u);
    Release(kRightButton);  // other buttons do not end the stroke
    DragTo(8.0f, -8.0f);
    EXPECT_EQ(map->GetTile(1, 0), 1u);
    Release(kLeftButton);
    DragTo(-8.0f, -8.0f);
    EXPECT_EQ(map->GetTile(0, 0), 0u);
    EXPECT_TRUE(editor->GetSelection().empty());  // nothing picked
    EXPECT_EQ(Editor::History().size(), 1u);       // the stroke is one entry

    // A second press before the release (lost by the window) goes on with
    // the stroke, through one pair of listeners.
    Press(kLeftButton);
    Press(kLeftButton);
    EXPECT_EQ(map->GetTile(0, 0), 1u);
    EXPECT_TRUE(events::Disconnect("LogicUpdate", "TileEditorMouseDraggingUpdate"));
    EXPECT_FALSE(events::Disconnect("LogicUpdate", "TileEditorMouseDraggingUpdate"));
}

TEST_F(TileEditorTest, TheEmptyBrushErasesWithoutGrowingTheMapAndTileWidthZeroPaintsNothing) {
    editor::SetTileBrush(2);
    CursorAtWorld(20.0f, 20.0f);  // cell (1, 1): a 4 x 4 map
    Press(kLeftButton);
    ASSERT_EQ(map->GetTile(3, 3), 2u);
    editor::SetTileBrush(0);
    DragTo(200.0f, -300.0f);  // far outside the map
    DragTo(20.0f, 20.0f);
    EXPECT_EQ(map->GetTile(3, 3), 0u);
    map->SetTileWidth(0);
    editor::SetTileBrush(1);
    DragTo(100.0f, 100.0f);
    EXPECT_EQ(map->GetColumns(), 4u);
    EXPECT_EQ(map->GetRows(), 4u);

    SetTileMap(nullptr);  // without a level there is nothing to paint or show
    DragTo(8.0f, 8.0f);
    Draw();
}

TEST_F(TileEditorTest, TheTextureListAddsRemovesAndPicksPngFilesOfTheTextureFolder) {
    std::ofstream(root / "textures" / "moss.png") << "not really a picture";
    Draw();
    Choose(GuiDriver::Id(List("tile textures"), {"add tile"}));
    EXPECT_EQ(map->GetTileNames(), (std::vector<std::string>{"empty tile", "debug"}));
    EXPECT_TRUE(editor::LevelChanged());
    Choose(GuiDriver::Id(List("tile textures"), {"add tile"}));
    // Each row's widgets live in the row's own ID scope (the tile index).
    const ImGuiID row2 = GuiDriver::In(GuiDriver::FindWindow(List("tile textures"))->ID, 2);
    Choose(GuiDriver::In(row2, "debug"));
    Choose(GuiDriver::Id(GuiDriver::Popup(List("tile textures"), "select texture", row2), {"moss"}));
    // A broken file shows the fallback picture; the name is kept for saving.
    EXPECT_EQ(map->GetTileNames(), (std::vector<std::string>{"empty tile", "debug", "moss"}));
    EXPECT_EQ(map->GetTileTextures()[2], map->GetTileTextures()[1]);
    for (int i = 0; i < 3; ++i) Choose(GuiDriver::Id(List("tile textures"), {"remove last tile"}));
    EXPECT_EQ(map->GetTileNames(), std::vector<std::string>{"empty tile"});  // the empty tile stays
}

TEST_F(TileEditorTest, TheBrushListChoosesByIndexAndTheSizeFieldsStoreAtOnce) {
    map->SetTileTexture(2, "debug");  // two tiles named "debug"
    Draw();
    Choose(GuiDriver::In(GuiDriver::In(GuiDriver::FindWindow(List("tile number"))->ID, 2), "debug"));
    EXPECT_EQ(editor::GetTileBrush(), 2u);
    EXPECT_FALSE(editor::LevelChanged());  // choosing a brush edits nothing

    GuiDriver::Enter(GuiDriver::In(GuiDriver::Id(GuiDriver::kHost, {"tile width"}), ""), "24", [&] { Draw(); });
    EXPECT_EQ(map->GetTileWidth(), 24u);
    EXPECT_TRUE(editor::LevelChanged());
    const ImGuiID height = GuiDriver::Id(GuiDriver::kHost, {"tile height"});
    Choose(GuiDriver::In(height, "-"));
    Choose(GuiDriver::In(height, "+"));
    Draw();
    Choose(GuiDriver::In(height, "+"));
    EXPECT_EQ(map->GetTileHeight(), 17u);
    map->SetTileHeight(0);  // a negative size is stored as 0, which turns painting off
    Draw();
    Choose(GuiDriver::In(height, "-"));
    EXPECT_EQ(map->GetTileHeight(), 0u);
}
