#pragma once
// Every function the game's Lua scripts call through LuaJIT's FFI (ffi.C).
//
// This header is the single source of the script-side declarations: the build
// copies the block between the ffi-begin and ffi-end markers into
// game/lua/engine/ffi_decls.lua (preprocessor lines dropped), so a change here
// reaches the scripts at the next build. Keep it plain C, one declaration per
// line.
//
// An entity is passed as two arguments, slot index then generation; a dead or
// reused handle ends in the crash dialog. Strings are borrowed for the call.
// Positions are world units (pixels of the 498 x 280 scene, +y down).
#ifdef __cplusplus
#include <cstdint>
#include "graphics/texture_cache.h"  // TextureInfo
extern "C" {
#else
#include <stdbool.h>
#include <stdint.h>
#endif

// ffi-begin
typedef struct lb_vec2 { float x; float y; } lb_vec2;
typedef struct lb_handle { uint32_t index; uint32_t generation; } lb_handle;
#ifndef __cplusplus
typedef struct TextureInfo { uint32_t id; int32_t width; int32_t height; } TextureInfo;
#endif
lb_handle lb_create_entity(void);
void lb_destroy_entity(uint32_t index, uint32_t generation);
void lb_entity_add_component(uint32_t index, uint32_t generation, const char* name);
bool lb_entity_has_component(uint32_t index, uint32_t generation, const char* name);
bool lb_entity_remove_component(uint32_t index, uint32_t generation, const char* name);
lb_vec2 lb_entity_get_pos(uint32_t index, uint32_t generation);
void lb_entity_set_pos(uint32_t index, uint32_t generation, float x, float y);
void lb_entity_set_z(uint32_t index, uint32_t generation, float z);
bool lb_collider_box_get_ghost(uint32_t index, uint32_t generation);
bool lb_collider_box_get_static(uint32_t index, uint32_t generation);
void lb_collider_box_set_ghost(uint32_t index, uint32_t generation, bool v);
void lb_collider_box_set_static(uint32_t index, uint32_t generation, bool v);
void lb_collider_box_set_center(uint32_t index, uint32_t generation, float x, float y);
void lb_collider_box_set_width(uint32_t index, uint32_t generation, float w);
void lb_collider_box_set_height(uint32_t index, uint32_t generation, float h);
bool lb_collider_circle_get_ghost(uint32_t index, uint32_t generation);
bool lb_collider_circle_get_static(uint32_t index, uint32_t generation);
void lb_collider_circle_set_ghost(uint32_t index, uint32_t generation, bool v);
void lb_collider_circle_set_static(uint32_t index, uint32_t generation, bool v);
void lb_collider_circle_set_center(uint32_t index, uint32_t generation, float x, float y);
void lb_collider_circle_set_radius(uint32_t index, uint32_t generation, float r);
lb_vec2 lb_rigidbody_get_velocity(uint32_t index, uint32_t generation);
void lb_rigidbody_set_velocity(uint32_t index, uint32_t generation, float x, float y);
lb_vec2 lb_point_light_get_pos(uint32_t index, uint32_t generation);
float lb_point_light_get_radius(uint32_t index, uint32_t generation);
void lb_point_light_set_offset(uint32_t index, uint32_t generation, float x, float y);
void lb_point_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b);
void lb_point_light_set_ambient_intensity(uint32_t index, uint32_t generation, float v);
void lb_point_light_set_diffuse_intensity(uint32_t index, uint32_t generation, float v);
void lb_point_light_set_radius(uint32_t index, uint32_t generation, float v);
void lb_point_light_set_attenuation(uint32_t index, uint32_t generation, float a, float b, float c);
lb_vec2 lb_moon_light_get_pos(uint32_t index, uint32_t generation);
void lb_moon_light_set_offset(uint32_t index, uint32_t generation, float x, float y);
void lb_moon_light_set_intensity(uint32_t index, uint32_t generation, float v);
void lb_moon_light_set_inner_radius(uint32_t index, uint32_t generation, float v);
void lb_moon_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b);
void lb_moon_light_set_falloff(uint32_t index, uint32_t generation, float v);
void lb_moon_light_set_outer_radius(uint32_t index, uint32_t generation, float v);
lb_vec2 lb_shadow_caster_get_pos(uint32_t index, uint32_t generation);
void lb_shadow_caster_set_offset(uint32_t index, uint32_t generation, float x, float y);
void lb_shadow_caster_set_width(uint32_t index, uint32_t generation, float v);
void lb_shadow_caster_set_height(uint32_t index, uint32_t generation, float v);
bool lb_sprite_get_clamped(uint32_t index, uint32_t generation);
bool lb_sprite_get_environmental(uint32_t index, uint32_t generation);
bool lb_sprite_get_looping(uint32_t index, uint32_t generation);
float lb_sprite_get_frame_time(uint32_t index, uint32_t generation);
float lb_sprite_get_elapsed_time(uint32_t index, uint32_t generation);
uint32_t lb_sprite_get_current_frame(uint32_t index, uint32_t generation);
void lb_sprite_set_clamped(uint32_t index, uint32_t generation, bool v);
void lb_sprite_set_environmental(uint32_t index, uint32_t generation, bool v);
void lb_sprite_set_looping(uint32_t index, uint32_t generation, bool v);
void lb_sprite_set_frame_time(uint32_t index, uint32_t generation, float v);
void lb_sprite_set_elapsed_time(uint32_t index, uint32_t generation, float v);
void lb_sprite_set_current_frame(uint32_t index, uint32_t generation, uint32_t f);
void lb_sprite_set_num_frames(uint32_t index, uint32_t generation, uint32_t n);
void lb_sprite_set_num_rows(uint32_t index, uint32_t generation, uint32_t n);
void lb_sprite_set_num_columns(uint32_t index, uint32_t generation, uint32_t n);
void lb_sprite_set_texture(uint32_t index, uint32_t generation, const char* name);
void lb_sprite_set_tint(uint32_t index, uint32_t generation, float r, float g, float b, float a);
void lb_sprite_set_y_offset(uint32_t index, uint32_t generation, float v);
void lb_connect_events(void);
void lb_print(const char* text);
void lb_register_component(const char* name);
void lb_component_edit_double(const char* label, float value);
void lb_component_edit_string(const char* label, const char* value);
void lb_serialize_number(const char* key, double value);
void lb_serialize_string(const char* key, const char* value);
void lb_engine_change_level(const char* level);
void lb_engine_load_saved_level(void);
void lb_engine_load_level_restart(const char* level);
bool lb_engine_has_save_file(void);
void lb_engine_save_on_unload(bool on);
bool lb_engine_in_editor(void);
bool lb_engine_is_paused(void);
void lb_engine_pause(void);
void lb_engine_unpause(void);
void lb_pause_menu_unpause(void);
void lb_engine_quit_game(void);
TextureInfo lb_graphics_load_texture(const char* name);
void lb_graphics_draw(TextureInfo texture, uint32_t width, uint32_t height, float x, float y, float z, float alpha);
bool lb_graphics_get_fullscreen(void);
void lb_graphics_set_fullscreen(bool on);
int32_t lb_graphics_get_width(void);
int32_t lb_graphics_get_height(void);
void lb_graphics_set_global_ambient_intensity(float v);
lb_vec2 lb_camera_get_pos(void);
void lb_camera_set_pos(float x, float y);
void lb_camera_set_scale(float s);
void lb_debug_draw_set_color(float r, float g, float b, float a);
void lb_debug_draw_line(float x1, float y1, float x2, float y2);
void lb_debug_draw_circle(float x, float y, float r);
void lb_debug_draw_rect(float x, float y, float w, float h);
int32_t lb_intput_get_key(int32_t key);
lb_vec2 lb_intput_get_mouse_pos(void);
lb_vec2 lb_intput_get_stick(int32_t stick);
bool lb_input_controller_preset(void);
void lb_sounds_play(const char* cue);
void lb_sounds_stop(const char* cue);
void lb_sounds_play_hover(void);
void lb_sounds_play_select(void);
void lb_sounds_mute_all(bool on);
bool lb_sounds_all_muted(void);
void lb_sounds_mute_music(bool on);
bool lb_sounds_music_muted(void);
// ffi-end

#ifdef __cplusplus
}
#endif
