#pragma once
// Level documents kept somewhere else than levels/ and the player's saved
// copy: the editor's copy of unsaved edits kept through a crash.
#include <string>

// Writes the current level's document to `path`, raising nothing; returns
// whether it was written.
bool WriteLevelFile(const std::string& path);
// The next LoadLevel reads the level from `path` instead of its own file;
// cleared by that load.
void ReadFileAtNextLoad(const std::string& path);
