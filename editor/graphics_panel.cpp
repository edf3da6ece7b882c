#include "editor/graphics_panel.h"

#include <imgui.h>

#include "core/level_changes.h"
#include "graphics/lighting_settings.h"
#include "graphics/render_limits.h"
#include "graphics/renderer.h"

namespace editor {

static_assert(kShownLightCap == kMaxUploadedLights, "the panel shows the renderer's cap");

void DrawGraphicsPanel() {
    LightingSettings& settings = GetLightingSettings();
    bool changed = ImGui::ColorEdit3("moonlight color", &settings.moonlightColor.x);
    changed |= ImGui::InputFloat("moonlight fade dist", &settings.moonlightFadeDist);
    changed |= ImGui::InputFloat("moonlight fade exponent", &settings.moonlightFadeExponent);
    ImGui::Spacing();
    changed |= ImGui::ColorEdit3("global ambient", &settings.globalAmbient.x);
    changed |= ImGui::InputFloat("global ambient intensity", &settings.globalAmbientIntensity);
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();

    ImGui::Text("Approximates zero for point lights");
    ImGui::Text("A larger value should increase performance.");
    ImGui::Text("A smaller value may prevent excessive culling.");
    ImGui::Text("Increase when lights/casters approach limits.");
    changed |= ImGui::InputFloat("attenuation zero", &settings.attenuationZero);
    if (changed) MarkLevelChanged();
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();

    // Counts of the last frame drawn; without a renderer (no window) nothing
    // was drawn, so nothing was counted.
    RenderCounters counters;
    if (Renderer* renderer = GetRenderer()) counters = renderer->GetCounters();
    ImGui::Text("maximum point lights: %d", kShownLightCap);
    ImGui::Text("current point lights: %d", counters.pointLightsVisible);
    ImGui::Spacing();
    ImGui::Text("maximum moon lights: %d", kShownLightCap);
    ImGui::Text("current moon lights: %d", counters.moonLightsVisible);
    ImGui::Spacing();
    ImGui::Text("current shadow casters: %d", counters.shadowCasters);
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Text("Average FPS: %.1f\n", ImGui::GetIO().Framerate);
}

}  // namespace editor
