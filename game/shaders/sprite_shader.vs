#version 330 core
// Lit sprites, drawn into the 498 x 280 scene.
//
// World +y points down the screen. The view matrix maps world +y to clip +y,
// so clip y is negated as the last step, exactly as the forward programs do:
// the scene target and the window then agree, and texture v = 0 (the first
// PNG row) is the top of a picture.
layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;

uniform mat4 model;
uniform mat4 view;

out vec2 uv;
out vec2 world_pos;  // world units, for lights and the shadow mask

void main() {
    vec4 world = model * vec4(position, 1.0);
    world_pos = world.xy;
    gl_Position = view * world;
    gl_Position.y = -gl_Position.y;
    uv = tex_coord;
}
