#version 330 core
// Unlit sprites over the composed screen, many per draw call: each instance
// brings its model matrix, tint and frame rectangle (see sprite_shader.vs).
// Clip y is negated last, as in every vertex shader of the engine.
layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;   // 0 or 1 at each corner
layout (location = 2) in mat4 model;       // per instance (locations 2..5)
layout (location = 6) in vec4 tint_in;     // per instance
layout (location = 7) in vec4 frame;       // per instance: u0, v0, u1, v1

uniform mat4 view;

out vec2 uv;
flat out vec4 tint;

void main() {
    gl_Position = view * model * vec4(position, 1.0);
    gl_Position.y = -gl_Position.y;
    uv = vec2(tex_coord.x < 0.5 ? frame.x : frame.z, tex_coord.y < 0.5 ? frame.y : frame.w);
    tint = tint_in;
}
