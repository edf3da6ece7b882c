// The editor's key commands, and the GUI keeping keys and clicks to itself.
#include "editor_fixture.h"

#include "editor/cursor.h"

using engine::entity_handle;
using Selection = std::vector<entity_handle>;

namespace {
constexpr int kDelete = 261, kRight = 262, kLeft = 263, kDown = 264, kUp = 265;
}

class KeysTest : public EditorFixture {};

TEST_F(KeysTest, CCreatesAnEntityAtTheCameraAndSelectsItAlone) {
    entity_handle a = Make(0, 0);
    editor->SelectEntity(a, true, true);
    GetCamera().SetPosition(12, -7, 0);
    Key('C');
    ASSERT_EQ(engine::GetLiveEntities().size(), 2u);
    entity_handle created = engine::GetLiveEntities()[1];
    EXPECT_EQ(Pos(created), glm::vec3(12, -7, 0));
    EXPECT_EQ(editor->GetSelection(), Selection{created});
    EXPECT_EQ(selectedEvents.back(), created);
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(KeysTest, DDuplicatesAndFCentresOnThePrimarySelectionOnly) {
    entity_handle a = Make(5, 6, 1, "rock");
    Make(0, 0);
    editor->SelectEntity(a, true, true);
    Key('D');
    ASSERT_EQ(engine::GetLiveEntities().size(), 3u);
    entity_handle copy = engine::GetLiveEntities()[2];
    EXPECT_EQ(copy.GetName(), "rock");
    EXPECT_EQ(Pos(copy), glm::vec3(5, 6, 1));
    EXPECT_EQ(editor->GetSelected(), a);  // the copy is not selected

    // F centres the camera on the primary, keeping the camera's depth.
    GetCamera().SetPosition(0, 0, 2);
    Key('F');
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(5, 6, 2));
}

TEST_F(KeysTest, CommandsNeedingAPrimaryDoNothingWhenItIsDead) {
    entity_handle a = Make(10, 10), b = Make(20, 20);
    editor->SelectEntity(b, false, true);
    editor->SelectEntity(a, false, true);
    engine::DestroyEntity(a);  // a script removes the primary
    engine::FlushDestroyedEntities();
    for (int key : {int('D'), int('F'), kDelete}) Key(key);
    EXPECT_EQ(engine::GetLiveEntities(), Selection{b});
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_FALSE(editor::LevelChanged());
}

TEST_F(KeysTest, DeleteDestroysTheWholeSelectionAtTheEndOfTheFrame) {
    entity_handle a = Make(0, 0), b = Make(10, 0), c = Make(20, 0);
    editor->SelectEntity(a, false, true);
    editor->SelectEntity(b, false, true);
    selectedEvents.clear();
    Key(kDelete);
    EXPECT_EQ(engine::GetPendingDestroy(), (Selection{a, b}));
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_EQ(selectedEvents, Selection{entity_handle()});
    engine::FlushDestroyedEntities();
    EXPECT_EQ(engine::GetLiveEntities(), Selection{c});
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(KeysTest, EAndQZoomByOneAndAHalfAndArrowsMoveTheCameraTwoHundredScreenPixels) {
    Key('E');
    EXPECT_FLOAT_EQ(GetCamera().GetScale(), 1.5f);
    Key('E');
    EXPECT_FLOAT_EQ(GetCamera().GetScale(), 2.25f);
    Key('Q');
    Key('Q');
    Key('Q');
    EXPECT_FLOAT_EQ(GetCamera().GetScale(), 1.0f / 1.5f);

    // Arrows move the camera 200 screen pixels.
    GetCamera().SetScale(2.0f);  // 2 window pixels per world unit: steps of 100
    Key(kRight);
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(100, 0, 0));
    Key(kUp);
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(100, 100, 0));
    Key(kLeft);
    Key(kDown);
    Key(kDown);
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(0, -100, 0));
}

TEST_F(KeysTest, MarkersAndPicksScaleWithTheZoom) {
    GetCamera().SetScale(4.0f);
    EXPECT_FLOAT_EQ(editor::MarkerSize(), 5.0f);
    entity_handle a = Make(2, 2);
    ClickAt(4.6f, 2.0f);  // 2.6 units away: outside a 5-unit marker
    EXPECT_TRUE(editor->GetSelection().empty());
    ClickAt(4.4f, 0.0f);
    EXPECT_EQ(editor->GetSelected(), a);
}

// ---- the GUI's claim on input ---------------------------------------------------------

class GuiClaimTest : public EditorFixture {
protected:
    // One GUI frame with a text field holding the keyboard focus, then the
    // next frame's start, where the GUI says what it wants.
    void FrameWithFocusedTextField() {
        FocusTextFieldOverFrames(buffer, sizeof buffer);
        ImGui::NewFrame();
    }
    char buffer[32] = "";
};

TEST_F(GuiClaimTest, KeysTypedIntoATextFieldNeverReachTheCommands) {
    entity_handle a = Make(0, 0);
    editor->SelectEntity(a, true, true);
    FrameWithFocusedTextField();
    ASSERT_TRUE(editor::GuiWantsKeyboard());
    for (int key : {int('C'), int('D'), kDelete, int('E'), kRight}) Key(key);
    ImGui::EndFrame();
    EXPECT_EQ(engine::GetLiveEntities(), Selection{a});
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
    EXPECT_EQ(GetCamera().GetScale(), 1.0f);
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(0, 0, 0));
}

TEST_F(GuiClaimTest, ClicksOverAGuiWindowAreLeftToIt) {
    Make(0, 0);
    ImGui::GetIO().MousePos = ImVec2(50, 50);  // over the window
    FrameWithFocusedTextField();
    ASSERT_TRUE(editor::GuiWantsMouse());
    ClickAt(0, 0);
    CursorAtWorld(0, 0);
    Press(kRightButton);
    ImGui::EndFrame();
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_TRUE(Editor::History().empty());
}

TEST_F(GuiClaimTest, AReleaseOverTheGuiLeavesTheDragActive) {
    Make(0, 0);
    CursorAtWorld(0, 0);
    Press(kLeftButton);
    ImGui::GetIO().MousePos = ImVec2(50, 50);
    FrameWithFocusedTextField();
    Release(kLeftButton);
    ImGui::EndFrame();
    ASSERT_EQ(Editor::History().size(), 1u);
    EXPECT_TRUE(Editor::History()[0]->active);
}

TEST_F(KeysTest, AListenerHeldPastTheEditorsDestructionDoesNothing) {
    // The engine's toggle closes the editor while "KeyPressed" is being raised;
    // that raise still holds the editor's listener and calls it afterwards.
    entity_handle a = Make(0, 0);
    editor->SelectEntity(a, true, true);
    auto* listeners = dynamic_cast<events::event_listeners<int>*>(events::InternalGetListeners("KeyPressed"));
    ASSERT_NE(listeners, nullptr);
    const auto snapshot = listeners->Snapshot();
    const std::function<void(int)> held = snapshot->at("EditorKeyPressed");
    CloseEditor();
    held(kDelete);
    EXPECT_TRUE(engine::GetPendingDestroy().empty());
}
