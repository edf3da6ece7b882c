// The markers drawn on entities while the editor is open.
#include "editor_fixture.h"

#include <map>

class MarkersTest : public EditorFixture {};

TEST_F(MarkersTest, MarkersShowEveryEntityInViewInTheColourOfItsSelectionTwentyPixelsWide) {
    GetCamera().SetScale(2.0f);
    engine::entity_handle primary = Make(10, 5), chosen = Make(20, 0);
    Make(0, 0);
    Make(-100, -50);  // within the distance of the view's corner
    Make(500, 0);     // far outside
    editor->SelectEntity(chosen, false, true);
    editor->SelectEntity(primary, false, true);
    GetEngineState().skipDrawing = false;
    ImGui::NewFrame();
    debug_draw::RunFrame();
    const auto colour = [](float r, float g) { return ImGui::ColorConvertFloat4ToU32(ImVec4(r, g, 0.0f, 1.0f)); };
    std::map<ImU32, int> count;
    ImVec2 lo(1e9f, 1e9f), hi(-1e9f, -1e9f);  // of the primary's marker
    for (const ImDrawVert& v : ImGui::GetBackgroundDrawList()->VtxBuffer) {
        ++count[v.col];
        if (v.col != colour(1.0f, 0.05f)) continue;
        lo = ImMin(lo, v.pos);
        hi = ImMax(hi, v.pos);
    }
    ImGui::EndFrame();
    ASSERT_EQ(count.size(), 3u);
    EXPECT_EQ(count[colour(0.8f, 0.3f)], count[colour(1.0f, 0.05f)]);
    EXPECT_EQ(count[colour(0.0f, 0.0f)], 2 * count[colour(1.0f, 0.05f)]);
    // World (10, 5) is window pixel (249 + 20, 140 + 10); the stroke adds a
    // pixel or so of anti-aliasing either way.
    EXPECT_NEAR((lo.x + hi.x) / 2, 269.0f, 0.5f);
    EXPECT_NEAR((lo.y + hi.y) / 2, 150.0f, 0.5f);
    EXPECT_NEAR(hi.x - lo.x, 20.0f, 2.5f);
    EXPECT_NEAR(hi.y - lo.y, 20.0f, 2.5f);
}
