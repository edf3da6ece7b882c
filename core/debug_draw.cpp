#include "core/debug_draw.h"

#include "core/engine_state.h"
#include "core/events.h"

namespace debug_draw {
namespace {

glm::vec4 g_color{0.0f, 0.0f, 0.0f, 1.0f};
bool g_drawing = false;
Painter* g_painter = nullptr;

// The painter to stroke with now, or none.
Painter* Active() { return g_drawing ? g_painter : nullptr; }

}  // namespace

void SetPainter(Painter* painter) { g_painter = painter; }

bool IsDrawing() { return g_drawing; }
glm::vec4 GetColor() { return g_color; }
void SetColor(float r, float g, float b, float a) { g_color = {r, g, b, a}; }

void Circle(float x, float y, float radius) { Circle(glm::vec3(x, y, 0.0f), radius); }

void Circle(glm::vec3 c, float radius) {
    if (Painter* p = Active()) p->Circle(c, radius, g_color);
}

void Ellipse(float x, float y, float radiusX, float radiusY) {
    if (Painter* p = Active()) p->Ellipse(glm::vec3(x, y, 0.0f), radiusX, radiusY, g_color);
}

void Line(float x0, float y0, float x1, float y1) { Line(glm::vec3(x0, y0, 0.0f), glm::vec3(x1, y1, 0.0f)); }

void Line(glm::vec3 from, glm::vec3 to) {
    if (Painter* p = Active()) p->Line(from, to, g_color);
}

void Rect(float x, float y, float width, float height) {
    if (Painter* p = Active()) p->Rect(glm::vec3(x, y, 0.0f), width, height, g_color);
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
