#include "core/file_util.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Plain system calls rather than stdio or streams: a level is megabytes, a
// string stream copied it several times over, and every heap block of a
// kilobyte or more (stdio's buffer, a spare read block) makes malloc first merge
// all the small blocks the previous level had just freed. The text is sized once
// from the file; whatever the size did not foretell (a file still growing, a
// pipe) is read on through a block on the stack.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    struct stat info {};
    const bool known = fstat(fd, &info) == 0;
    // A directory opens but has no text: it counts as a file that cannot be
    // opened, so a folder named like a saved level falls back to the authored one.
    if (known && S_ISDIR(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    if (known && S_ISREG(info.st_mode) && info.st_size > 0) text.resize(size_t(info.st_size));
    size_t filled = 0;
    char block[4096];
    for (;;) {
        const bool inPlace = filled < text.size();
        char* to = inPlace ? text.data() + filled : block;
        const ssize_t n = read(fd, to, inPlace ? text.size() - filled : sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // end of file, or an error: keep what was read
        if (!inPlace) text.append(block, size_t(n));
        filled += size_t(n);
    }
    close(fd);
    text.resize(filled);
    return text;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::string temp = path + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (size_t written = 0; ok && written < content.size();) {
        const ssize_t n = write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) written += size_t(n);
    }
    // On disk before the rename, so a crash leaves the old file or the new one.
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::vector<std::string> ListFilesWithExtension(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const auto& p = entry.path();
        if (p.extension() == "." + extension) names.push_back(p.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
