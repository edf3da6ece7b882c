// The "Graphics" panel edits the process-wide lighting settings in place.
#include <gtest/gtest.h>

#include <array>

#include "core/level_changes.h"
#include "editor/graphics_panel.h"
#include "graphics/lighting_settings.h"
#include "tests/editor/gui_driver.h"

namespace {

// The ten numbers of the settings, in declaration order.
std::array<float, 10> Numbers(const LightingSettings& s) {
    const glm::vec3 m = s.moonlightColor, a = s.globalAmbient;
    return {m.x, m.y, m.z, s.moonlightFadeDist, s.moonlightFadeExponent, a.x, a.y, a.z, s.globalAmbientIntensity,
            s.attenuationZero};
}

}  // namespace

TEST(GraphicsPanelTest, EachFieldEditsItsOwnSettingAndDrawingAloneChangesNothing) {
    GuiDriver gui;
    const auto draw = [&] { gui.Frame([] { editor::DrawGraphicsPanel(); }); };
    struct Case {
        const char* label;
        const char* channel;  // of a colour editor: a 0..255 field "##X", "##Y" or "##Z"
        const char* text;
        size_t number;
        float expected;
    };
    const Case cases[] = {
        {"moonlight color", "##Y", "51", 1, 0.2f},          {"moonlight fade dist", nullptr, "42", 3, 42.0f},
        {"moonlight fade exponent", nullptr, "3.5", 4, 3.5f}, {"global ambient", "##X", "102", 5, 0.4f},
        {"global ambient intensity", nullptr, "0.25", 8, 0.25f}, {"attenuation zero", nullptr, "0.125", 9, 0.125f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetLightingSettings();
        editor::ClearLevelChanged();
        for (int i = 0; i < 3; ++i) draw();
        EXPECT_FALSE(editor::LevelChanged());
        const ImGuiID field = GuiDriver::Id(GuiDriver::kHost, {c.label});
        GuiDriver::Enter(c.channel ? GuiDriver::In(field, c.channel) : field, c.text, draw);
        std::array<float, 10> expected = Numbers(LightingSettings());
        expected[c.number] = c.expected;
        const std::array<float, 10> actual = Numbers(GetLightingSettings());
        for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << "number " << i;
        EXPECT_TRUE(editor::LevelChanged());
    }
    ResetLightingSettings();
}
