#pragma once
// Debug drawing: lines, circles, ellipses and rectangles in world coordinates,
// stroked over the finished frame. Any floor may draw (colliders, lights, the
// editor's markers, scripts); the strokes go to the painter the renderer hands
// down at start (graphics/debug_painter.h). Shapes are drawn only while
// "DebugDraw" is being raised and a painter is set; at any other time (and
// headless) every call does nothing.
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

namespace debug_draw {

// Where the strokes go. Positions are world units; radii and sizes too.
struct Painter {
    virtual ~Painter() = default;
    virtual void Line(glm::vec3 from, glm::vec3 to, glm::vec4 color) = 0;
    virtual void Circle(glm::vec3 centre, float radius, glm::vec4 color) = 0;
    virtual void Ellipse(glm::vec3 centre, float radiusX, float radiusY, glm::vec4 color) = 0;
    virtual void Rect(glm::vec3 centre, float width, float height, glm::vec4 color) = 0;
};

// The painter used from now on (not owned; nullptr: nothing is drawn).
void SetPainter(Painter* painter);

void Circle(float x, float y, float radius);
void Circle(glm::vec3 centre, float radius);
void Ellipse(float x, float y, float radiusX, float radiusY);
void Line(float x0, float y0, float x1, float y1);
void Line(glm::vec3 from, glm::vec3 to);
void Rect(float x, float y, float width, float height);  // centred on (x, y)
void Quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d);

glm::vec4 GetColor();
void SetColor(float r, float g, float b, float a);

bool IsDrawing();  // true only while "DebugDraw" is being raised

// Registers "DebugDraw" (called once by the engine at start-up).
void RegisterEvent();
// The debug-draw frame: unless drawing is skipped, raises "DebugDraw" with the
// drawing flag set (called by the frame loop after Graphics::Draw).
void RunFrame();

}  // namespace debug_draw
