#include "core/save_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/debug_exception.h"
#include "core/log.h"

#include <unistd.h>

namespace {

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The XDG_DOCUMENTS_DIR line of user-dirs.dirs, e.g.
//   XDG_DOCUMENTS_DIR="$HOME/Documents"
// with $HOME expanded. "" when the file or the line is missing.
std::string DocumentsFromUserDirs(const std::string& home) {
    std::string config = EnvOrEmpty("XDG_CONFIG_HOME");
    if (config.empty()) {
        if (home.empty()) return "";
        config = home + "/.config";
    }
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) {
            if (home.empty()) return "";
            value = home + value.substr(5);
        }
        // Relative entries are not valid in that file; skip them.
        return !value.empty() && value.front() == '/' ? value : "";
    }
    return "";
}

std::string DocumentsFolder() {
    std::string documents = EnvOrEmpty("XDG_DOCUMENTS_DIR");
    const std::string home = EnvOrEmpty("HOME");
    if (documents.empty()) documents = DocumentsFromUserDirs(home);
    if (documents.empty() && !home.empty()) documents = home + "/Documents";
    return documents;
}

// Where saves go when the documents folder cannot hold them: $XDG_DATA_HOME
// (only when absolute, as the XDG rules say), else ~/.local/share.
std::string DataFolder() {
    std::string data = EnvOrEmpty("XDG_DATA_HOME");
    if (data.empty() || data.front() != '/') {
        const std::string home = EnvOrEmpty("HOME");
        data = home.empty() ? "" : home + "/.local/share";
    }
    return data;
}

// base + "Quillmere/", created with its parents; "" when it cannot be made a
// folder we can write into (a file in its place, a read-only home).
std::string MakeWritableFolder(std::string base) {
    if (base.empty()) return "";
    if (base.back() != '/') base += '/';
    base += "Quillmere/";
    std::error_code ec;
    std::filesystem::create_directories(base, ec);
    if (ec || !std::filesystem::is_directory(base, ec) || access(base.c_str(), W_OK | X_OK) != 0) return "";
    return base;
}

// Says once where saves go while they cannot go to the documents folder.
void ReportFallback(const std::string& folder) {
    static std::string reported;
    if (folder == reported) return;
    reported = folder;
    Print("Save folder: the documents folder cannot be written, saves go to \"" + folder + "\"");
}

}  // namespace

std::string GetSaveFolder() {
    const std::string documents = DocumentsFolder();
    std::string folder = MakeWritableFolder(documents);
    if (!folder.empty()) return folder;
    folder = MakeWritableFolder(DataFolder());
    if (!folder.empty()) {
        ReportFallback(folder);
        return folder;
    }
    if (documents.empty()) throw debug::exception("Failed to create save in \"My Documents/Quillmere\"!");
    throw debug::exception("Failed to create save file path in \"My Documents/Quillmere\"!");
}
