#pragma once
// Level documents: "levels/<name>.json" (authored, relative to the working
// directory) and "<save folder><name>.json" (the player's saved copy). One JSON
// object: "tile_map" (graphics/tile_map.h), "entities" (array, one entity
// object each, in live-list order) and "graphics" (graphics/lighting_settings.h).
#include <string>

// Replaces the current level by `name`: unloads the current one (UnloadLevel),
// destroys every entity and the tile map, reads the saved copy when not in the
// editor and it exists (else the authored copy), builds the tile map and the
// entities in file order, reads the lighting settings, marks `name` current
// (RequestLevel(name, true)) and raises "LevelLoad" (RaiseLevelLoad).
// A document that does not parse throws jsoncpp's runtime error with the
// parser's text (after printing "Error from reader: ..." to stderr); a bad
// value throws the library's or the registry's message, and a component member
// of the wrong type has the place added in front of the library's text
// (level/member_errors.h). The level is then half unloaded: the caller is
// expected to end in the crash dialog.
void LoadLevel(const std::string& name);

// The next LoadLevel reads the authored copy even where a saved copy exists
// (hot reload of a level file the designer changed); cleared by that load.
void ReadAuthoredCopyAtNextLoad();

// Writes the current level under `name`, to the saved copy (toSaveFolder) or the
// authored copy. In the editor "LevelUnload" is raised first (with a fresh null
// value) and deferred destruction is flushed, so scripts tidy up before the
// entities are written. The file is replaced atomically; without a save folder
// nothing is written.
void SaveLevel(const std::string& name, bool toSaveFolder);

// The last step of LoadLevel. Outside the editor, raises "LevelLoad" with the
// save record (null when there is none or it does not parse).
void RaiseLevelLoad();

// File names of a level.
std::string AuthoredLevelPath(const std::string& name);  // "levels/<name>.json"
std::string SavedLevelPath(const std::string& name);     // throws like GetSaveFolder
