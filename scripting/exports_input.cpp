// Exports: keyboard, mouse and controller. (The "intput" spelling is the
// scripts' established name.)
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

extern "C" int32_t lb_intput_get_key(int32_t key) {
    return scripting::Guarded([&] { (void)key; return 0; /* INPUT-PENDING */ });
}

extern "C" lb_vec2 lb_intput_get_mouse_pos(void) {
    return scripting::Guarded([&] { return lb_vec2{0.0f, 0.0f}; /* INPUT-PENDING */ });
}

extern "C" lb_vec2 lb_intput_get_stick(int32_t stick) {
    return scripting::Guarded([&] { (void)stick; return lb_vec2{0.0f, 0.0f}; /* INPUT-PENDING */ });
}

extern "C" bool lb_input_controller_preset(void) {
    return scripting::Guarded([&] { return false; /* INPUT-PENDING */ });
}
