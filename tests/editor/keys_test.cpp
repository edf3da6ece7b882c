// The editor's key commands, and the GUI keeping keys and clicks to itself.
#include "editor_fixture.h"

#include "editor/cursor.h"

using engine::entity_handle;

namespace {
constexpr int kDelete = 261, kRight = 262, kLeft = 263, kDown = 264, kUp = 265;
}

class KeysTest : public EditorFixture {};

TEST_F(KeysTest, CreateDuplicateAndFocusWorkOnThePrimarySelection) {
    entity_handle a = Make(5, 6, 1, "rock");
    editor->SelectEntity(a, true, true);
    GetCamera().SetPosition(12, -7, 2);
    Key('D');
    Key('C');
    ASSERT_EQ(engine::GetLiveEntities().size(), 3u);
    const entity_handle copy = engine::GetLiveEntities()[1], created = engine::GetLiveEntities()[2];
    EXPECT_EQ(copy.GetName(), "rock");
    EXPECT_EQ(Pos(copy), glm::vec3(5, 6, 1));
    EXPECT_EQ(Pos(created), glm::vec3(12, -7, 2));
    EXPECT_EQ(editor->GetSelection(), Selection{created});  // alone; the copy was not selected
    EXPECT_EQ(selectedEvents.back(), created);
    EXPECT_TRUE(editor::LevelChanged());
    editor->SelectEntity(a, true, true);
    Key('F');  // the camera's depth stays
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(5, 6, 2));
}

TEST_F(KeysTest, DeleteDestroysTheWholeSelectionAtTheEndOfTheFrameAndNeedsALivePrimary) {
    entity_handle a = Make(0, 0), b = Make(10, 0), c = Make(20, 0);
    editor->SelectEntity(a, false, true);
    editor->SelectEntity(b, false, true);
    engine::DestroyEntity(b);  // a script removes the primary
    engine::FlushDestroyedEntities();
    for (int key : {int('D'), int('F'), kDelete}) Key(key);
    EXPECT_EQ(engine::GetLiveEntities(), (Selection{a, c}));
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_FALSE(editor::LevelChanged());
    editor->SelectEntity(a, false, true);
    editor->SelectEntity(c, false, true);
    Key(kDelete);
    EXPECT_EQ(engine::GetPendingDestroy(), (Selection{a, c}));
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_EQ(selectedEvents.back(), entity_handle());
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(KeysTest, ZoomKeysScaleByOneAndAHalfAndArrowsMoveTwoHundredScreenPixels) {
    const std::tuple<int, float, glm::vec3> steps[] = {  // key, then scale and position after it
        {'E', 3.0f, {0, 0, 0}}, {'Q', 2.0f, {0, 0, 0}},       {kRight, 2.0f, {100, 0, 0}},
        {kUp, 2.0f, {100, 100, 0}}, {kLeft, 2.0f, {0, 100, 0}}, {kDown, 2.0f, {0, 0, 0}}};
    GetCamera().SetScale(2.0f);  // a window pixel is half a world unit
    for (const auto& [key, scale, position] : steps) {
        SCOPED_TRACE(key);
        Key(key);
        EXPECT_FLOAT_EQ(GetCamera().GetScale(), scale);
        EXPECT_EQ(GetCamera().GetPosition(), position);
    }
}

TEST_F(KeysTest, WhileTheGuiHoldsTheFocusAndTheMouseKeysAndClicksStayWithIt) {
    entity_handle a = Make(0, 0);
    editor->SelectEntity(a, true, true);
    CursorAtWorld(0, 0);
    Press(kLeftButton);  // a drag that ends over the GUI
    ImGui::GetIO().MousePos = ImVec2(50, 50);  // over the focused field's window
    char buffer[8] = "";
    FocusTextFieldOverFrames(buffer, sizeof buffer);
    ImGui::NewFrame();
    ASSERT_TRUE(editor::GuiWantsKeyboard());
    Release(kLeftButton);
    for (int key : {int('C'), int('D'), kDelete, int('E'), kRight}) Key(key);
    ClickAt(50, 0);
    Press(kRightButton);
    ImGui::EndFrame();
    EXPECT_EQ(engine::GetLiveEntities(), Selection{a});
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
    EXPECT_EQ(GetCamera().GetScale(), 1.0f);
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    ASSERT_EQ(Editor::History().size(), 1u);
    EXPECT_TRUE(Editor::History()[0]->active);  // the drag goes on
}

TEST_F(KeysTest, AListenerHeldPastTheEditorsDestructionDoesNothing) {
    // The engine's toggle closes the editor while "KeyPressed" is being raised;
    // that raise still holds the editor's listener and calls it afterwards.
    editor->SelectEntity(Make(0, 0), true, true);
    auto* listeners = dynamic_cast<events::event_listeners<int>*>(events::InternalGetListeners("KeyPressed"));
    ASSERT_NE(listeners, nullptr);
    const std::function<void(int)> held = listeners->Snapshot()->at("EditorKeyPressed");
    CloseEditor();
    held(kDelete);
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
}
