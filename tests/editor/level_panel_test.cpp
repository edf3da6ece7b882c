// The "Editor" window and its "Level" panel: the entity list's range
// selection, loading, saving, clearing, dead selections and the mark of
// unsaved changes.
#include "editor_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <imgui_internal.h>

#include "editor/level_panel.h"
#include "level/level_file.h"

using engine::entity_handle;
using Selection = std::vector<entity_handle>;
namespace fs = std::filesystem;

class LevelPanelTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        oldCwd = fs::current_path();
        char pattern[] = "/tmp/qm_editor_XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "levels");
        fs::current_path(root);
        setenv("XDG_DOCUMENTS_DIR", (root / "docs").c_str(), 1);
    }
    void TearDown() override {
        EditorFixture::TearDown();
        fs::current_path(oldCwd);
        fs::remove_all(root);
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    void WriteLevel(const std::string& name, const std::string& text) {
        std::ofstream(root / "levels" / (name + ".json")) << text;
    }
    std::string ReadLevel(const std::string& name) {
        std::ifstream in(root / "levels" / (name + ".json"));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void DrawFrame() {
        ImGui::NewFrame();
        editor::DrawEditorWindow();
        ImGui::Render();
    }
    fs::path root, oldCwd;
};

TEST_F(LevelPanelTest, ShiftClickSelectsTheRunFromTheLastPlainClickEitherWay) {
    entity_handle a = Make(0, 0), b = Make(1, 0), c = Make(2, 0), d = Make(3, 0);
    editor::ClickEntityInList(*editor, b, false, false);
    editor::ApplyRangeSelection(*editor);  // only a start: nothing more
    EXPECT_EQ(editor->GetSelection(), Selection{b});
    editor::ClickEntityInList(*editor, d, true, true);  // Ctrl+Shift: adds d, then the run
    editor::ApplyRangeSelection(*editor);
    EXPECT_EQ(editor->GetSelection(), (Selection{b, d, c}));
    EXPECT_EQ(editor->GetSelected(), d);

    // Both ends are forgotten: a second Shift+click alone selects no run.
    editor::ClickEntityInList(*editor, a, true, true);
    editor::ApplyRangeSelection(*editor);
    EXPECT_EQ(editor->GetSelection(), (Selection{b, d, c, a}));

    // A run works upwards too.
    for (entity_handle h : Selection(editor->GetSelection())) editor->DeselectEntity(h);
    editor::ClickEntityInList(*editor, c, false, false);
    editor::ClickEntityInList(*editor, a, false, true);  // Shift without Ctrl replaces first
    editor::ApplyRangeSelection(*editor);
    EXPECT_EQ(editor->GetSelection(), (Selection{a, b, c}));
}

TEST_F(LevelPanelTest, ARangeStartedInAReplacedLevelIsForgotten) {
    entity_handle a = Make(0, 0);
    editor::ClickEntityInList(*editor, a, false, false);
    editor::ClearLevel();  // numbering restarts: a's handle will name a new entity
    entity_handle b = Make(0, 0), c = Make(1, 0);
    Make(2, 0);
    editor::ClickEntityInList(*editor, c, true, true);
    editor::ApplyRangeSelection(*editor);
    EXPECT_EQ(b, a);
    EXPECT_EQ(editor->GetSelection(), Selection{c});
}

TEST_F(LevelPanelTest, TheWindowStartsWhereTheDesignerExpectsIt) {
    editor::SetShownPanel(editor::kPanelGraphics);
    DrawFrame();
    ImGuiWindow* window = ImGui::FindWindowByName("Editor");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Pos.x, 50);
    EXPECT_EQ(window->Pos.y, 25);
    EXPECT_EQ(window->Size.x, 500);
    EXPECT_EQ(window->Size.y, 680);
    EXPECT_TRUE(window->Flags & ImGuiWindowFlags_MenuBar);
    EXPECT_TRUE(window->Flags & ImGuiWindowFlags_NoTitleBar);
}

TEST_F(LevelPanelTest, ThePanelChoiceSurvivesReopeningAndHandsLeftClicksToTheTiles) {
    entity_handle a = Make(0, 0);
    editor::SetShownPanel(editor::kPanelTiles);
    CloseEditor();
    OpenEditor();
    editor = GetEditor();
    EXPECT_EQ(editor::GetShownPanel(), editor::kPanelTiles);
    ClickAt(0, 0);
    EXPECT_TRUE(editor->GetSelection().empty());  // painted, not picked
    EXPECT_TRUE(Editor::History().empty());
    EXPECT_TRUE(editor::LevelChanged());
    editor::SetShownPanel(editor::kPanelLevel);
    ClickAt(0, 0);
    EXPECT_EQ(editor->GetSelected(), a);
}

