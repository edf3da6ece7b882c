#include "scripting/export_guard.h"

#include "engine/debug_exception.h"

#if __has_include("engine/crash_report.h")
#include "engine/crash_report.h"
#else
#include <cstdio>
#include <cstdlib>
// Until the engine's crash report exists: the message, then the same exit.
[[noreturn]] static void ExitWithCrashReport(const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    std::fflush(stderr);
    std::_Exit(0);
}
#endif

namespace scripting {

void CrashFromExport(const std::exception& error) { ExitWithCrashReport(error); }

void CrashFromExportUnknown() {
    ExitWithCrashReport(debug::exception("Unknown exception in an engine function called by a script"));
}

}  // namespace scripting
