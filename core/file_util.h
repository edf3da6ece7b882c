#pragma once
// Whole-file reads and crash-safe writes. A write goes to "<path>.tmp" beside
// the target and is renamed over it, so a crash mid-write never leaves a
// half-written level or save in place of the good one.
#include <optional>
#include <string>
#include <vector>

// No value when the path cannot be opened or is a directory.
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteFileAtomically(const std::string& path, const std::string& content);
// Names (without extension) of the files in a folder with the given extension,
// sorted by name. A missing folder gives an empty list.
std::vector<std::string> ListFilesWithExtension(const std::string& folder, const std::string& extension);
