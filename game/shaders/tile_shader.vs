#version 330 core
// Tile-map cells, drawn into the 498 x 280 scene like the lit sprites, many
// per draw call: each instance brings the model matrix of its cell.
//
// World +y points down the screen. The view matrix maps world +y to clip +y,
// so clip y is negated as the last step, exactly as the forward programs do:
// the scene target and the window then agree, and texture v = 0 (the first
// PNG row) is the top of a picture.
layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;
layout (location = 2) in mat4 model;  // per instance (locations 2..5)
layout (location = 8) in float rank_depth;  // per instance: clip z of its place in the draw order

uniform mat4 view;

out vec2 uv;
// The window-space depth of the picture itself, for the composition; the depth
// test of the scene runs on rank_depth instead (the first fragment in draw
// order keeps a pixel).
flat out float scene_depth;

// Sprite depth is -z plus a small term from y (see Sprite::ModelMatrix), and
// levels may use any z. Depths beyond +-0.5 are squeezed into (-1, 1), keeping
// their order, so no sprite leaves the clip range whatever its z; the views are
// orthographic (w = 1).
float KeepInDepthRange(float z) {
    float a = abs(z);
    return a <= 0.5 ? z : sign(z) * (0.5 + 0.5 * (a - 0.5) / (a - 0.5 + 8.0));
}

void main() {
    vec4 world = model * vec4(position, 1.0);
    gl_Position = view * world;
    gl_Position.y = -gl_Position.y;
    // What gl_FragCoord.z would be at depth range [0, 1]: the quad is flat in
    // z, and z * 0.5 is exact, so this rounds once, as the viewport does.
    scene_depth = KeepInDepthRange(gl_Position.z) * 0.5 + 0.5;
    gl_Position.z = rank_depth;
    uv = tex_coord;
}
