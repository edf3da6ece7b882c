#include "core/crash_report.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <vector>

#include <GLFW/glfw3.h>

extern char** environ;

namespace {

constexpr const char* kTitle = "Unrecoverable Exception";

bool g_headless = false;
CrashRescue g_rescue = nullptr;

// The rescue runs in a process that is failing: whatever it throws is dropped,
// and an error inside it that comes back here does not run it again.
std::string RunRescueOnce() {
    const CrashRescue rescue = g_rescue;
    g_rescue = nullptr;
    if (!rescue) return "";
    try {
        return rescue();
    } catch (...) {
        return "";
    }
}

// A local display ":N" (or "unix:N") is reachable when its socket accepts a
// connection. Remote displays are left to the dialog program to try. Checking
// first keeps a stale $DISPLAY from costing anything but this connect.
bool DisplayReachable() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    std::string d = display;
    if (d.rfind("unix:", 0) == 0) d = d.substr(4);
    if (d[0] != ':') return true;
    const std::string number = d.substr(1, d.find('.') == std::string::npos ? std::string::npos : d.find('.') - 1);
    const std::string path = "/tmp/.X11-unix/X" + number;

    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    if (!ok) {
        // X servers also listen on the abstract socket of the same name.
        sockaddr_un abstractAddr{};
        abstractAddr.sun_family = AF_UNIX;
        std::strncpy(abstractAddr.sun_path + 1, path.c_str(), sizeof(abstractAddr.sun_path) - 2);
        ok = connect(fd, reinterpret_cast<sockaddr*>(&abstractAddr),
                     socklen_t(offsetof(sockaddr_un, sun_path) + 1 + path.size())) == 0;
    }
    close(fd);
    return ok;
}

// Runs a program and waits for it. False only when it could not be started.
bool RunAndWait(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return true;
    }
    // 127: the shell-style "could not execute" status of a spawned child.
    return !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
}

void ShowDialog(const std::string& message) {
    // zenity's OK button is the default one, so Return answers it.
    if (RunAndWait({"zenity", "--error", "--no-markup", "--title", kTitle, "--ok-label", "OK", "--text", message}))
        return;
    RunAndWait({"xmessage", "-title", kTitle, "-center", "-buttons", "OK:0", "-default", "OK", message});
}

// A full-screen game window would cover the dialog (and keep the keyboard), so
// it goes out of the way first. The window is found through its current GL
// context rather than through Graphics, which may be half built or half torn
// down when the error struck; with no window (or no GLFW) there is none.
void HideGameWindow() {
    if (GLFWwindow* window = glfwGetCurrentContext()) glfwHideWindow(window);
}

}  // namespace

std::string CrashMessage(const std::string& what) {
    return what +
           "\n\nPlease report the circumstances of this error, and the above message, to a member of Team "
           "Cendrith.\n" +
           "You can reach us at the Team Cendrith issue tracker or by mail at bugs@cendrith.example.\n";
}

void ExitWithCrashReport(const std::string& what) {
    const std::string rescued = RunRescueOnce();
    const std::string message = CrashMessage(rescued.empty() ? what : what + "\n\n" + rescued);
    std::fflush(stdout);
    std::fputs(message.c_str(), stderr);
    std::fflush(stderr);
    if (g_headless) _exit(1);
    if (DisplayReachable()) {
        HideGameWindow();
        ShowDialog(message);
    }
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(0);
}

void SetHeadlessCrashReport(bool on) { g_headless = on; }
void SetCrashRescue(CrashRescue rescue) { g_rescue = rescue; }

void ExitWithCrashReport(const std::exception& error) { ExitWithCrashReport(std::string(error.what())); }