TEST_F(LevelPanelTest, ASelectionDestroyedByAScriptIsDroppedOnTheNextFrameQuietlyUnlessPrimary) {
    entity_handle a = Make(0, 0), b = Make(5, 0);
    editor->SelectEntity(b, false, true);
    editor->SelectEntity(a, false, true);
    engine::DestroyEntity(a);
    DrawFrame();  // still alive until the end of the frame
    EXPECT_EQ(editor->GetSelected(), a);
    engine::FlushDestroyedEntities();
    selectedEvents.clear();
    DrawFrame();
    EXPECT_EQ(editor->GetSelected(), entity_handle());
    EXPECT_EQ(selectedEvents, Selection{entity_handle()});
    EXPECT_TRUE(editor->GetSelection().empty());

    // A dead secondary leaves the list quietly.
    a = Make(0, 0);
    entity_handle c = Make(10, 0);
    editor->SelectEntity(c, false, true);
    editor->SelectEntity(a, false, true);
    engine::DestroyEntity(c);
    engine::FlushDestroyedEntities();
    selectedEvents.clear();
    DrawFrame();
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    EXPECT_TRUE(selectedEvents.empty());
}

TEST_F(LevelPanelTest, ClearDestroysEverythingAndIsAnUnsavedChange) {
    entity_handle a = Make(0, 0);
    editor->SelectEntity(a, true, true);
    editor::ClearLevel();
    EXPECT_TRUE(engine::GetLiveEntities().empty());
    EXPECT_TRUE(editor::LevelChanged());
    Make(9, 9);  // numbering restarted: a's handle names this one now
    DrawFrame();
    EXPECT_EQ(editor->GetSelected(), entity_handle());
}

TEST_F(LevelPanelTest, LoadingReplacesTheLevelAndClearsTheMark) {
    WriteLevel("other", R"({"entities": [{"name": "stone", "pos": {"x": 3, "y": 4}, "components": []}]})");
    Make(0, 0);
    editor::MarkLevelChanged();
    editor::LoadLevelFromEditor("other");
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(engine::GetLiveEntities()[0].GetName(), "stone");
    EXPECT_EQ(GetEngineState().previousLevelName, "other");
    EXPECT_FALSE(editor::LevelChanged());
}

TEST_F(LevelPanelTest, SaveAndReloadWritesTheLevelAndLoadsItBack) {
    WriteLevel("current", "{}");
    GetEngineState().previousLevelName = "current";
    Make(7, 8, 0, "kept");
    editor::MarkLevelChanged();
    editor::SaveLevelAndReloadAssets();
    EXPECT_NE(ReadLevel("current").find("\"kept\""), std::string::npos);
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(engine::GetLiveEntities()[0].GetName(), "kept");
    EXPECT_EQ(engine::GetLiveEntities()[0].GetPosition(), glm::vec3(7, 8, 0));
    EXPECT_FALSE(editor::LevelChanged());
}

TEST_F(LevelPanelTest, MovesMarkTheLevelOnlyWhenSomethingMoved) {
    Make(0, 0);
    ClickAt(0, 0);
    EXPECT_FALSE(editor::LevelChanged());
    Key('Z');  // undoing a click that moved nothing
    EXPECT_FALSE(editor::LevelChanged());
    DragWorld(0, 0, 3, 0);
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(LevelPanelTest, TheMenuBarShowsTheMarkOnlyWhileThereAreUnsavedChanges) {
    auto markShown = [] {
        ImGuiWindow* window = ImGui::FindWindowByName("Editor");
        for (int i = 0; i < window->DrawList->VtxBuffer.Size; ++i)
            if (window->DrawList->VtxBuffer[i].col == ImGui::GetColorU32(ImVec4(1.0f, 0.75f, 0.2f, 1.0f)))
                return true;
        return false;
    };
    DrawFrame();
    EXPECT_FALSE(markShown());
    editor::MarkLevelChanged();
    DrawFrame();
    EXPECT_TRUE(markShown());
}
