#pragma once
// Watches folder trees through the kernel's file notification (inotify): no
// walking of the tree per frame. A file counts as changed at each write to it,
// when its write is closed, and when it is moved or renamed into place (the
// way editors save safely). Folders made later inside a watched tree, and watched folders that
// appear later in the base folder, are watched from then on.
#include <string>
#include <unordered_map>
#include <vector>

class FileWatcher {
public:
    // roots: folder names relative to `base` (e.g. "lua", "textures"); missing
    // ones are picked up when they appear. When the kernel refuses (no inotify,
    // watch limit), Ok() is false and Error() says why; nothing is watched.
    FileWatcher(const std::string& base, const std::vector<std::string>& roots);
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    bool Ok() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }

    // Appends the files changed since the last call, as paths relative to
    // base ("textures/hero.png"); never blocks.
    void Poll(std::vector<std::string>& changed);

private:
    void WatchTree(const std::string& relative);

    int fd_ = -1;
    std::string base_;
    std::vector<std::string> roots_;
    int baseWatch_ = -1;
    std::unordered_map<int, std::string> folders_;  // watch descriptor -> relative folder
    std::string error_;
};
