#pragma once
// Level transitions started by scripts: change, restart, continue from the save,
// and the one-shot saver of the level being left.
#include <string>

namespace game_flow {

// Does nothing while a change is already pending this frame (levelName differs
// from previousLevelName). Otherwise requests `level` for the next frame and,
// when saving on unload outside the editor, arms the one-shot saver
// (ConnectSaveLevelOnUnload, engine/game_flow.h).
void ChangeLevel(const std::string& level);
// Deletes every saved file, closes the pause menu, skips the record of the next
// unload, then changes to `level` (which loads from levels/, its copy is gone).
void RestartLevel(const std::string& level);
// Changes to the save record's "last_level".
void ContinueSavedLevel();
// Whether the save record names a level; the record is read at each call.
bool HasSaveFile();

}  // namespace game_flow
