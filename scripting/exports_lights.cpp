// Exports: point lights, moon lights, shadow casters.
//
// Every one follows the component pattern of scripting/component_access.h.
#include "graphics/lighting_settings.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "scripting/component_access.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

using scripting::Guarded;
using scripting::WithComponent;

namespace {
// Lights and casters sit at their entity's position plus their offset. The
// record at hand is used rather than the component's own lookup of its owner:
// the accessor has just resolved it.
lb_vec2 WorldPosition(const engine::entity_base& entity, glm::vec2 offset) {
    return lb_vec2{entity.position.x + offset.x, entity.position.y + offset.y};
}
}  // namespace

extern "C" lb_vec2 lb_point_light_get_pos(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<PointLight>(index, generation, "Lua Error: Attempted to get position on component with no point light", lb_vec2{0.0f, 0.0f},
                                 [&](PointLight& c, engine::entity_base& e) -> lb_vec2 { return WorldPosition(e, c.GetOffset()); });
    });
}

extern "C" float lb_point_light_get_radius(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<PointLight>(index, generation, "Lua Error: Attempted to get radius on component with no point light", 0.0f,
                                 [&](PointLight& c, engine::entity_base&) -> float { return c.GetRadius(); });
    });
}

extern "C" void lb_point_light_set_offset(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set offset on component with no point light", [&](PointLight& c, engine::entity_base&) {
            c.SetOffset(x, y);
        });
    });
}

extern "C" void lb_point_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set color on component with no point light", [&](PointLight& c, engine::entity_base&) {
            c.SetColor(r, g, b);
        });
    });
}

extern "C" void lb_point_light_set_ambient_intensity(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set ambient intensity on component with no point light", [&](PointLight& c, engine::entity_base&) {
            c.SetAmbientIntensity(v);
        });
    });
}

extern "C" void lb_point_light_set_diffuse_intensity(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set diffuse intensity on component with no point light", [&](PointLight& c, engine::entity_base&) {
            c.SetDiffuseIntensity(v);
        });
    });
}

extern "C" void lb_point_light_set_radius(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set radius on component with no point light", [&](PointLight& c, engine::entity_base&) {
            c.SetRadius(v);
        });
    });
}

extern "C" void lb_point_light_set_attenuation(uint32_t index, uint32_t generation, float a, float b, float c) {
    Guarded([&] {
        WithComponent<PointLight>(index, generation, "Lua Error: Attempted to set attenuation on component with no point light", [&](PointLight& light, engine::entity_base&) {
            light.SetAttenuation(a, b, c);
        });
    });
}

extern "C" lb_vec2 lb_moon_light_get_pos(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<MoonLight>(index, generation, "Lua Error: Attempted to get position on component with no moon light", lb_vec2{0.0f, 0.0f},
                                 [&](MoonLight& c, engine::entity_base& e) -> lb_vec2 { return WorldPosition(e, c.GetOffset()); });
    });
}

extern "C" void lb_moon_light_set_offset(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<MoonLight>(index, generation, "Lua Error: Attempted to set offset on component with no moon light", [&](MoonLight& c, engine::entity_base&) {
            c.SetOffset(x, y);
        });
    });
}

extern "C" void lb_moon_light_set_intensity(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<MoonLight>(index, generation, "Lua Error: Attempted to set intensity on component with no moon light", [&](MoonLight& c, engine::entity_base&) {
            c.SetIntensity(v);
        });
    });
}

extern "C" void lb_moon_light_set_inner_radius(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<MoonLight>(index, generation, "Lua Error: Attempted to set inner radius on component with no moon light", [&](MoonLight& c, engine::entity_base&) {
            c.SetInnerRadius(v);
        });
    });
}

extern "C" void lb_moon_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b) {
    // The moonlight colour is the level's, shared by every moon light: the entity is not used.
    Guarded([&] { GetLightingSettings().moonlightColor = glm::vec3(r, g, b); });
}

// Kept for the scripts that still call them; moon lights have no such settings.
extern "C" void lb_moon_light_set_falloff(uint32_t index, uint32_t generation, float v) {
}

extern "C" void lb_moon_light_set_outer_radius(uint32_t index, uint32_t generation, float v) {
}

extern "C" lb_vec2 lb_shadow_caster_get_pos(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<ShadowCaster>(index, generation, "Lua Error: Attempted to get position on component with no shadow caster", lb_vec2{0.0f, 0.0f},
                                 [&](ShadowCaster& c, engine::entity_base& e) -> lb_vec2 { return WorldPosition(e, c.GetOffset()); });
    });
}

extern "C" void lb_shadow_caster_set_offset(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<ShadowCaster>(index, generation, "Lua Error: Attempted to set offset on component with no shadow caster", [&](ShadowCaster& c, engine::entity_base&) {
            c.SetOffset(x, y);
        });
    });
}

extern "C" void lb_shadow_caster_set_width(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<ShadowCaster>(index, generation, "Lua Error: Attempted to set width on component with no shadow caster", [&](ShadowCaster& c, engine::entity_base&) {
            c.SetWidth(v);
        });
    });
}

extern "C" void lb_shadow_caster_set_height(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<ShadowCaster>(index, generation, "Lua Error: Attempted to set height on component with no shadow caster", [&](ShadowCaster& c, engine::entity_base&) {
            c.SetHeight(v);
        });
    });
}
