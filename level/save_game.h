#pragma once
// Placeholder interface until the save logic lands.
#include <string>

std::string GetSaveFolder();  // ends with "/"; throws debug::exception on failure
void UnloadLevel();
std::string ReadLastLevel();
void DeleteSave();
