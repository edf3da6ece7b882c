// Exports: textures and drawing, the window size, the camera, debug drawing.
#include <cstddef>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "graphics/graphics.h"
#include "graphics/lighting_settings.h"
#include "graphics/texture_cache.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

// Scripts declare TextureInfo themselves (from lb_exports.h); the engine's must match it.
static_assert(sizeof(TextureInfo) == 12 && offsetof(TextureInfo, id) == 0 && offsetof(TextureInfo, width) == 4 &&
              offsetof(TextureInfo, height) == 8);

namespace {
// The size of the texture loaded last, copied into each result.
int g_lastWidth = 0;
int g_lastHeight = 0;
}  // namespace

extern "C" TextureInfo lb_graphics_load_texture(const char* name) {
    return scripting::Guarded([&] {
        TextureInfo info;
        info.id = LoadTexture(name, g_lastWidth, g_lastHeight);
        info.width = g_lastWidth;
        info.height = g_lastHeight;
        return info;
    });
}

extern "C" void lb_graphics_draw(TextureInfo texture, uint32_t width, uint32_t height, float x, float y, float z,
                                 float alpha) {
    // The record's own width and height are the picture's; the script chooses
    // the drawn size. Without a window (headless runs) there is nothing to draw on.
    scripting::Guarded([&] {
        if (Graphics* graphics = GetGraphics())
            graphics->DrawTexture(texture.id, width, height, x, y, z, glm::vec4(1.0f, 1.0f, 1.0f, alpha));
    });
}

extern "C" bool lb_graphics_get_fullscreen(void) {
    return scripting::Guarded([&] {
        const Graphics* graphics = GetGraphics();
        return graphics != nullptr && graphics->GetFullscreen();
    });
}

extern "C" void lb_graphics_set_fullscreen(bool on) {
    // Graphics ignores a switch to the state it is already in.
    scripting::Guarded([&] {
        if (Graphics* graphics = GetGraphics()) graphics->SetFullscreen(on);
    });
}

extern "C" int32_t lb_graphics_get_width(void) {
    return scripting::Guarded([&] { return static_cast<int32_t>(GetCamera().VisibleWorldSize().x); });
}

extern "C" int32_t lb_graphics_get_height(void) {
    return scripting::Guarded([&] { return static_cast<int32_t>(GetCamera().VisibleWorldSize().y); });
}

extern "C" void lb_graphics_set_global_ambient_intensity(float v) {
    scripting::Guarded([&] { GetLightingSettings().globalAmbientIntensity = v; });
}

extern "C" lb_vec2 lb_camera_get_pos(void) {
    return scripting::Guarded([&] {
        const glm::vec3 p = GetCamera().GetPosition();
        return lb_vec2{p.x, p.y};
    });
}

extern "C" void lb_camera_set_pos(float x, float y) {
    scripting::Guarded([&] {
        Camera& camera = GetCamera();
        camera.SetPosition(x, y, camera.GetPosition().z);
    });
}

extern "C" void lb_camera_set_scale(float s) {
    scripting::Guarded([&] { GetCamera().SetScale(s); });
}

extern "C" void lb_debug_draw_set_color(float r, float g, float b, float a) {
    scripting::Guarded([&] { debug_draw::SetColor(r, g, b, a); });
}

extern "C" void lb_debug_draw_line(float x1, float y1, float x2, float y2) {
    scripting::Guarded([&] { debug_draw::Line(x1, y1, x2, y2); });
}

extern "C" void lb_debug_draw_circle(float x, float y, float r) {
    scripting::Guarded([&] { debug_draw::Circle(x, y, r); });
}

extern "C" void lb_debug_draw_rect(float x, float y, float w, float h) {
    scripting::Guarded([&] { debug_draw::Rect(x, y, w, h); });
}
