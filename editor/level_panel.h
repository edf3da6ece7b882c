#pragma once
// The "Level" panel of the editor window: the level's name, loading, saving
// with a full reload of scripts and textures, deleting the player's save,
// clearing the level, the entity list and the inspector of the primary
// selection.
#include <functional>
#include <string>

#include "ecs/entity_handle.h"

class Editor;

namespace editor {

void DrawLevelPanel(Editor& editor);

// "load level": loads levels/<name>.json at once. When the file is broken
// (it does not parse, a member has the wrong type, a component is unknown)
// the level in memory is put back as it was, edits, selection and undo
// history included, and the loader's message is printed and shown in the
// panel. Returns whether the named level was loaded.
bool LoadLevelFromEditor(const std::string& name);
// "save level and reload assets": writes the level to levels/, destroys every
// entity, empties the texture cache, restarts the scripts (through the restart
// set below, when there is one) and loads the level again; a file that does
// not load back is answered as in LoadLevelFromEditor.
void SaveLevelAndReloadAssets();
// Set by whatever owns the Lua host and the pause menu (the Engine) so the
// editor can restart them without knowing it; empty clears it. Tests and tools
// leave it empty and get the level and textures reloaded only.
void SetScriptRestart(std::function<void()> restart);
// "clear" then "yes": destroys every entity.
void ClearLevel();

// A click on an entry of the entity list: SelectEntity(it, replace = !ctrl,
// toggle = true); the entry becomes the end of a range with shift, else its
// start.
void ClickEntityInList(Editor& editor, engine::entity_handle h, bool ctrl, bool shift);
// When both ends of a range are set: selects (adding, no toggling) every live
// entity from the first end met in list order to the other, both included,
// then forgets both ends.
void ApplyRangeSelection(Editor& editor);

}  // namespace editor
