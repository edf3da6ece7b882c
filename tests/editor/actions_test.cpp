// The undo history: dragging, undo and redo of moves, panning, and its limit.
#include "editor_fixture.h"

using engine::entity_handle;

class ActionsTest : public EditorFixture {};

TEST_F(ActionsTest, DraggingMovesTheSelectionByTheGrabOffsetAndUndoPutsItBack) {
    entity_handle a = Make(10, 20, 3), b = Make(100, 0);
    ClickAt(10, 20);
    Key('Z');  // a click that moved nothing, and its undo, leave the level as it was
    EXPECT_FALSE(editor::LevelChanged());
    CursorAtWorld(14, 18);
    Press(kLeftButton);
    CursorAtWorld(50, 60);
    Editor::UpdateActions();
    EXPECT_EQ(Pos(a), glm::vec3(46, 62, 3));
    Release(kLeftButton);
    CursorAtWorld(0, 0);
    Editor::UpdateActions();  // released: no longer follows the cursor
    EXPECT_EQ(Pos(a), glm::vec3(46, 62, 3));
    EXPECT_TRUE(editor::LevelChanged());
    Key('Z');
    EXPECT_EQ(Pos(a), glm::vec3(10, 20, 3));
    EXPECT_TRUE(Editor::History().empty());

    Hold({kKeyLeftCtrl});
    ClickAt(100, 0);
    Hold({});  // clicking one of several selected drags them all; undo skips the deleted
    DragWorld(100, 0, 110, 5);
    EXPECT_EQ(Pos(a), glm::vec3(20, 25, 3));
    engine::DestroyEntity(a);
    engine::FlushDestroyedEntities();
    Key('Z');
    EXPECT_EQ(Pos(b), glm::vec3(100, 0, 0));
}

TEST_F(ActionsTest, RedoReappliesUndoneMovesInReverseOrderUntilANewMove) {
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 10, 0);
    DragWorld(10, 0, 10, 30);
    const std::tuple<std::vector<int>, int, float, float> steps[] = {  // held, key, then where a is
        {{}, 'Z', 10, 0},          {{kKeyLeftShift}, 'Z', 0, 0}, {{}, 'Y', 0, 0},  // plain Y redoes nothing
        {{kKeyLeftCtrl}, 'Y', 10, 0}, {{kKeyLeftCtrl, kKeyLeftShift}, 'Z', 10, 30},
        {{kKeyLeftCtrl, kKeyLeftShift}, 'Z', 10, 30}, {{}, 'Z', 10, 0}};  // a redone move undoes again
    for (const auto& [held, key, x, y] : steps) {
        source->heldKeys = {held.begin(), held.end()};
        Key(key);
        EXPECT_EQ(Pos(a), glm::vec3(x, y, 0)) << "after " << char(key) << " with " << held.size() << " held";
    }
    // A pan leaves what can be redone; a new move, even a click, empties it.
    Hold({});
    CursorAtWorld(200, 200);
    Press(kRightButton);
    Release(kRightButton);
    EXPECT_EQ(Editor::RedoCount(), 1u);
    ClickAt(10, 0);
    EXPECT_EQ(Editor::RedoCount(), 0u);
}

TEST_F(ActionsTest, MovesFromAReplacedLevelDoNothingEvenWhenHandlesAreReused) {
    entity_handle a = Make(0, 0);
    DragWorld(0, 0, 25, 0);
    events::Call<Json::Value*>("LevelUnload", nullptr);
    engine::DestroyAllEntities();
    entity_handle other = Make(25, 0);
    ASSERT_EQ(other, a);  // numbering restarted: the handle names a new entity
    Key('Z');
    EXPECT_EQ(Pos(other), glm::vec3(25, 0, 0));
}

TEST_F(ActionsTest, RightDragPansWithoutDriftAndIsDroppedAtRelease) {
    CursorAtWorld(10, 10);
    Press(kRightButton);
    source->cursor += glm::vec2(30, -20);  // the mouse moves 30 right, 20 up
    Editor::UpdateActions();
    Editor::UpdateActions();  // the grabbed point is under the cursor: no drift
    EXPECT_EQ(GetCamera().GetPosition(), glm::vec3(-30, 20, 0));
    Release(kRightButton);
    EXPECT_TRUE(Editor::History().empty());
}

TEST_F(ActionsTest, ReleaseEndsTheFirstActiveMoveAndTheHistoryDropsTheOldestWhenFull) {
    Make(0, 0);
    CursorAtWorld(0, 0);
    Press(kLeftButton);
    Press(kLeftButton);  // a release lost over the GUI, then another press
    Release(kLeftButton);
    ASSERT_EQ(Editor::History().size(), 2u);
    EXPECT_FALSE(Editor::History()[0]->active);
    EXPECT_TRUE(Editor::History()[1]->active);

    Editor::ClearHistory();
    for (int i = 0; i < 1000; ++i) Editor::PushAction(std::make_unique<Editor::action_>(std::to_string(i)));
    ClickAt(0, 0);  // the 1001st
    ASSERT_EQ(Editor::History().size(), 801u);
    EXPECT_EQ(Editor::History().front()->name, "200");
    EXPECT_EQ(Editor::History().back()->name, "MoveEntity");
    CloseEditor();
    OpenEditor();
    EXPECT_EQ(Editor::History().size(), 801u);  // the history outlives the editor
}
