// The "Graphics" panel edits the process-wide lighting settings in place.
#include <gtest/gtest.h>

#include "editor/graphics_panel.h"
#include "core/level_changes.h"
#include "graphics/lighting_settings.h"
#include "tests/editor/gui_driver.h"

namespace {

class GraphicsPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLightingSettings();
        editor::ClearLevelChanged();
        Draw();
    }
    void TearDown() override { ResetLightingSettings(); }

    void Draw() {
        gui.Frame([] { editor::DrawGraphicsPanel(); });
    }
    // Types into a plain float field of the panel.
    void Enter(const char* label, const std::string& text) {
        GuiDriver::Enter(GuiDriver::Id(GuiDriver::kHost, {label}), text, [&] { Draw(); });
    }

    GuiDriver gui;
};

}  // namespace

TEST_F(GraphicsPanelTest, FloatFieldsEditTheirOwnSettingAndDrawingAloneChangesNothing) {
    for (int i = 0; i < 3; ++i) Draw();
    EXPECT_FALSE(editor::LevelChanged());
    EXPECT_EQ(GetLightingSettings().moonlightFadeDist, 100.0f);
    Enter("moonlight fade dist", "42");
    Enter("moonlight fade exponent", "3.5");
    Enter("global ambient intensity", "0.25");
    Enter("attenuation zero", "0.125");
    const LightingSettings& s = GetLightingSettings();
    EXPECT_EQ(s.moonlightFadeDist, 42.0f);
    EXPECT_EQ(s.moonlightFadeExponent, 3.5f);
    EXPECT_EQ(s.globalAmbientIntensity, 0.25f);
    EXPECT_EQ(s.attenuationZero, 0.125f);
    EXPECT_EQ(s.moonlightColor, glm::vec3(1.0f));
    EXPECT_EQ(s.globalAmbient, glm::vec3(1.0f));
    EXPECT_TRUE(editor::LevelChanged());
}

TEST_F(GraphicsPanelTest, ColourEditorsEditTheirOwnColour) {
    // The colour editor's channels are 0..255 fields, "R:", "G:", "B:" in turn.
    const ImGuiID ambient = GuiDriver::Id(GuiDriver::kHost, {"global ambient"});
    GuiDriver::Enter(GuiDriver::In(ambient, "##X"), "51", [&] { Draw(); });
    const LightingSettings& s = GetLightingSettings();
    EXPECT_NEAR(s.globalAmbient.x, 0.2f, 1e-6);
    EXPECT_EQ(s.globalAmbient.y, 1.0f);
    EXPECT_EQ(s.moonlightColor, glm::vec3(1.0f));
    EXPECT_TRUE(editor::LevelChanged());
}
