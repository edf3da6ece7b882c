#include "ecs/entity_inspector.h"

void DrawEntityInspector(engine::entity_handle) {}
