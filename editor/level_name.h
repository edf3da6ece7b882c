#pragma once
// Which texts may name a level. The "level" field decides the file the level
// is written to (levels/<name>.json), so a name must stay one plain file
// inside levels/.
#include <string>

namespace editor {

// Why `name` cannot name a level file, in a few words; empty when it can.
std::string LevelNameProblem(const std::string& name);

}  // namespace editor
