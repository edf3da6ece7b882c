#pragma once
// The renderer's debug painter: strokes debug shapes through Dear ImGui's
// background draw list, placed by the camera, over the finished frame.
#include "core/debug_draw.h"

// The painter the engine hands to debug_draw::SetPainter at start.
debug_draw::Painter& ImGuiDebugPainter();
