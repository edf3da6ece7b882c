#pragma once
// The editor aid shared by point lights and shadow casters: while the editor has
// the owning entity selected, a "DebugDraw" listener named <prefix><entity id>
// draws the component's outline; when the selection moves elsewhere it goes away.
#include <functional>
#include <string>

#include "ecs/entity_handle.h"

struct EditorOutline {
    bool shown = false;  // the "DebugDraw" listener is connected

    // Connects <prefix><id> to "EditorSelectedEntity". `draw` runs on every
    // "DebugDraw" while the owner is selected.
    void Connect(engine::entity_handle owner, const std::string& prefix, std::function<void()> draw);
    // Disconnects both listeners (the "DebugDraw" one only when shown).
    void Disconnect(engine::entity_handle owner, const std::string& prefix);
};
