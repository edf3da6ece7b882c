#pragma once
// The player's progress: the save folder (Documents/Quillmere/), the save
// record "save_file.json" in it, and saved copies of levels beside it.
//
// The record is one JSON object: whatever the "LevelUnload" and
// "LevelUnloadFinished" listeners (the scripts) put into the object they are
// handed, plus "last_level", the level being left when it was written.
#include <string>

// The save folder, ending in "/": the documents folder ($XDG_DOCUMENTS_DIR, else
// the XDG_DOCUMENTS_DIR entry of user-dirs.dirs, else $HOME/Documents) followed
// by "Quillmere/". When that cannot be made a writable folder (a file in its
// place, a read-only home), the data folder instead: $XDG_DATA_HOME/Quillmere/,
// else ~/.local/share/Quillmere/, and the log says so once. Worked out anew and
// created (with missing parents) at every call. When neither works, throws
// debug::exception with
//   "Failed to create save in \"My Documents/Quillmere\"!" when no documents
//   folder can be named, and
//   "Failed to create save file path in \"My Documents/Quillmere\"!" when the
//   folder cannot be created.
std::string GetSaveFolder();

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
