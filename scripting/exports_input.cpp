// Exports: keyboard, mouse and controller. (The "intput" spelling is the
// scripts' established name.) Without Input (headless runs) nothing is held.
#include "core/camera.h"
#include "core/input.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

extern "C" int32_t lb_intput_get_key(int32_t key) {
    return scripting::Guarded([&] {
        Input* input = GetInput();
        return input ? input->IsKeyDown(key) : 0;
    });
}

extern "C" lb_vec2 lb_intput_get_mouse_pos(void) {
    return scripting::Guarded([&] {
        Input* input = GetInput();
        if (!input) return lb_vec2{0.0f, 0.0f};
        const glm::vec2 cursor = input->GetCursorPosition();
        const glm::vec3 world = GetCamera().ScreenToWorld(cursor.x, cursor.y, 0.0f);
        return lb_vec2{world.x, world.y};
    });
}

extern "C" lb_vec2 lb_intput_get_stick(int32_t stick) {
    return scripting::Guarded([&] {
        Input* input = GetInput();
        if (!input) return lb_vec2{0.0f, 0.0f};
        const glm::vec2 v = input->GetStick(stick);
        return lb_vec2{v.x, v.y};
    });
}

extern "C" bool lb_input_controller_preset(void) {
    return scripting::Guarded([&] {
        Input* input = GetInput();
        return input && input->HasController();
    });
}
