#version 330 core
// A free sprite's layer onto the window, where the sprite is in front of the
// scene: one pass instead of the scene's depth under the sprite and then the
// sprite. The window holds the scene's colour already; its depth holds the
// scene's, or else only what earlier free sprites wrote (1 elsewhere under
// them), so the scene's depth is read here, at the pixel the scene's
// composition reads it. The depth test then orders the free sprites among
// themselves. Against the scene the depths are compared as floats, not as the
// window's depth bits: only depths closer than those bits can tell apart
// (z differing by about 1e-7) may come out the other way.
in vec2 uv;
in vec2 scene_uv;

uniform sampler2D in_texture;   // the layer's colour
uniform sampler2D in_depth;     // the layer's depth (1 where it is clear)
uniform sampler2D scene_depth;  // the scene's depth (1 where nothing is)

out vec4 color;

void main() {
    float depth = texture(in_depth, uv).r;
    if (!(depth < texture(scene_depth, scene_uv).r)) discard;
    color = texture(in_texture, uv);
    gl_FragDepth = depth;
}
