#pragma once
// Every script runs again, the way the editor's "save level and reload assets"
// does it, but without writing anything and without going back to the level
// file: the level's entities are kept, with the fields of their script
// components.
#include <functional>

// Serialises every live entity (script components write their fields), destroys
// them all, calls restartScripts (the Engine's RestartScripts: a new pause menu
// and Lua host, every script run again), creates the entities again from what
// was written, in the same order, and then, outside the editor, raises
// "LevelLoad" with the save record as a level load does. The tile map and the
// lighting settings are untouched.
void ReloadScriptsKeepingEntities(const std::function<void()>& restartScripts);

// Whether lua/engine/init.lua compiles (in a scratch state; nothing runs).
// A file that does not is printed and the reload is skipped: rebuilding the
// host on it would end the game.
bool StartupScriptCompiles();
