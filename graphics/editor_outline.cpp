#include "graphics/editor_outline.h"

#include "core/events.h"

void EditorOutline::Connect(engine::entity_handle owner, const std::string& prefix, std::function<void()> draw) {
    const std::string name = prefix + std::to_string(owner.GetEntityID());
    // The component outlives neither its listeners nor this struct: Remove
    // disconnects both before the component is deleted.
    events::Connect<engine::entity_handle>(
        "EditorSelectedEntity", name, [this, owner, name, draw](engine::entity_handle selected) {
            if (!shown && selected == owner) {
                events::Connect<>("DebugDraw", name, draw);
                shown = true;
            } else if (shown && selected != owner) {
                events::Disconnect("DebugDraw", name);
                shown = false;
            }
        });
}

void EditorOutline::Disconnect(engine::entity_handle owner, const std::string& prefix) {
    const std::string name = prefix + std::to_string(owner.GetEntityID());
    events::Disconnect("EditorSelectedEntity", name);
    if (shown) events::Disconnect("DebugDraw", name);
    shown = false;
}
