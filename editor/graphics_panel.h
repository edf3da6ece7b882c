#pragma once
// The editor's "Graphics" panel: the level's lighting settings, edited in place
// (the renderer uses them from the next frame on, and saving the level writes
// them), and the light and shadow caster counts of the last frame.
namespace editor {

// The cap on each kind of light passed to the lighting pass, shown as a fixed
// number.
constexpr int kShownLightCap = 45;

void DrawGraphicsPanel();

}  // namespace editor
