#pragma once
// The player's progress: the save record "save_file.json" in the save folder
// (core/save_folder.h), and saved copies of levels beside it.
//
// The record is one JSON object: whatever the "LevelUnload" and
// "LevelUnloadFinished" listeners (the scripts) put into the object they are
// handed, plus "last_level", the level being left when it was written.
#include <string>

// Leaves the current level: raises "LevelUnload" with a fresh save object,
// flushes deferred entity destruction, raises "LevelUnloadFinished" with the
// same object, then either writes it as the save record (saveOnUnload set and
// no editor involved; failures are swallowed) or arms saveOnUnload for the next
// unload.
void UnloadLevel();

// "last_level" of the save record, or "" when there is no readable record.
// Reads the file at every call.
std::string ReadLastLevel();

// Deletes every ".json" file of the save folder: the record and all saved level
// copies, and the temporary files of interrupted writes. A save folder failure
// is thrown; single failed deletions are ignored.
void DeleteSave();

// Removes the "*.tmp" files that a write killed half-way left in the save
// folder (the file it was replacing is intact beside it). Run at start-up,
// before anything writes; a missing save folder is not an error here.
void RemoveStaleTemporaryFiles();

// Whether a readable save record names a level.
bool HasSave();
