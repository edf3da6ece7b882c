#include "scripting/export_guard.h"

#include "core/debug_exception.h"

#include "core/crash_report.h"

namespace scripting {

void CrashFromExport(const std::exception& error) { ExitWithCrashReport(error); }

void CrashFromExportUnknown() {
    ExitWithCrashReport(debug::exception("Unknown exception in an engine function called by a script"));
}

}  // namespace scripting
