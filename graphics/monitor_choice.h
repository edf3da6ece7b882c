#pragma once
// Where SetFullscreen puts the window, as plain maths so it is tested without
// a display.
#include <vector>

#include <glm/vec2.hpp>

constexpr int kWindowedWidth = 1280;  // window pixels
constexpr int kWindowedHeight = 720;

// Walks the monitors' origins in GLFW's order; a monitor becomes the choice
// when the window's position lies at or beyond its origin and its origin is at
// or beyond the chosen one's x, or when its origin's y is at or beyond the
// chosen one's y. The start is the primary monitor at (0, 0). Returns the
// index of the chosen origin, or -1 for the primary monitor.
int ChooseMonitor(glm::ivec2 windowPos, const std::vector<glm::ivec2>& origins);

// Top-left corner of the 1280x720 window centred on a monitor whose current
// video mode is `modeSize` and whose origin is `origin` (integer halves).
glm::ivec2 WindowedPosition(glm::ivec2 modeSize, glm::ivec2 origin);
