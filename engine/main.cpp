// The entry point: one Engine, run until the window is asked to close.
#include <exception>

#include "engine/crash_report.h"
#include "engine/engine.h"

int main() {
    try {
        Engine* engine = new Engine();
        engine->Run();
        delete engine;
    } catch (const std::exception& error) {
        // Ends the process without tearing the engine down: whatever threw may
        // have left it unable to do that safely.
        ExitWithCrashReport(error);
    }
    return 0;
}
