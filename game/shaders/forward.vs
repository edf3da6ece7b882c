#version 330 core
// Shared by the forward and forward depth programs.
//
// World +y points down the screen, but the view matrices map world +y to clip
// +y (OpenGL's up). Negating clip y here, after all the matrices, is what
// turns the world the right way up; every vertex shader of the engine does the
// same, so off-screen targets and the window agree. Texture v = 0 (the first
// PNG row) then lands at the top of a picture: anchored quads hang their
// picture upright from the entity position, and the composition quad's
// negative y scale puts the off-screen image's smallest world y at the top.
layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;

uniform mat4 model;
uniform mat4 view;

out vec2 uv;
#ifdef SCENE_UV
// Where the same window pixel samples the scene (the free sprites' composition).
layout (location = 2) in vec2 scene_tex_coord;
out vec2 scene_uv;
#endif

// Sprite depth is -z plus a small term from y (see Sprite::ModelMatrix), and
// levels may use any z. Depths beyond +-0.5 are squeezed into (-1, 1), keeping
// their order, so no sprite leaves the clip range whatever its z; the views are
// orthographic (w = 1).
float KeepInDepthRange(float z) {
    float a = abs(z);
    return a <= 0.5 ? z : sign(z) * (0.5 + 0.5 * (a - 0.5) / (a - 0.5 + 8.0));
}

void main() {
    gl_Position = view * model * vec4(position, 1.0);
    gl_Position.y = -gl_Position.y;
    gl_Position.z = KeepInDepthRange(gl_Position.z);
    uv = tex_coord;
#ifdef SCENE_UV
    scene_uv = scene_tex_coord;
#endif
}
