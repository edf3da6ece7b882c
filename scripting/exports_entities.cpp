// Exports: creating and destroying entities, their components by name, position.
#include "ecs/entity_store.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

namespace {
engine::entity_handle Handle(uint32_t index, uint32_t generation) { return {index, generation}; }
}  // namespace

extern "C" lb_handle lb_create_entity(void) {
    return scripting::Guarded([&] {
        engine::entity_handle h = engine::CreateEntity();
        return lb_handle{h.index, h.generation};
    });
}

extern "C" void lb_destroy_entity(uint32_t index, uint32_t generation) {
    scripting::Guarded([&] { engine::DestroyEntity(Handle(index, generation)); });
}

extern "C" void lb_entity_add_component(uint32_t index, uint32_t generation, const char* name) {
    scripting::Guarded([&] { Handle(index, generation).AddComponent(name, Json::Value()); });
}

extern "C" bool lb_entity_has_component(uint32_t index, uint32_t generation, const char* name) {
    return scripting::Guarded([&] {
        engine::entity_handle h = Handle(index, generation);
        h.GetBaseEntity();  // a dead handle is reported before an unknown name
        return h.HasComponent(name);
    });
}

extern "C" bool lb_entity_remove_component(uint32_t index, uint32_t generation, const char* name) {
    return scripting::Guarded([&] {
        engine::entity_handle h = Handle(index, generation);
        h.GetBaseEntity();
        return h.RemoveComponent(name);
    });
}

extern "C" lb_vec2 lb_entity_get_pos(uint32_t index, uint32_t generation) {
    return scripting::Guarded([&] {
        const glm::vec3& p = Handle(index, generation).GetPosition();
        return lb_vec2{p.x, p.y};
    });
}

extern "C" void lb_entity_set_pos(uint32_t index, uint32_t generation, float x, float y) {
    scripting::Guarded([&] {
        glm::vec3& p = Handle(index, generation).GetPosition();
        p.x = x;
        p.y = y;
    });
}

extern "C" void lb_entity_set_z(uint32_t index, uint32_t generation, float z) {
    scripting::Guarded([&] { Handle(index, generation).GetPosition().z = z; });
}
