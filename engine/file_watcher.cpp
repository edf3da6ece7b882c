#include "engine/file_watcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

constexpr uint32_t kFileEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_CREATE;
constexpr uint32_t kBaseEvents = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR;

}  // namespace

FileWatcher::FileWatcher(const std::string& base, const std::vector<std::string>& roots)
    : base_(base.empty() ? "." : base), roots_(roots) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
        error_ = std::strerror(errno);
        return;
    }
    baseWatch_ = inotify_add_watch(fd_, base_.c_str(), kBaseEvents);
    if (baseWatch_ < 0) {
        error_ = base_ + ": " + std::strerror(errno);
        close(fd_);
        fd_ = -1;
        return;
    }
    for (const std::string& root : roots_) WatchTree(root);
}

FileWatcher::~FileWatcher() {
    if (fd_ >= 0) close(fd_);
}

void FileWatcher::WatchTree(const std::string& relative) {
    const std::string path = base_ + "/" + relative;
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) return;
    const int wd = inotify_add_watch(fd_, path.c_str(), kFileEvents | IN_ONLYDIR);
    if (wd < 0) {
        error_ = path + ": " + std::strerror(errno);
        return;
    }
    folders_[wd] = relative;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
        std::error_code typeError;
        if (entry.is_directory(typeError)) WatchTree(relative + "/" + entry.path().filename().string());
    }
}

void FileWatcher::Poll(std::vector<std::string>& changed) {
    if (fd_ < 0) return;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = read(fd_, buffer, sizeof(buffer));
        if (length <= 0) return;  // EAGAIN: nothing more for now
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            const std::string name = event->len ? std::string(event->name) : std::string();
            if (event->mask & IN_IGNORED) {
                folders_.erase(event->wd);
                continue;
            }
            if (event->wd == baseWatch_) {
                if (std::find(roots_.begin(), roots_.end(), name) != roots_.end()) WatchTree(name);
                continue;
            }
            auto folder = folders_.find(event->wd);
            if (folder == folders_.end() || name.empty()) continue;
            const std::string relative = folder->second + "/" + name;
            if (event->mask & IN_ISDIR) {
                // A folder made or moved in: watch it, and count the files it
                // already holds (they may have been written before the watch).
                if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
                    WatchTree(relative);
                    std::error_code ec;
                    for (const auto& entry :
                         std::filesystem::recursive_directory_iterator(base_ + "/" + relative, ec)) {
                        std::error_code typeError;
                        if (entry.is_regular_file(typeError))
                            changed.push_back(relative + "/" +
                                              entry.path().lexically_relative(base_ + "/" + relative).string());
                    }
                }
                continue;
            }
            // A plain create is followed by writes to it. Each write counts, not
            // only the close: a burst stays open while a slow writer is busy.
            if (event->mask & (IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO)) changed.push_back(relative);
        }
    }
}
