// The markers drawn on entities while the editor is open.
#include "editor_fixture.h"

#include <map>

namespace {

// Vertices of the frame's background list (where debug drawing goes), by colour.
std::map<ImU32, int> VerticesByColour() {
    std::map<ImU32, int> count;
    const ImDrawList* list = ImGui::GetBackgroundDrawList();
    for (int i = 0; i < list->VtxBuffer.Size; ++i) ++count[list->VtxBuffer[i].col];
    return count;
}

ImU32 Colour(float r, float g, float b) { return ImGui::ColorConvertFloat4ToU32(ImVec4(r, g, b, 1.0f)); }

}  // namespace

class MarkersTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        GetEngineState().skipDrawing = false;  // a GUI frame without rendering
        ImGui::NewFrame();
    }
    void TearDown() override {
        ImGui::EndFrame();
        EditorFixture::TearDown();
    }
};

TEST_F(MarkersTest, OneMarkerPerEntityInViewInTheColourOfItsSelection) {
    engine::entity_handle primary = Make(0, 0), other = Make(10, 0), chosen = Make(20, 0);
    Make(-200, -100);  // within the distance of the view's corner
    Make(1000, 0);     // far outside
    editor->SelectEntity(chosen, false, true);
    editor->SelectEntity(primary, false, true);
    (void)other;
    debug_draw::RunFrame();
    std::map<ImU32, int> count = VerticesByColour();
    ASSERT_EQ(count.size(), 3u);
    const int perMarker = count[Colour(1.0f, 0.05f, 0.0f)];
    ASSERT_GT(perMarker, 0);
    EXPECT_EQ(count[Colour(0.8f, 0.3f, 0.0f)], perMarker);
    EXPECT_EQ(count[Colour(0.0f, 0.0f, 0.0f)], 2 * perMarker);
}

TEST_F(MarkersTest, MarkersAreTwentyWindowPixelsAtAnyZoom) {
    GetCamera().SetScale(2.0f);
    Make(10, 5);
    debug_draw::RunFrame();
    const ImDrawList* list = ImGui::GetBackgroundDrawList();
    ASSERT_GT(list->VtxBuffer.Size, 0);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (int i = 0; i < list->VtxBuffer.Size; ++i) {
        const ImVec2 p = list->VtxBuffer[i].pos;
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    // World (10, 5) is window pixel (249 + 20, 140 + 10); the stroke adds a
    // pixel or so of anti-aliasing either way.
    EXPECT_NEAR((minX + maxX) / 2, 269.0f, 0.5f);
    EXPECT_NEAR((minY + maxY) / 2, 150.0f, 0.5f);
    EXPECT_NEAR(maxX - minX, 20.0f, 2.5f);
    EXPECT_NEAR(maxY - minY, 20.0f, 2.5f);
}

