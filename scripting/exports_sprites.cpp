// Exports: sprites.
//
// Every one follows the component pattern of scripting/component_access.h.
#include "graphics/sprite.h"
#include "scripting/component_access.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

using scripting::Guarded;
using scripting::WithComponent;

extern "C" bool lb_sprite_get_clamped(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get clamping on component with no sprite", false,
                                 [&](Sprite& c, engine::entity_base&) -> bool { return c.GetClamped(); });
    });
}

extern "C" bool lb_sprite_get_environmental(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get environmental on component with no sprite", false,
                                 [&](Sprite& c, engine::entity_base&) -> bool { return c.GetEnvironmental(); });
    });
}

extern "C" bool lb_sprite_get_looping(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get looping on component with no sprite", false,
                                 [&](Sprite& c, engine::entity_base&) -> bool { return c.GetLooping(); });
    });
}

extern "C" float lb_sprite_get_frame_time(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get frame time on component with no sprite", -1.0f,
                                 [&](Sprite& c, engine::entity_base&) -> float { return c.GetFrameTime(); });
    });
}

extern "C" float lb_sprite_get_elapsed_time(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get elapsed time on component with no sprite", -1.0f,
                                 [&](Sprite& c, engine::entity_base&) -> float { return c.GetElapsedTime(); });
    });
}

extern "C" uint32_t lb_sprite_get_current_frame(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<Sprite>(index, generation, "Lua Error: Attempted to get frame on component with no sprite", 0xFFFFFFFFu,
                                 [&](Sprite& c, engine::entity_base&) -> uint32_t { return c.GetCurrentFrame(); });
    });
}

extern "C" void lb_sprite_set_clamped(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set clamping on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetClamped(v);
        });
    });
}

extern "C" void lb_sprite_set_environmental(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set environmental on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetEnvironmental(v);
        });
    });
}

extern "C" void lb_sprite_set_looping(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set looping on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetLooping(v);
        });
    });
}

extern "C" void lb_sprite_set_frame_time(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set frame time on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetFrameTime(v);
        });
    });
}

extern "C" void lb_sprite_set_elapsed_time(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set elapsed time on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetElapsedTime(v);
            c.BuildFrameQuad();
        });
    });
}

extern "C" void lb_sprite_set_current_frame(uint32_t index, uint32_t generation, uint32_t f) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set frame on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            // Frames are 1-based, so the modulus is one more than the count.
            const uint32_t frame = f % (c.GetFrames() + 1u);
            if (frame != c.GetCurrentFrame()) c.SetCurrentFrame(frame);
        });
    });
}

extern "C" void lb_sprite_set_num_frames(uint32_t index, uint32_t generation, uint32_t n) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set num frames on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            if (n != c.GetFrames()) c.SetFrames(n);
        });
    });
}

extern "C" void lb_sprite_set_num_rows(uint32_t index, uint32_t generation, uint32_t n) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set num rows on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            if (n != c.GetRows()) c.SetRows(n);
        });
    });
}

extern "C" void lb_sprite_set_num_columns(uint32_t index, uint32_t generation, uint32_t n) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set num columns on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            if (n != c.GetColumns()) c.SetColumns(n);
        });
    });
}

extern "C" void lb_sprite_set_texture(uint32_t index, uint32_t generation, const char* name) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set texture on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetTexture(name);
        });
    });
}

extern "C" void lb_sprite_set_tint(uint32_t index, uint32_t generation, float r, float g, float b, float a) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set tint on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetTint(glm::vec4(r, g, b, a));
        });
    });
}

extern "C" void lb_sprite_set_y_offset(uint32_t index, uint32_t generation, float v) {
    Guarded([&] {
        WithComponent<Sprite>(index, generation, "Lua Error: Attempted to set y offset on component with no sprite", [&](Sprite& c, engine::entity_base&) {
            c.SetYOffset(v);
        });
    });
}
