#include "graphics/debug_draw.h"

#include <cmath>

#include <imgui.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "graphics/camera.h"

namespace debug_draw {
namespace {

glm::vec4 g_color{0.0f, 0.0f, 0.0f, 1.0f};
bool g_drawing = false;

ImU32 Color() { return ImGui::ColorConvertFloat4ToU32(ImVec4(g_color.r, g_color.g, g_color.b, g_color.a)); }

ImVec2 ToScreen(float x, float y, float z) {
    glm::vec3 s = GetCamera().WorldToScreen(x, y, z);
    return ImVec2(s.x, s.y);
}

}  // namespace

bool IsDrawing() { return g_drawing; }
glm::vec4 GetColor() { return g_color; }
void SetColor(float r, float g, float b, float a) { g_color = {r, g, b, a}; }

void Circle(float x, float y, float radius) { Circle(glm::vec3(x, y, 0.0f), radius); }

void Circle(glm::vec3 c, float radius) {
    if (!g_drawing) return;
    ImGui::GetBackgroundDrawList()->AddCircle(ToScreen(c.x, c.y, c.z), radius * GetCamera().ScreenScale(), Color(),
                                              0);
}

void Ellipse(float x, float y, float radiusX, float radiusY) {
    if (!g_drawing) return;
    const float scale = GetCamera().ScreenScale();
    ImVec2 centre = ToScreen(x, y, 0.0f);
    ImDrawList* list = ImGui::GetBackgroundDrawList();
    constexpr int kSegments = 48;
    for (int i = 0; i < kSegments; ++i) {
        float t = float(i) / kSegments * 6.2831853f;
        list->PathLineTo(ImVec2(centre.x + std::cos(t) * radiusX * scale, centre.y + std::sin(t) * radiusY * scale));
    }
    list->PathStroke(Color(), ImDrawFlags_Closed);
}

void Line(float x0, float y0, float x1, float y1) { Line(glm::vec3(x0, y0, 0.0f), glm::vec3(x1, y1, 0.0f)); }

void Line(glm::vec3 from, glm::vec3 to) {
    if (!g_drawing) return;
    ImGui::GetBackgroundDrawList()->AddLine(ToScreen(from.x, from.y, from.z), ToScreen(to.x, to.y, to.z), Color());
}

void Rect(float x, float y, float width, float height) {
    if (!g_drawing) return;
    const float scale = GetCamera().ScreenScale();
    ImVec2 c = ToScreen(x, y, 0.0f);
    float w = width * scale, h = height * scale;
    ImGui::GetBackgroundDrawList()->AddRect(ImVec2(c.x - w / 2, c.y - h / 2), ImVec2(c.x + w / 2, c.y + h / 2),
                                            Color());
}

void Quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d) {
    Line(a, b);
    Line(b, c);
    Line(c, d);
    Line(d, a);
}

void RegisterEvent() { events::Register<>("DebugDraw"); }

void RunFrame() {
    if (GetEngineState().skipDrawing) return;
    g_drawing = true;
    try {
        events::Call("DebugDraw");
    } catch (...) {
        g_drawing = false;
        throw;
    }
    g_drawing = false;
}

}  // namespace debug_draw
