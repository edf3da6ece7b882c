// The undo history: dragging, undo and redo of moves, panning, and the limits.
#include "editor_fixture.h"

using engine::entity_handle;

class ActionsTest : public EditorFixture {};

TEST_F(ActionsTest, DragKeepsTheGrabOffsetAndUndoPutsTheEntityBack) {
    entity_handle a = Make(10, 20, 3);
    CursorAtWorld(14, 18);
    Press(kLeftButton);
    CursorAtWorld(50, 60);
    Editor::UpdateActions();
    EXPECT_EQ(Pos(a), glm::vec3(46, 62, 3));
    Release(kLeftButton);
    CursorAtWorld(0, 0);
    Editor::UpdateActions();  // released: no longer follows the cursor
    EXPECT_EQ(Pos(a), glm::vec3(46, 62, 3));
    Key('Z');
    EXPECT_EQ(Pos(a), glm::vec3(10, 20, 3));
    EXPECT_TRUE(Editor::History().empty());
}

TEST_F(ActionsTest, ClickingOneOfSeveralSelectedDragsThemAllAndUndoSkipsTheDeleted) {
    entity_handle a = Make(0, 0), b = Make(100, 0);
    ClickAt(0, 0);
    Hold({kKeyLeftCtrl});
    ClickAt(100, 0);
    Hold({});
    DragWorld(100, 0, 110, 5);
    EXPECT_EQ(Pos(a), glm::vec3(10, 5, 0));
    EXPECT_EQ(Pos(b), glm::vec3(110, 5, 0));

    // Undo and redo skip an entity deleted since.
    engine::DestroyEntity(a);
    engine::FlushDestroyedEntities();
    Key('Z');
    EXPECT_EQ(Pos(b), glm::vec3(100, 0, 0));
    Hold({kKeyLeftCtrl});
    Key('Y');
    EXPECT_EQ(Pos(b), glm::vec3(110, 5, 0));
}

TEST_F(ActionsTest, RedoReappliesTheUndoneMovesInReverseOrder) {
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 10, 0);
    DragWorld(10, 0, 10, 30);
    Key('Z');
    Key('Z');
    EXPECT_EQ(Pos(a), glm::vec3(0, 0, 0));
    EXPECT_EQ(Editor::RedoCount(), 2u);
    Hold({kKeyLeftCtrl});
    Key('Y');
    EXPECT_EQ(Pos(a), glm::vec3(10, 0, 0));
    Hold({kKeyLeftCtrl, kKeyLeftShift});
    Key('Z');
    EXPECT_EQ(Pos(a), glm::vec3(10, 30, 0));
    Key('Z');  // nothing left to redo
    EXPECT_EQ(Pos(a), glm::vec3(10, 30, 0));
    EXPECT_EQ(Editor::History().size(), 2u);
    Hold({});
    Key('Z');  // a redone move can be undone again
    EXPECT_EQ(Pos(a), glm::vec3(10, 0, 0));
}

TEST_F(ActionsTest, YWithoutCtrlAndShiftZWithoutCtrlDoNotRedo) {
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 10, 0);
    DragWorld(10, 0, 20, 0);
    Key('Z');
    Key('Y');
    EXPECT_EQ(Pos(a), glm::vec3(10, 0, 0));
    Hold({kKeyLeftShift});
    Key('Z');  // Shift alone: still undo
    EXPECT_EQ(Pos(a), glm::vec3(0, 0, 0));
}

TEST_F(ActionsTest, ANewMoveClearsTheRedoListAndAPanDoesNot) {
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 10, 0);
    Key('Z');
    CursorAtWorld(200, 200);
    Press(kRightButton);
    Release(kRightButton);
    EXPECT_EQ(Editor::RedoCount(), 1u);
    ClickAt(0, 0);  // a click on an entity records a move, even without dragging
    EXPECT_EQ(Editor::RedoCount(), 0u);
    Hold({kKeyLeftCtrl});
    Key('Y');
    EXPECT_EQ(Pos(a), glm::vec3(0, 0, 0));
}

TEST_F(ActionsTest, MovesFromAReplacedLevelDoNothingEvenWhenHandlesAreReused) {
    DragWorld(0, 0, 0, 0);  // nothing there: no move
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 25, 0);
    // A level load destroys everything and numbers afresh: the same handle now
    // names a different entity of the new level.
    Json::Value unload;
    events::Call<Json::Value*>("LevelUnload", &unload);
    engine::DestroyAllEntities();
    entity_handle other = Make(25, 0);
    ASSERT_EQ(other, a);
    Key('Z');
    EXPECT_EQ(Pos(other), glm::vec3(25, 0, 0));
}

TEST_F(ActionsTest, RightDragPansAndIsDroppedAtRelease) {
    CursorAtWorld(10, 10);
    Press(kRightButton);
    source->cursor += glm::vec2(30, -20);  // the mouse moves 30 right, 20 up
    Editor::UpdateActions();
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(-30, 20, 0));
    Editor::UpdateActions();  // the grabbed point is under the cursor: no drift
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(-30, 20, 0));
    Release(kRightButton);
    EXPECT_TRUE(Editor::History().empty());
}

TEST_F(ActionsTest, ReleaseEndsOnlyTheFirstActiveMove) {
    Make(0, 0);
    CursorAtWorld(0, 0);
    Press(kLeftButton);
    Press(kLeftButton);  // a release lost over the GUI, then another press
    Release(kLeftButton);
    ASSERT_EQ(Editor::History().size(), 2u);
    EXPECT_FALSE(Editor::History()[0]->active);
    EXPECT_TRUE(Editor::History()[1]->active);
}

TEST_F(ActionsTest, HistoryHoldsAThousandThenDropsTheTwoHundredOldestAndOutlivesTheEditor) {
    for (int i = 0; i < 1000; ++i) Editor::PushAction(std::make_unique<Editor::action_>(std::to_string(i)));
    EXPECT_EQ(Editor::History().size(), 1000u);
    EXPECT_EQ(Editor::History().front()->name, "0");
    Make(0, 0);
    ClickAt(0, 0);  // the 1001st
    ASSERT_EQ(Editor::History().size(), 801u);
    EXPECT_EQ(Editor::History().front()->name, "200");
    EXPECT_EQ(Editor::History()[799]->name, "999");
    EXPECT_EQ(Editor::History().back()->name, "MoveEntity");

    // The history survives closing and reopening the editor.
    CloseEditor();
    OpenEditor();
    EXPECT_EQ(Editor::History().size(), 801u);
}

