// The "Editor" window and its "Level" panel, driven through their widgets:
// the panel menu, the entity list, renaming, loading, saving and clearing.
#include "editor_fixture.h"

#include "editor/level_panel.h"

using engine::entity_handle;

class LevelPanelTest : public EditorFixture {
protected:
    void Frame() {
        ImGui::NewFrame();
        editor::DrawEditorWindow();
        ImGui::Render();
    }
    void Choose(ImGuiID id) {
        GuiDriver::Press(id);
        Frame();
    }
    static ImGuiID Widget(const char* label) { return GuiDriver::Id("Editor", {label}); }
    // A click on an entity's entry in the list, with the modifiers held.
    void ClickEntry(entity_handle h, bool ctrl, bool shift) {
        const ImGuiWindow* list = GuiDriver::FindWindow(GuiDriver::Child("Editor", "Entities"));
        ImGui::GetIO().KeyCtrl = ctrl;
        ImGui::GetIO().KeyShift = shift;
        Choose(GuiDriver::In(GuiDriver::In(list->ID, int(h.generation)), h.GetName().c_str()));
    }
    // Whether the menu bar shows the mark of unsaved changes (drawn in its own colour).
    static bool MarkShown() {
        const ImVector<ImDrawVert>& v = GuiDriver::FindWindow("Editor")->DrawList->VtxBuffer;
        const ImU32 colour = ImGui::GetColorU32(ImVec4(1.0f, 0.75f, 0.2f, 1.0f));
        return std::any_of(v.begin(), v.end(), [&](const ImDrawVert& d) { return d.col == colour; });
    }
};

TEST_F(LevelPanelTest, ShiftClickInTheListSelectsTheRunFromTheLastPlainClick) {
    entity_handle a = Make(0, 0), b = Make(1, 0), c = Make(2, 0), d = Make(3, 0);
    Make(4, 0);  // past the run's end
    Frame();
    ClickEntry(b, false, false);
    ClickEntry(d, true, true);  // Ctrl+Shift adds d, then the run
    EXPECT_EQ(editor->GetSelection(), (Selection{b, d, c}));
    EXPECT_EQ(editor->GetSelected(), d);
    ClickEntry(a, true, true);  // both ends were forgotten: no second run
    EXPECT_EQ(editor->GetSelection(), (Selection{b, d, c, a}));

    // A run started in a level since cleared is forgotten; "no" clears nothing.
    Choose(Widget("clear"));
    Choose(GuiDriver::Id(GuiDriver::Popup("Editor", "clear level"), {"no"}));
    EXPECT_EQ(engine::GetLiveEntities().size(), 5u);
    Choose(Widget("clear"));
    Choose(GuiDriver::Id(GuiDriver::Popup("Editor", "clear level"), {"yes"}));
    EXPECT_TRUE(engine::GetLiveEntities().empty());
    EXPECT_TRUE(editor::LevelChanged());
    const entity_handle e = Make(0, 0), f = Make(1, 0);
    ASSERT_EQ(e, a);  // numbering restarted
    Frame();
    ClickEntry(f, true, true);
    EXPECT_EQ(editor->GetSelection(), Selection{f});
    // That Shift click had no run to end; the plain click after it is no run
    // either, and without Ctrl the next Shift click replaces the selection.
    ClickEntry(e, false, false);
    EXPECT_EQ(editor->GetSelection(), Selection{e});
    ClickEntry(f, false, true);
    EXPECT_EQ(editor->GetSelection(), (Selection{f, e}));
}

TEST_F(LevelPanelTest, ADestroyedSelectionIsDroppedOnTheNextFrameQuietlyUnlessPrimary) {
    entity_handle a = Make(0, 0), b = Make(5, 0);
    editor->SelectEntity(b, false, true);
    editor->SelectEntity(a, false, true);
    engine::DestroyEntity(b);
    Frame();  // still alive until the end of the frame
    engine::FlushDestroyedEntities();
    Frame();
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    EXPECT_EQ(selectedEvents.size(), 2u);
    engine::DestroyEntity(a);
    engine::FlushDestroyedEntities();
    Frame();
    EXPECT_EQ(editor->GetSelected(), entity_handle());
    EXPECT_EQ(selectedEvents.back(), entity_handle());
}

TEST_F(LevelPanelTest, TheMenuChoosesThePanelForGoodAndTilesTakeTheLeftClicks) {
    entity_handle a = Make(0, 0);
    Frame();
    const ImGuiID menu = GuiDriver::In(GuiDriver::FindWindow("Editor")->ID, "##menubar");
    Choose(GuiDriver::In(menu, "Tiles"));
    CloseEditor();
    OpenEditor();
    editor = GetEditor();
    ClickAt(0, 0);
    EXPECT_TRUE(editor->GetSelection().empty());  // painted, not picked
    EXPECT_TRUE(Editor::History().empty());
    Choose(GuiDriver::In(menu, "Level"));
    ClickAt(0, 0);
    EXPECT_EQ(editor->GetSelected(), a);
}

TEST_F(LevelPanelTest, RenamingOnlyRetitlesAndSaveWritesUnderTheNewNameAndReloads) {
    GetEngineState().previousLevelName = "current";
    Make(7, 8, 0, "kept");
    Frame();
    GuiDriver::Enter(Widget("level"), "renamed", [&] { Frame(); });
    EXPECT_EQ(GetEngineState().previousLevelName, "renamed");
    EXPECT_FALSE(GetEngineState().reloadRequested);
    EXPECT_TRUE(MarkShown());
    Choose(Widget("save level and reload assets"));
    Frame();
    EXPECT_FALSE(MarkShown());
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(Pos(engine::GetLiveEntities()[0]), glm::vec3(7, 8, 0));

    // "load" offers the level files present at the press.
    std::ofstream(root / "levels" / "other.json") << R"({"entities": [{"name": "stone", "components": []}]})";
    editor::MarkLevelChanged();
    Choose(Widget("load"));
    Choose(GuiDriver::Id(GuiDriver::Popup("Editor", "load level"), {"other"}));
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(engine::GetLiveEntities()[0].GetName(), "stone");
    EXPECT_EQ(GetEngineState().previousLevelName, "other");
    EXPECT_FALSE(editor::LevelChanged());
}
