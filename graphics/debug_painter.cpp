#include "graphics/debug_painter.h"

#include <cmath>

#include <imgui.h>

#include "core/camera.h"

namespace {

ImU32 Color(glm::vec4 c) { return ImGui::ColorConvertFloat4ToU32(ImVec4(c.r, c.g, c.b, c.a)); }

ImVec2 ToScreen(glm::vec3 p) {
    glm::vec3 s = GetCamera().WorldToScreen(p.x, p.y, p.z);
    return ImVec2(s.x, s.y);
}

struct ImGuiPainter final : debug_draw::Painter {
    void Line(glm::vec3 from, glm::vec3 to, glm::vec4 color) override {
        ImGui::GetBackgroundDrawList()->AddLine(ToScreen(from), ToScreen(to), Color(color));
    }

    void Circle(glm::vec3 c, float radius, glm::vec4 color) override {
        ImGui::GetBackgroundDrawList()->AddCircle(ToScreen(c), radius * GetCamera().ScreenScale(), Color(color), 0);
    }

    void Ellipse(glm::vec3 c, float radiusX, float radiusY, glm::vec4 color) override {
        const float scale = GetCamera().ScreenScale();
        const ImVec2 centre = ToScreen(glm::vec3(c.x, c.y, 0.0f));
        ImDrawList* list = ImGui::GetBackgroundDrawList();
        constexpr int kSegments = 48;
        for (int i = 0; i < kSegments; ++i) {
            float t = float(i) / kSegments * 6.2831853f;
            list->PathLineTo(
                ImVec2(centre.x + std::cos(t) * radiusX * scale, centre.y + std::sin(t) * radiusY * scale));
        }
        list->PathStroke(Color(color), ImDrawFlags_Closed);
    }

    void Rect(glm::vec3 c, float width, float height, glm::vec4 color) override {
        const float scale = GetCamera().ScreenScale();
        const ImVec2 s = ToScreen(glm::vec3(c.x, c.y, 0.0f));
        const float w = width * scale, h = height * scale;
        ImGui::GetBackgroundDrawList()->AddRect(ImVec2(s.x - w / 2, s.y - h / 2), ImVec2(s.x + w / 2, s.y + h / 2),
                                                Color(color));
    }
};

}  // namespace

debug_draw::Painter& ImGuiDebugPainter() {
    static ImGuiPainter painter;
    return painter;
}
