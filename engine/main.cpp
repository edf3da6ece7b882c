// The entry point: reads the command line, then one Engine, run until the
// window is asked to close (or, headless, until its frames are done).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/crash_report.h"
#include "core/engine_state.h"
#include "engine/command_line.h"
#include "engine/content_folder.h"
#include "engine/engine.h"
#include "engine/headless_runner.h"

namespace {

constexpr int kUsageStatus = 2;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "quillmere: %s\n\n%s", message.c_str(), UsageText().c_str());
    return kUsageStatus;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLineOptions options;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, error)) return UsageError(error);
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", kQuillmereVersion);
        return 0;
    }
    // A file named on the command line is where the user stood, not in the content folder.
    if (!options.profile.empty()) options.profile = std::filesystem::absolute(options.profile).string();
    // Everything the game reads and writes beside itself is relative to the
    // working directory, so the content folder simply becomes it.
    if (!EnterContentFolder(options.content, error)) return UsageError(error);
    if (!options.level.empty()) {
        const std::string path = "levels/" + options.level + ".json";
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            return UsageError("no level \"" + options.level + "\": " + path + " is not a file");
    }

    int status = 0;
    try {
        if (options.headless) {
            SetHeadlessCrashReport(true);
            StartScriptErrorWatch();
        }
        Engine* engine = new Engine(EngineOptions{options.headless, options.windowed, options.watch, options.profile});
        if (!options.level.empty()) GetEngineState().levelName = options.level;
        if (options.headless)
            status = engine->RunHeadless(options.frames);
        else
            engine->Run(options.frames);
        delete engine;
    } catch (const std::exception& error) {
        // Ends the process without tearing the engine down: whatever threw may
        // have left it unable to do that safely.
        ExitWithCrashReport(error);
    }
    return status;
}
