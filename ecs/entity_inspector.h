#pragma once
// The entity inspector: the GUI widgets that edit one entity (its name,
// position and every component, with adding and removing components). Drawn
// inside the editor's "Level" panel for the primary selection.
#include "ecs/entity_handle.h"

// Draws the inspector for a live entity into the current GUI window.
void DrawEntityInspector(engine::entity_handle entity);
