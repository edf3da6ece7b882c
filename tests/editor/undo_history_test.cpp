// Every edit a designer makes through the editor's panels and keys is one
// entry of the undo history: undo gives back the level as it was, redo the
// level as the edit left it, and each says in one log line what it did.
#include "editor_panel_fixture.h"

#include <functional>

#include "core/log.h"
#include "editor/tile_editor.h"
#include "level/level_copies.h"

using engine::entity_handle;

class UndoHistoryTest : public EditorPanelFixture {
protected:
    void SetUp() override {
        EditorPanelFixture::SetUp();
        WriteLevel("home", R"({"tile_map": {"tile_width": 10, "tile_height": 10, "tile_textures": ["debug"]},
            "entities": [{"name": "Gate", "pos": {"x": 100}}, {"name": "Campfire"},
                         {"name": "Well", "pos": {"x": -100}}]})");
        ASSERT_TRUE(editor::LoadLevelFromEditor("home"));
        Frame();
    }
    // The level as it would be written.
    std::string LevelText() {
        EXPECT_TRUE(WriteLevelFile("written.json"));
        std::ifstream in(root / "written.json");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    entity_handle Named(const std::string& name) {
        for (entity_handle h : engine::GetLiveEntities())
            if (h.GetName() == name) return h;
        return {};
    }
    // A click on the entity's entry in the "Entities" list.
    void Choose(const std::string& name, bool ctrl = false) {
        const ImGuiID list = GuiDriver::FindWindow(GuiDriver::Child("Editor", "Entities"))->ID;
        ImGui::GetIO().KeyCtrl = ctrl;
        Click(GuiDriver::In(GuiDriver::In(list, int(Named(name).generation)), name.c_str()));
        ImGui::GetIO().KeyCtrl = false;
        Frame();
    }
    void Tap(int key) {
        Key(key);
        Frame();
        engine::FlushDestroyedEntities();  // as at the end of the frame
    }
    void Paint(std::initializer_list<float> xs) {
        editor::SetTileBrush(1);
        CursorAtWorld(*xs.begin(), 5);
        Press(kLeftButton);
        for (float x : xs) {
            CursorAtWorld(x, 5);
            events::Call("LogicUpdate", 0.0f);
        }
        Release(kLeftButton);
    }
    void AddSpriteAndUnsetLooping() {
        Click(Widget({"add"}));
        Click(GuiDriver::Id(GuiDriver::Popup("Editor", "add component"), {"Sprite"}));
        Click(GuiDriver::Id(Inspector(), {"Sprite"}));  // opens its header
        Click(GuiDriver::Id(Inspector(), {"Sprite", "looping"}));
    }
    static std::string Inspector() { return GuiDriver::Child("Editor", "Edit Entity"); }
};

TEST_F(UndoHistoryTest, EachEditUndoesAndRedoesAsOneEntry) {
    constexpr int kDelete = 261, kNone = 0;
    const struct {
        const char* chosen;  // in the entity list first, if any
        int panel;           // shown next
        std::function<void()> make;
        int key;  // pressed last
        size_t entries;
        const char* undoLine;  // the log line of the last undo
    } cases[] = {
        {nullptr, editor::kPanelLevel, [] {}, 'C', 1, "Undo: create Entity"},
        {"Campfire", editor::kPanelLevel, [] {}, 'D', 1, "Undo: duplicate Campfire"},
        {"Campfire", editor::kPanelLevel, [] {}, kDelete, 1, "Undo: delete Campfire"},
        {"Gate", editor::kPanelLevel, [&] { Choose("Campfire", true); }, kDelete, 1, "Undo: delete 2 entities"},
        {"Well", editor::kPanelLevel, [&] { DragWorld(-100, 0, -60, 20); }, kDelete, 2, "Undo: move Well"},
        {"Well", editor::kPanelLevel, [&] { Enter(Widget({"ent name"}), "Spring"); }, kNone, 1,
         "Undo: rename Well to Spring"},
        {"Gate", editor::kPanelLevel, [&] { Enter(GuiDriver::In(GuiDriver::In(Widget({"ent pos"}), 1), ""), "75"); },
         kNone, 1, "Undo: move Gate"},
        {"Campfire", editor::kPanelLevel, [&] { AddSpriteAndUnsetLooping(); }, kNone, 2,
         "Undo: add Sprite to Campfire"},
        {nullptr, editor::kPanelTiles, [&] { Paint({5, 15, 25}); }, kNone, 1, "Undo: paint tiles"},
        {nullptr, editor::kPanelTiles, [&] { Enter(GuiDriver::In(Widget({"tile width"}), ""), "24"); }, kNone, 1,
         "Undo: edit tiles"},
        {nullptr, editor::kPanelGraphics, [&] { Enter(Widget({"moonlight fade dist"}), "42"); }, kNone, 1,
         "Undo: edit lighting"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.undoLine);
        ASSERT_TRUE(editor::LoadLevelFromEditor("home"));
        editor::SetShownPanel(editor::kPanelLevel);
        Frame();
        Editor::ClearHistory();
        const std::string before = LevelText();
        if (c.chosen) Choose(c.chosen);
        editor::SetShownPanel(c.panel);
        Frame();
        c.make();
        if (c.key != kNone) Tap(c.key);
        Frame();
        const std::string after = LevelText();
        EXPECT_NE(after, before);
        EXPECT_EQ(Editor::History().size(), c.entries);
        ClearLog();
        for (size_t i = 0; i < c.entries; ++i) Tap('Z');
        EXPECT_EQ(LevelText(), before);
        ASSERT_EQ(GetLog().size(), c.entries);
        EXPECT_EQ(GetLog().back(), c.undoLine);
        Hold({kKeyLeftCtrl});
        for (size_t i = 0; i < c.entries; ++i) Tap('Y');
        Hold({});
        EXPECT_EQ(LevelText(), after);
        for (size_t i = 0; i < c.entries; ++i) Tap('Z');
        EXPECT_EQ(LevelText(), before);
    }
}
