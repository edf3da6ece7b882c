#pragma once
// Unsaved edits outlive a crash: when the engine must stop while the editor
// holds edits not yet written to levels/, the level is first written to a
// recovery copy in the save folder (never over the level's own file), the
// crash message says where, and the editor offers the copy the next time it
// shows that level.
#include <string>

namespace editor {

// "<save folder>recovery/<level>.json"; throws like GetSaveFolder.
std::string RecoveryCopyPath(const std::string& level);
// Lets the crash report write the recovery copy (done when the editor opens).
void InstallCrashRescue();
// Writes the recovery copy of the level shown when the editor is open and the
// level has unsaved edits; returns the line for the crash message, or an
// empty text when nothing was written.
std::string WriteRecoveryCopy();
// Whether a recovery copy of `level` is waiting. The save folder is looked at
// again only when the level or its entities were replaced (LevelEpoch) or a
// copy was loaded or discarded.
bool HasRecoveryCopy(const std::string& level);
// Loads the copy as the level `level` (still unsaved, so marked as changed)
// and removes it; a copy that does not load is answered as a broken file and
// kept. Returns whether it loaded.
bool LoadRecoveryCopy(const std::string& level);
void DiscardRecoveryCopy(const std::string& level);

}  // namespace editor
