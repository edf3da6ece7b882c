#include "editor/sound_cue_editor.h"

namespace editor {
void DrawSoundPanel() {}
}  // namespace editor
