#pragma once
// The editor's "Sound" panel: audition the loaded events, make cues from them,
// and play, stop, delete and re-level the cues.
namespace editor {
void DrawSoundPanel();
}
