#include "core/log.h"

#include <cstdio>

namespace {
PrintObserver g_observer = nullptr;

std::deque<std::string>& Lines() {
    static std::deque<std::string> lines;
    return lines;
}
}  // namespace

void Print(const std::string& text) {
    auto& lines = Lines();
    if (lines.size() >= kMaxLogLines) lines.pop_front();
    lines.push_back(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (g_observer) g_observer(text);
}

void SetPrintObserver(PrintObserver observer) { g_observer = observer; }

const std::deque<std::string>& GetLog() { return Lines(); }

void ClearLog() { Lines().clear(); }
