// Selecting entities: the selection rule, picking under the cursor and
// rectangle selection.
#include "editor_fixture.h"

#include "editor/picking.h"

using engine::entity_handle;
using Selection = std::vector<entity_handle>;

class SelectionTest : public EditorFixture {};

TEST_F(SelectionTest, ReplaceSelectsOnlyTheNewEntityUnlessItWasSelectedAndRaisesTheEvent) {
    entity_handle a = Make(0, 0), b = Make(50, 0);
    editor->SelectEntity(a, true, true);
    editor->SelectEntity(b, true, true);
    EXPECT_EQ(editor->GetSelection(), Selection{b});
    EXPECT_EQ(editor->GetSelected(), b);
    EXPECT_EQ(selectedEvents, (Selection{a, b}));

    // Replacing with an already selected entity keeps the others.
    editor->SelectEntity(a, false, true);
    editor->SelectEntity(b, true, true);  // a click on one of several selected
    EXPECT_EQ(editor->GetSelection(), (Selection{b, a}));
    EXPECT_EQ(editor->GetSelected(), b);
    EXPECT_EQ(selectedEvents.size(), 4u);
}

TEST_F(SelectionTest, ToggleAndDeselectRemoveWithoutAnEvent) {
    entity_handle a = Make(0, 0), b = Make(50, 0);
    editor->SelectEntity(a, false, true);
    editor->SelectEntity(b, false, true);
    selectedEvents.clear();
    editor->SelectEntity(b, false, true);
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    EXPECT_EQ(editor->GetSelected(), entity_handle());  // b was the primary
    EXPECT_TRUE(selectedEvents.empty());

    // Deselecting clears the primary only when it was it.
    editor->SelectEntity(b, false, true);
    selectedEvents.clear();
    editor->DeselectEntity(a);
    EXPECT_EQ(editor->GetSelected(), b);
    editor->DeselectEntity(b);
    EXPECT_EQ(editor->GetSelected(), entity_handle());
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_TRUE(selectedEvents.empty());
}

TEST_F(SelectionTest, WithoutToggleASelectedEntityStaysOnceAndBecomesPrimary) {
    entity_handle a = Make(0, 0), b = Make(50, 0);
    editor->SelectEntity(a, false, false);
    editor->SelectEntity(b, false, false);
    editor->SelectEntity(a, false, false);
    EXPECT_EQ(editor->GetSelection(), (Selection{a, b}));
    EXPECT_EQ(editor->GetSelected(), a);
    EXPECT_EQ(selectedEvents, (Selection{a, b, a}));
}

// ---- picking -------------------------------------------------------------------

TEST_F(SelectionTest, PickTakesTheGreatestZAndTheEarlierOnATieStrictlyInsideTheSquare) {
    entity_handle low = Make(1, 1, 0.0f), high = Make(-1, 2, 5.0f), tie = Make(0, 0, 5.0f);
    EXPECT_EQ(editor::PickTopmost({0, 0, 0}, 10.0f), high);
    high.SetPosition(-1, 2, 0.0f);
    tie.SetPosition(0, 0, 0.0f);
    EXPECT_EQ(editor::PickTopmost({0, 0, 0}, 10.0f), low);  // all at z 0: the first
    high.SetPosition(-1, 2, -3.0f);
    EXPECT_EQ(editor::PickTopmost({0, 0, 0}, 10.0f), low);  // a later one needs a greater z

    // Only positions strictly inside the square count.
    Make(30, 0);    // on the edge of the square around (20, 0)
    Make(20, -10);  // on the edge
    EXPECT_EQ(editor::PickTopmost({20, 0, 0}, 10.0f), entity_handle());
    entity_handle in = Make(29.9f, -9.9f);
    EXPECT_EQ(editor::PickTopmost({20, 0, 0}, 10.0f), in);
}

TEST_F(SelectionTest, ClickSelectsUnderTheMarkerAndStartsOneMovePerClick) {
    entity_handle a = Make(30, 30);
    ClickAt(39, 21);  // markers are 20 pixels wide: 10 units either way here
    EXPECT_EQ(editor->GetSelected(), a);
    ClickAt(30, 30);
    ASSERT_EQ(Editor::History().size(), 2u);
    EXPECT_EQ(Editor::History()[0]->name, "MoveEntity");
    EXPECT_FALSE(Editor::History()[1]->active);
}

