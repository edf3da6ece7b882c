#include "editor/level_name.h"

namespace editor {
namespace {

// Most file systems stop a file name at 255 bytes; ".json" is added to it.
constexpr size_t kMaxFileName = 255;
constexpr size_t kExtensionLength = 5;

}  // namespace

std::string LevelNameProblem(const std::string& name) {
    if (name.empty()) return "the name is empty";
    if (name.find_first_not_of(' ') == std::string::npos) return "the name is only spaces";
    if (name.find_first_of("/\\") != std::string::npos) return "a name cannot hold / or \\";
    if (name.find("..") != std::string::npos) return "a name cannot hold ..";
    // A leading dot hides the file, and the listing of "load" skips it.
    if (name.front() == '.') return "a name cannot start with a dot";
    if (name.size() + kExtensionLength > kMaxFileName) return "the name is too long for a file";
    return "";
}

}  // namespace editor
