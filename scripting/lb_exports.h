#pragma once
// Every function the game's Lua scripts call through LuaJIT's FFI (ffi.C).
//
// This header is the single source of the script-side declarations: the build
// copies the block between the ffi-begin and ffi-end markers into
// game/lua/engine/ffi_decls.lua (preprocessor lines dropped), so a change here
// reaches the scripts at the next build. Keep it plain C, one declaration per
// line. The comment above each declaration is its entry in the scripting
// reference (docs/scripting.md, made by tools/docs/): what it does, its units,
// and what a bad argument gets ("Lua Error": a printed "Lua Error: ..." line).
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
// Creates an entity named "Entity" at (0, 0, 0) with no components and returns its handle.
lb_handle lb_create_entity(void);
// Destroys the entity at the end of the frame; a dead or reused handle is ignored.
void lb_destroy_entity(uint32_t index, uint32_t generation);
// Adds the built-in or script component type `name` with default data and initialises it; an unknown name
// ends in the crash dialog.
void lb_entity_add_component(uint32_t index, uint32_t generation, const char* name);
// Whether the entity carries component type `name`; an unknown name ends in the crash dialog.
bool lb_entity_has_component(uint32_t index, uint32_t generation, const char* name);
// Removes component type `name`; true when one was removed, false when the entity had none; an unknown name
// ends in the crash dialog.
bool lb_entity_remove_component(uint32_t index, uint32_t generation, const char* name);
// The entity's position (x, y) in world units.
lb_vec2 lb_entity_get_pos(uint32_t index, uint32_t generation);
// Moves the entity to (x, y) in world units, keeping its z.
void lb_entity_set_pos(uint32_t index, uint32_t generation, float x, float y);
// Sets the entity's z, keeping x and y: a sprite with larger z is drawn in front.
void lb_entity_set_z(uint32_t index, uint32_t generation, float z);
// Whether the box collider is a ghost (reports collisions, never pushes); no box collider: Lua Error, false.
bool lb_collider_box_get_ghost(uint32_t index, uint32_t generation);
// Whether the box collider is static (never moved by collisions); no box collider: Lua Error, false.
bool lb_collider_box_get_static(uint32_t index, uint32_t generation);
// Makes the box collider a ghost or solid again; no box collider: Lua Error, no change.
void lb_collider_box_set_ghost(uint32_t index, uint32_t generation, bool v);
// Makes the box collider static or movable; no box collider: Lua Error, no change.
void lb_collider_box_set_static(uint32_t index, uint32_t generation, bool v);
// Sets the box's centre offset from the entity, world units; no box collider: Lua Error, no change.
void lb_collider_box_set_center(uint32_t index, uint32_t generation, float x, float y);
// Sets the box's width in world units (turned by the box's angle); no box collider: Lua Error, no change.
void lb_collider_box_set_width(uint32_t index, uint32_t generation, float w);
// Sets the box's height in world units (turned by the box's angle); no box collider: Lua Error, no change.
void lb_collider_box_set_height(uint32_t index, uint32_t generation, float h);
// Whether the circle collider is a ghost (reports collisions, never pushes); no circle collider: Lua Error,
// false.
bool lb_collider_circle_get_ghost(uint32_t index, uint32_t generation);
// Whether the circle collider is static (never moved by collisions); no circle collider: Lua Error, false.
bool lb_collider_circle_get_static(uint32_t index, uint32_t generation);
// Makes the circle collider a ghost or solid again; no circle collider: Lua Error, no change.
void lb_collider_circle_set_ghost(uint32_t index, uint32_t generation, bool v);
// Makes the circle collider static or movable; no circle collider: Lua Error, no change.
void lb_collider_circle_set_static(uint32_t index, uint32_t generation, bool v);
// Sets the circle's centre offset from the entity, world units; no circle collider: Lua Error, no change.
void lb_collider_circle_set_center(uint32_t index, uint32_t generation, float x, float y);
// Sets the circle's radius in world units; no circle collider: Lua Error, no change.
void lb_collider_circle_set_radius(uint32_t index, uint32_t generation, float r);
// The body's velocity in world units per second; no rigid body: Lua Error, (0, 0).
lb_vec2 lb_rigidbody_get_velocity(uint32_t index, uint32_t generation);
// Sets the body's velocity in world units per second; no rigid body: Lua Error, no change.
void lb_rigidbody_set_velocity(uint32_t index, uint32_t generation, float x, float y);
// Where the point light shines from: entity position plus the light's offset, world units; no point light:
// Lua Error, (0, 0).
lb_vec2 lb_point_light_get_pos(uint32_t index, uint32_t generation);
// The light's reach in world units; no point light: Lua Error, 0.
float lb_point_light_get_radius(uint32_t index, uint32_t generation);
// Sets the light's offset from the entity, world units; no point light: Lua Error, no change.
void lb_point_light_set_offset(uint32_t index, uint32_t generation, float x, float y);
// Sets the light's colour, each channel 0 to 1; no point light: Lua Error, no change.
void lb_point_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b);
// Sets the light's ambient intensity (0 is none, 1 full); no point light: Lua Error, no change.
void lb_point_light_set_ambient_intensity(uint32_t index, uint32_t generation, float v);
// Sets the light's diffuse intensity (0 turns it off); no point light: Lua Error, no change.
void lb_point_light_set_diffuse_intensity(uint32_t index, uint32_t generation, float v);
// Sets the light's reach in world units; no point light: Lua Error, no change.
void lb_point_light_set_radius(uint32_t index, uint32_t generation, float v);
// Sets the constant, linear and quadratic attenuation terms, in that order; no point light: Lua Error, no
// change.
void lb_point_light_set_attenuation(uint32_t index, uint32_t generation, float a, float b, float c);
// Centre of the moon light: entity position plus its offset, world units; no moon light: Lua Error, (0, 0).
lb_vec2 lb_moon_light_get_pos(uint32_t index, uint32_t generation);
// Sets the moon light's offset from the entity, world units; no moon light: Lua Error, no change.
void lb_moon_light_set_offset(uint32_t index, uint32_t generation, float x, float y);
// Sets the moon light's intensity (0 is none); no moon light: Lua Error, no change.
void lb_moon_light_set_intensity(uint32_t index, uint32_t generation, float v);
// Sets the radius in world units inside which the moon light is full; no moon light: Lua Error, no change.
void lb_moon_light_set_inner_radius(uint32_t index, uint32_t generation, float v);
// Sets the level's moonlight colour (every moon light), channels 0 to 1; the entity is not used and need not
// have a moon light.
void lb_moon_light_set_color(uint32_t index, uint32_t generation, float r, float g, float b);
// Accepted for old scripts and does nothing, for any entity.
void lb_moon_light_set_falloff(uint32_t index, uint32_t generation, float v);
// Accepted for old scripts and does nothing, for any entity.
void lb_moon_light_set_outer_radius(uint32_t index, uint32_t generation, float v);
// Centre of the shadow caster: entity position plus its offset, world units; no shadow caster: Lua Error, (0,
// 0).
lb_vec2 lb_shadow_caster_get_pos(uint32_t index, uint32_t generation);
// Sets the caster's offset from the entity, world units; no shadow caster: Lua Error, no change.
void lb_shadow_caster_set_offset(uint32_t index, uint32_t generation, float x, float y);
// Sets the width of the caster's shadow-casting box, world units; no shadow caster: Lua Error, no change.
void lb_shadow_caster_set_width(uint32_t index, uint32_t generation, float v);
// Sets the height of the caster's shadow-casting box, world units; no shadow caster: Lua Error, no change.
void lb_shadow_caster_set_height(uint32_t index, uint32_t generation, float v);
// Whether the sprite is snapped to whole pixels when drawn; no sprite: Lua Error, false.
bool lb_sprite_get_clamped(uint32_t index, uint32_t generation);
// Whether the sprite is drawn lit and shadowed in the scene (else unlit over it); no sprite: Lua Error, false.
bool lb_sprite_get_environmental(uint32_t index, uint32_t generation);
// Whether the sprite's animation loops; no sprite: Lua Error, false.
bool lb_sprite_get_looping(uint32_t index, uint32_t generation);
// Seconds each animation frame shows; no sprite: Lua Error, -1.
float lb_sprite_get_frame_time(uint32_t index, uint32_t generation);
// Seconds the current frame has shown; no sprite: Lua Error, -1.
float lb_sprite_get_elapsed_time(uint32_t index, uint32_t generation);
// The animation frame shown; no sprite: Lua Error, 4294967295.
uint32_t lb_sprite_get_current_frame(uint32_t index, uint32_t generation);
// Snaps the sprite to whole pixels when drawn (true) or not; no sprite: Lua Error, no change.
void lb_sprite_set_clamped(uint32_t index, uint32_t generation, bool v);
// Draws the sprite lit in the scene (true) or unlit over the composed screen; no sprite: Lua Error, no change.
void lb_sprite_set_environmental(uint32_t index, uint32_t generation, bool v);
// Makes the animation loop or stop at its last frame; no sprite: Lua Error, no change.
void lb_sprite_set_looping(uint32_t index, uint32_t generation, bool v);
// Sets the seconds each frame shows (0 stops the animation); no sprite: Lua Error, no change.
void lb_sprite_set_frame_time(uint32_t index, uint32_t generation, float v);
// Sets the seconds the current frame has shown; no sprite: Lua Error, no change.
void lb_sprite_set_elapsed_time(uint32_t index, uint32_t generation, float v);
// Shows frame f modulo (frame count + 1); no sprite: Lua Error, no change.
void lb_sprite_set_current_frame(uint32_t index, uint32_t generation, uint32_t f);
// Sets how many frames the animation has; no sprite: Lua Error, no change.
void lb_sprite_set_num_frames(uint32_t index, uint32_t generation, uint32_t n);
// Sets the rows of the sprite sheet (at least 1); no sprite: Lua Error, no change.
void lb_sprite_set_num_rows(uint32_t index, uint32_t generation, uint32_t n);
// Sets the columns of the sprite sheet (at least 1); no sprite: Lua Error, no change.
void lb_sprite_set_num_columns(uint32_t index, uint32_t generation, uint32_t n);
// Shows textures/<name>.png (a missing picture shows "debug"); no sprite: Lua Error, no change.
void lb_sprite_set_texture(uint32_t index, uint32_t generation, const char* name);
// Multiplies the sprite's colour by (r, g, b, a), each 0 to 1; no sprite: Lua Error, no change.
void lb_sprite_set_tint(uint32_t index, uint32_t generation, float r, float g, float b, float a);
// Shifts where the sprite is drawn, world units down the screen; no sprite: Lua Error, no change.
void lb_sprite_set_y_offset(uint32_t index, uint32_t generation, float v);
// Starts forwarding the engine's events to events.Call; lua/engine/init.lua calls it once; a second call ends
// in the crash dialog.
void lb_connect_events(void);
// Prints text as one line of the log and the console; NULL prints an empty line.
void lb_print(const char* text);
// Registers a script component type by name (components.Define calls it); a name already taken keeps its
// type.
void lb_register_component(const char* name);
// Inside a script component's inspector: a number field; outside an inspector it does nothing.
void lb_component_edit_double(const char* label, float value);
// Inside a script component's inspector: a text field; outside an inspector it does nothing.
void lb_component_edit_string(const char* label, const char* value);
// Writes key = value into the record being saved; outside a save it prints a "Lua Error" line and writes
// nothing.
void lb_serialize_number(const char* key, double value);
// Writes key = text into the record being saved; outside a save it prints a "Lua Error" line and writes
// nothing.
void lb_serialize_string(const char* key, const char* value);
// Loads levels/<level>.json at the start of the next frame; a second request in the same frame is ignored; a
// missing level ends in the crash dialog.
void lb_engine_change_level(const char* level);
// Changes to the level the save record names (the player's Continue).
void lb_engine_load_saved_level(void);
// Deletes the save files, closes the pause menu, stops saving on unload, then changes to the level.
void lb_engine_load_level_restart(const char* level);
// Whether a save record names a level to continue; the file is read at each call.
bool lb_engine_has_save_file(void);
// Whether leaving a level (a door, quitting) saves the game.
void lb_engine_save_on_unload(bool on);
// Whether the editor is open.
bool lb_engine_in_editor(void);
// Whether the game is paused (dt is then 0).
bool lb_engine_is_paused(void);
// Pauses the game: dt becomes 0, music and effects pause; nothing when already paused.
void lb_engine_pause(void);
// Resumes the game; nothing when not paused.
void lb_engine_unpause(void);
// Closes the pause menu when it is open, resuming the game and raising "PauseMenuUnPaused".
void lb_pause_menu_unpause(void);
// Ends the game after the current frame (the level is unloaded and saved as usual).
void lb_engine_quit_game(void);
// Loads textures/<name>.png once and returns its id and size in pixels; a missing picture gives "debug".
TextureInfo lb_graphics_load_texture(const char* name);
// Draws the texture unlit this frame as a width x height quad at world (x, y, z), with alpha 0 to 1;
// headless, nothing.
void lb_graphics_draw(TextureInfo texture, uint32_t width, uint32_t height, float x, float y, float z, float alpha);
// Whether the game is full screen; headless, false.
bool lb_graphics_get_fullscreen(void);
// Switches between full screen and the window; nothing when already so, or headless.
void lb_graphics_set_fullscreen(bool on);
// The visible width in world units (viewport pixels / pixel scale).
int32_t lb_graphics_get_width(void);
// The visible height in world units.
int32_t lb_graphics_get_height(void);
// Sets the level's global ambient intensity (0 is dark, 1 full).
void lb_graphics_set_global_ambient_intensity(float v);
// The camera's position in world units.
lb_vec2 lb_camera_get_pos(void);
// Moves the camera to (x, y) in world units.
void lb_camera_set_pos(float x, float y);
// Zooms the camera by s: 1 is normal, 2 draws the world twice as large.
void lb_camera_set_scale(float s);
// Colour (channels 0 to 1) of the debug shapes drawn after it.
void lb_debug_draw_set_color(float r, float g, float b, float a);
// Draws a debug line this frame between two points in world units.
void lb_debug_draw_line(float x1, float y1, float x2, float y2);
// Draws a debug circle this frame, centre and radius in world units.
void lb_debug_draw_circle(float x, float y, float r);
// Draws a debug rectangle this frame, corner (x, y) and size in world units.
void lb_debug_draw_rect(float x, float y, float w, float h);
// 1 while the key is held, else 0: GLFW key codes up to 348, controller buttons 349 to 357; headless, 0.
int32_t lb_intput_get_key(int32_t key);
// The cursor in world units; headless, (0, 0).
lb_vec2 lb_intput_get_mouse_pos(void);
// Deflection of controller stick 0 (left) or 1 (right), each axis -1 to 1; no controller, (0, 0).
lb_vec2 lb_intput_get_stick(int32_t stick);
// Whether a controller is connected.
bool lb_input_controller_preset(void);
// Plays the cue at full volume; an unknown cue prints "Attempted to play invalid cue!" and plays nothing.
void lb_sounds_play(const char* cue);
// Stops the cue; an unknown cue prints "Attempted to stop invalid cue!".
void lb_sounds_stop(const char* cue);
// Plays the cue "Button_Hover" unless the window is minimised or there is no such cue.
void lb_sounds_play_hover(void);
// Plays the cue "Button_Select" likewise.
void lb_sounds_play_select(void);
// Mutes or unmutes all sound (the "Master Bus"); kept across levels.
void lb_sounds_mute_all(bool on);
// Whether all sound is muted.
bool lb_sounds_all_muted(void);
// Mutes or unmutes the music cues; kept across levels.
void lb_sounds_mute_music(bool on);
// Whether the music is muted.
bool lb_sounds_music_muted(void);
// ffi-end

#ifdef __cplusplus
}
#endif
