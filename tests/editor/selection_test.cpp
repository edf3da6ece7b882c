// Selecting entities with the mouse: picking under the cursor, clicks with
// and without Ctrl, and rectangle selection.
#include "editor_fixture.h"

#include "editor/picking.h"

using engine::entity_handle;

class SelectionTest : public EditorFixture {};

TEST_F(SelectionTest, PickTakesTheGreatestZAndTheEarlierOnATieStrictlyInsideTheSquare) {
    entity_handle low = Make(1, 1, 0.0f), high = Make(-1, 2, 5.0f), tie = Make(0, 0, 5.0f);
    EXPECT_EQ(editor::PickTopmost({0, 0, 0}, 10.0f), high);
    high.SetPosition(-1, 2, -3.0f);
    tie.SetPosition(0, 0, 0.0f);
    EXPECT_EQ(editor::PickTopmost({0, 0, 0}, 10.0f), low);  // a later one needs a greater z
    entity_handle edge = Make(30, 0);  // on the edges of the square around (20, 0)
    Make(20, -10);
    EXPECT_EQ(editor::PickTopmost({20, 0, 0}, 10.0f), entity_handle());
    EXPECT_EQ(editor::PickTopmost({20, 0, 0}, 10.1f), edge);
}

TEST_F(SelectionTest, ClicksPickUnderTheMarkerAndCtrlTogglesQuietly) {
    entity_handle a = Make(30, 30), b = Make(90, 30);
    ClickAt(39, 21);  // markers are 20 pixels wide: 10 units either way here
    Hold({kKeyRightCtrl});
    ClickAt(90, 30);
    EXPECT_EQ(editor->GetSelection(), (Selection{a, b}));
    EXPECT_EQ(selectedEvents, (Selection{a, b}));
    ClickAt(90, 30);  // off again, quietly, and no longer the primary
    ClickAt(0, 100);  // Ctrl on empty space keeps the selection
    EXPECT_EQ(editor->GetSelection(), Selection{a});
    EXPECT_EQ(editor->GetSelected(), entity_handle());
    EXPECT_EQ(selectedEvents.size(), 2u);
    Hold({});
    ClickAt(0, 100);
    EXPECT_TRUE(editor->GetSelection().empty());
    EXPECT_EQ(selectedEvents.back(), entity_handle());
    EXPECT_EQ(Editor::History().size(), 3u);  // one move per click on an entity

    GetCamera().SetScale(4.0f);  // markers, and so picks, keep their size on screen
    ClickAt(32.6f, 30.0f);  // 2.6 units away: outside a 5-unit marker
    EXPECT_TRUE(editor->GetSelection().empty());
    ClickAt(32.4f, 28.0f);
    EXPECT_EQ(editor->GetSelected(), a);
}

TEST_F(SelectionTest, RectangleSelectionByModifiers) {
    struct Case {
        const char* what;
        std::vector<int> held;
        const char* before;  // of a (10, 10), b (20, 20), c (30, 30), d (50, 50)
        glm::vec2 from, to;
        int button;  // the release that ends the box
        const char* after;
    };
    const Case cases[] = {
        {"Shift toggles what it covers", {kKeyLeftShift}, "b", {0, 0}, {40, 40}, kLeftButton, "ac"},
        {"Shift+Ctrl adds all it covers", {kKeyLeftShift, kKeyLeftCtrl}, "b", {0, 0}, {40, 40}, kLeftButton, "bac"},
        {"the edges are outside", {kKeyLeftShift, kKeyLeftCtrl}, "", {10, 10}, {30, 30}, kLeftButton, "b"},
        {"any direction, any button", {kKeyLeftShift, kKeyLeftCtrl}, "", {40, 40}, {15, 0}, kRightButton, "bc"},
        {"Ctrl deselects what it covers", {kKeyLeftCtrl}, "abcd", {-15, 25}, {25, 5}, kLeftButton, "cd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor->SelectEntity(entity_handle(), true, true);
        engine::DestroyAllEntities();  // numbering restarts: the handles are those of the last case
        const Selection all = {Make(10, 10), Make(20, 20), Make(30, 30), Make(50, 50)};
        const auto named = [&](const char* letters) {
            Selection chosen;
            for (const char* l = letters; *l; ++l) chosen.push_back(all[size_t(*l - 'a')]);
            return chosen;
        };
        for (const entity_handle& h : named(c.before)) editor->SelectEntity(h, false, false);
        source->heldKeys = {c.held.begin(), c.held.end()};
        CursorAtWorld(c.from.x, c.from.y);
        Press(kLeftButton);
        EXPECT_TRUE(editor::RectSelectionActive());
        CursorAtWorld(c.to.x, c.to.y);
        Release(c.button);
        EXPECT_FALSE(editor::RectSelectionActive());
        EXPECT_EQ(editor->GetSelection(), named(c.after));
    }
    EXPECT_TRUE(Editor::History().empty());  // a box is no move
}
