// A broken level file opened from the editor's "load" list: the editor stays
// on the level it had, with its unsaved edits, its selection and its undo
// history, and says once why the file was not loaded. When the engine must
// stop, unsaved edits go to a copy that the editor offers next time.
#include "editor_panel_fixture.h"

#include "core/crash_report.h"

class BrokenFileTest : public EditorPanelFixture {
protected:
    void ChooseInLoadList(const char* name) {
        Click(Widget({"load"}));
        const std::string popup = GuiDriver::Popup("Editor", "load level");
        ASSERT_TRUE(GuiDriver::IsOpen(popup));
        Click(GuiDriver::Id(popup, {name}));
    }
};

TEST_F(BrokenFileTest, TheEditorKeepsItsLevelAndSaysWhy) {
    const struct {
        const char* file;
        const char* reason;  // a piece of the loader's message
    } cases[] = {
        {R"({"entities": [})", "Line 1, Column 15"},
        {R"({"entities": [{"name": "a", "pos": {"x": "far"}}]})", "float"},
        {R"({"entities": [{"name": "a", "components": [{"__component_name": "Nope"}]}]})", "component"},
        {R"({"entities": {}})", "entities"},
    };
    WriteLevel("home", R"({"entities": [{"name": "Campfire", "pos": {"x": 100}}, {"name": "Well"}]})");
    ASSERT_TRUE(editor::LoadLevelFromEditor("home"));
    Frame();
    const engine::entity_handle well = engine::GetLiveEntities()[1];
    editor->SelectEntity(well, true, true);
    DragWorld(0, 0, 40, 30);  // an unsaved edit, in the undo history
    ASSERT_TRUE(editor::LevelChanged());
    const auto files = Files();

    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteLevel("broken", c.file);
        ClearLog();
        ChooseInLoadList("broken");
        EXPECT_EQ(GetEngineState().previousLevelName, "home");
        EXPECT_EQ(engine::GetLiveEntities(), (std::vector<engine::entity_handle>{engine::GetLiveEntities()[0], well}));
        EXPECT_EQ(well.GetName(), "Well");
        EXPECT_EQ(well.GetPosition(), glm::vec3(40, 30, 0));
        EXPECT_EQ(editor->GetSelected(), well);
        EXPECT_TRUE(editor::LevelChanged());
        ASSERT_EQ(GetLog().size(), 1u);
        EXPECT_NE(GetLog()[0].find(c.reason), std::string::npos) << GetLog()[0];
    }
    EXPECT_EQ(Files().size(), files.size() + 1);  // the broken file only
    Key(90);  // Z: the move made before still undoes
    EXPECT_EQ(well.GetPosition(), glm::vec3(0, 0, 0));
}

TEST_F(BrokenFileTest, ACrashKeepsUnsavedEditsAsideForTheNextTimeTheLevelIsEdited) {
    WriteLevel("home", R"({"entities": [{"name": "Well"}]})");
    ASSERT_TRUE(editor::LoadLevelFromEditor("home"));
    const auto files = Files();
    Key('C');
    SetHeadlessCrashReport(true);
    EXPECT_EXIT(ExitWithCrashReport(std::string("boom")), ::testing::ExitedWithCode(1), "kept in");
    SetHeadlessCrashReport(false);
    std::set<std::string> kept = files;
    kept.insert("docs/Quillmere/recovery/home.json");
    EXPECT_EQ(Files(), kept);  // levels/home.json as it was

    CloseEditor();
    OpenEditor();
    editor = GetEditor();
    ASSERT_TRUE(editor::LoadLevelFromEditor("home"));
    Frame();
    Click(Widget({"load kept edits"}));
    EXPECT_EQ(engine::GetLiveEntities().size(), 2u);
    EXPECT_TRUE(editor::LevelChanged());
    EXPECT_EQ(Files(), files);  // offered once
}
