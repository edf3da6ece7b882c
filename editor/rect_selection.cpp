#include "editor/rect_selection.h"

#include <cmath>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "editor/cursor.h"
#include "editor/picking.h"

namespace editor {
namespace {

constexpr const char* kListener = "MouseMovementMouseSelection";

struct RectState {
    bool active = false;
    glm::vec3 anchor{0.0f};
    bool removeMode = false;
    bool toggle = false;
};

RectState g_rect;

void DrawRect() {
    // The state survives the editor; outside it there is nothing to show.
    if (GetEngineState().mode != EngineMode::Editor) return;
    const glm::vec3 cursor = CursorWorldPosition();
    const glm::vec3 centre = (g_rect.anchor + cursor) * 0.5f;
    debug_draw::Rect(centre.x, centre.y, std::fabs(cursor.x - g_rect.anchor.x), std::fabs(cursor.y - g_rect.anchor.y));
}

void DisconnectListener() {
    if (events::IsRegistered("DebugDraw")) events::Disconnect("DebugDraw", kListener);
}

}  // namespace

void StartRectSelection(bool removeMode, bool toggle) {
    if (g_rect.active) DisconnectListener();
    g_rect = {true, CursorWorldPosition(), removeMode, toggle};
    events::Connect<>("DebugDraw", kListener, [] { DrawRect(); });
}

bool RectSelectionActive() { return g_rect.active; }

RectSelection EndRectSelection() {
    RectSelection result;
    if (!g_rect.active) return result;
    DisconnectListener();
    g_rect.active = false;
    const glm::vec3 cursor = CursorWorldPosition();
    result.covered = EntitiesInside(glm::vec2(g_rect.anchor), glm::vec2(cursor));
    result.removeMode = g_rect.removeMode;
    result.toggle = g_rect.toggle;
    return result;
}

void CancelRectSelection() {
    if (g_rect.active) DisconnectListener();
    g_rect.active = false;
}

}  // namespace editor
