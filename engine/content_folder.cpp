#include "engine/content_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/log.h"
#include "core/save_folder.h"

namespace fs = std::filesystem;

// The build names the folder after the game (tools/package/package.cmake).
#ifndef QM_GAME_NAME
#define QM_GAME_NAME "quillmere"
#endif

namespace {
// Set while the working directory is the installed, read-only content.
bool g_onInstalledContent = false;

bool Enter(const std::string& folder, std::string& error) {
    if (chdir(folder.c_str()) == 0) return true;
    error = "cannot use \"" + folder + "\" as the content folder: " + std::strerror(errno);
    return false;
}
}  // namespace

bool HoldsContent(const std::string& folder) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(folder) / "lua/engine/init.lua", ec) &&
           fs::is_directory(fs::path(folder) / "levels", ec);
}

std::string InstalledContentFolder(const std::string& executable) {
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(fs::path(executable).parent_path() / "../share/" QM_GAME_NAME, ec);
    return !ec && HoldsContent(folder.string()) ? folder.string() : std::string();
}

bool EnterContentFolder(const std::string& requested, std::string& error) {
    g_onInstalledContent = false;
    if (!requested.empty()) return Enter(requested, error);
    if (HoldsContent(".")) return true;
    std::error_code ec;
    const std::string installed = InstalledContentFolder(fs::read_symlink("/proc/self/exe", ec).string());
    if (ec || installed.empty()) return true;
    g_onInstalledContent = Enter(installed, error);
    return g_onInstalledContent;
}

bool SwitchToEditableContent() {
    if (!g_onInstalledContent) return true;
    const std::string copy = GetSaveFolder() + "content";
    std::error_code ec;
    if (!HoldsContent(copy)) {
        fs::create_directories(copy, ec);
        if (!ec) fs::copy(".", copy, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    }
    std::string error = ec ? "cannot copy the content to \"" + copy + "\": " + ec.message() : "";
    if (error.empty() && Enter(copy, error)) {
        g_onInstalledContent = false;
        Print("Editor: the installed content is read-only; editing the copy in " + copy);
        return true;
    }
    Print("Editor: " + error);
    return false;
}
