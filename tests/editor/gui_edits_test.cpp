// Telling whether GUI code edited something, which feeds the mark of unsaved
// changes for the inspector, "Tiles" and "Graphics" panels.
#include <gtest/gtest.h>

#include <imgui.h>

#include "editor/gui_edits.h"
#include "tests/editor/gui_driver.h"

namespace {

class GuiEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateHeadlessGuiContext(ImVec2(400, 300));
        FocusTextFieldOverFrames(buffer, sizeof buffer);
    }
    void TearDown() override { ImGui::DestroyContext(); }
    void Begin() {
        ImGui::NewFrame();
        ImGui::Begin("typing");  // the focused field's window
    }
    void End() {
        ImGui::End();
        ImGui::Render();
    }
    char buffer[16] = "";
};

}  // namespace

TEST_F(GuiEditsTest, ATypedCharacterIsAnEditOfTheWidgetsThatDrewIt) {
    ImGui::GetIO().AddInputCharacter('x');
    Begin();
    const bool before = editor::DrawnWithEdits([] { ImGui::Text("no widget that edits"); });
    const bool typed = editor::DrawnWithEdits([this] { ImGui::InputText("name", buffer, sizeof buffer); });
    const bool after = editor::DrawnWithEdits([] { ImGui::Text("drawn after the edit"); });
    const bool frame = editor::EditedThisFrame();
    End();
    EXPECT_STREQ(buffer, "x");
    EXPECT_FALSE(before);
    EXPECT_TRUE(typed);
    EXPECT_FALSE(after);  // an earlier edit is not this code's
    EXPECT_TRUE(frame);   // and is still there for the GUI
}

TEST_F(GuiEditsTest, AFrameWithoutInputHasNoEdit) {
    Begin();
    EXPECT_FALSE(editor::DrawnWithEdits([this] { ImGui::InputText("name", buffer, sizeof buffer); }));
    End();
}
