#pragma once
// Where the player's progress goes. Saves, saved level copies, console log
// copies and screenshots all live here, so finding it is foundation work that
// every folder may use; what is written into it belongs to its writers.
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
