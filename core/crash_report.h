#pragma once
// The last word of the process on an unrecoverable error. The entry point and
// the exported lb_ functions (whose callers, scripts, cannot take a C++
// exception) both end here.
#include <exception>
#include <string>

// The exception's text followed by the request to report it and who to contact.
std::string CrashMessage(const std::string& what);

// Writes CrashMessage(what) to standard error; when an X display is set and
// reachable, also hides the game window and shows the message in a modal
// dialog titled "Unrecoverable Exception" with one OK button (Return answers
// it) and waits for it. Then ends the process with status 0 without running any
// destructor: the state that threw cannot be trusted to tear itself down.
[[noreturn]] void ExitWithCrashReport(const std::string& what);
// Called once, first thing, by ExitWithCrashReport: it may save what would
// otherwise be lost (the editor's unsaved edits) and returns a line for the
// message saying where, or an empty text. Null removes it.
using CrashRescue = std::string (*)();
void SetCrashRescue(CrashRescue rescue);
// Headless runs (no player to answer a dialog, a test runner reading the exit
// status): the message goes to standard error only and the process ends with
// status 1.
void SetHeadlessCrashReport(bool on);
[[noreturn]] void ExitWithCrashReport(const std::exception& error);
