#pragma once
// The engine's log: every line goes to standard output (flushed) and into an
// in-memory list of at most 1000 lines that the console shows.
#include <deque>
#include <string>

constexpr size_t kMaxLogLines = 1000;

void Print(const std::string& text);

// Oldest line first.
const std::deque<std::string>& GetLog();
void ClearLog();

// Called with every printed line after it is written; null to stop. The
// headless runner watches for "Lua Error" lines through it.
using PrintObserver = void (*)(const std::string& line);
void SetPrintObserver(PrintObserver observer);