TEST_F(SelectionTest, ClickOnEmptySpaceClearsWithAnEventButCtrlClickKeepsTheSelection) {
    entity_handle a = Make(0, 0);
    ClickAt(0, 0);
    selectedEvents.clear();
    Hold({kKeyLeftCtrl});
    ClickAt(100, 100);
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    EXPECT_TRUE(selectedEvents.empty());
    Hold({});
    ClickAt(100, 100);
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_EQ(selectedEvents, Selection{entity_handle()});
    EXPECT_EQ(Editor::History().size(), 1u);  // misses record nothing
}

TEST_F(SelectionTest, CtrlClickTogglesAnEntityInTheSelection) {
    entity_handle a = Make(0, 0), b = Make(60, 0);
    ClickAt(0, 0);
    Hold({kKeyRightCtrl});
    ClickAt(60, 0);
    EXPECT_EQ(editor->GetSelection(), (Selection{a, b}));
    selectedEvents.clear();
    ClickAt(0, 0);
    EXPECT_EQ(editor->GetSelection(), Selection{b});
    EXPECT_TRUE(selectedEvents.empty());
}

// ---- rectangle selection ----------------------------------------------------------

class RectangleTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        a = Make(10, 10);
        b = Make(20, 20);
        c = Make(30, 30);
        outside = Make(50, 50);
    }
    void BoxDrag() { DragWorld(0, 0, 40, 40); }
    entity_handle a, b, c, outside;
};

TEST_F(RectangleTest, ShiftDragTogglesWhatItCovers) {
    editor->SelectEntity(b, true, true);
    Hold({kKeyLeftShift});
    CursorAtWorld(0, 0);
    Press(kLeftButton);
    EXPECT_TRUE(editor::RectSelectionActive());
    EXPECT_TRUE(events::Disconnect("DebugDraw", "MouseMovementMouseSelection"));  // it was connected
    events::Connect<>("DebugDraw", "MouseMovementMouseSelection", [] {});
    CursorAtWorld(40, 40);
    Release(kLeftButton);
    EXPECT_FALSE(editor::RectSelectionActive());
    EXPECT_FALSE(events::Disconnect("DebugDraw", "MouseMovementMouseSelection"));
    EXPECT_EQ(editor->GetSelection(), (Selection{a, c}));
    EXPECT_TRUE(Editor::History().empty());  // a box is no move
}

TEST_F(RectangleTest, ShiftCtrlDragAddsAllItCovers) {
    editor->SelectEntity(b, true, true);
    Hold({kKeyLeftShift, kKeyLeftCtrl});
    BoxDrag();
    EXPECT_EQ(editor->GetSelection(), (Selection{b, a, c}));
}

TEST_F(RectangleTest, EntitiesOnTheEdgeAreNotCovered) {
    Hold({kKeyLeftShift, kKeyLeftCtrl});
    DragWorld(10, 10, 30, 30);  // a and c lie on the corners
    EXPECT_EQ(editor->GetSelection(), Selection{b});
}

TEST_F(RectangleTest, CtrlDragDeselectsWhatItCovers) {
    for (entity_handle h : {a, b, c, outside}) editor->SelectEntity(h, false, false);
    Hold({kKeyLeftCtrl});
    DragWorld(-15, 25, 25, 5);  // starts on no entity, covers a and b
    EXPECT_EQ(editor->GetSelection(), (Selection{c, outside}));
}

TEST_F(RectangleTest, AnyButtonReleaseEndsTheRectangleAndTheDirectionDoesNotMatter) {
    Hold({kKeyLeftShift, kKeyLeftCtrl});
    CursorAtWorld(40, 40);
    Press(kLeftButton);
    CursorAtWorld(15, 0);
    Release(kRightButton);
    EXPECT_FALSE(editor::RectSelectionActive());
    EXPECT_EQ(editor->GetSelection(), (Selection{b, c}));
}
