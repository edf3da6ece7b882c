#pragma once
// Placeholder interface until the level loader lands.
#include <string>

class TileMap;

void LoadLevel(const std::string& name);
void SaveLevel(const std::string& name, bool toSaveFolder);
void RaiseLevelLoad();
TileMap* GetTileMap();  // the current level's tile map, null before the first load
