#include "engine/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <set>

namespace {

bool ParseFrameCount(const std::string& text, long& frames) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 1) return false;
    frames = value;
    return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLineOptions& options, std::string& error) {
    std::set<std::string> seen;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!seen.insert(arg).second && arg.rfind("--", 0) == 0) {
            error = "option " + arg + " given twice";
            return false;
        }
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--windowed") {
            options.windowed = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--no-watch") {
            options.watch = false;
        } else if (arg == "--level") {
            if (!value(options.level)) return false;
            if (options.level.empty()) {
                error = "option --level needs a level name";
                return false;
            }
        } else if (arg == "--content") {
            if (!value(options.content)) return false;
            if (options.content.empty()) {
                error = "option --content needs a folder";
                return false;
            }
        } else if (arg == "--profile") {
            if (!value(options.profile)) return false;
            if (options.profile.empty()) {
                error = "option --profile needs a file";
                return false;
            }
        } else if (arg == "--frames") {
            std::string text;
            if (!value(text)) return false;
            if (!ParseFrameCount(text, options.frames)) {
                error = "option --frames needs a whole number of at least 1, not \"" + text + "\"";
                return false;
            }
        } else {
            error = "unknown option \"" + arg + "\"";
            return false;
        }
    }
    if (options.headless && options.windowed) {
        error = "options --headless and --windowed exclude each other";
        return false;
    }
    if (options.headless) options.watch = false;
    return true;
}

std::string UsageText() {
    return "Usage: quillmere [options]\n"
           "\n"
           "Runs the game in the content folder (levels/, textures/, shaders/, lua/, audio/, Audio/).\n"
           "\n"
           "Options:\n"
           "  --help          print this text and exit\n"
           "  --version       print the version and exit\n"
           "  --windowed      start in the 1280 x 720 window instead of full screen\n"
           "  --level NAME    start at levels/NAME.json instead of the first level\n"
           "  --content DIR   use DIR as the content folder instead of the working directory\n"
           "  --no-watch      do not reload changed scripts, textures, shaders and levels\n"
           "  --headless      run without a window or GL context: scripts, physics, events,\n"
           "                  saves and silent sound, with a fixed dt of 1/60 s; nothing is drawn\n"
           "                  and nothing is watched\n"
           "  --frames N      stop after N frames (otherwise the game runs until a script quits)\n"
           "  --profile FILE  write each frame's time, split by system, to FILE as CSV rows\n"
           "                  (F3 shows the same split over the game)\n"
           "\n"
           "Exit status: 0 when the game ends normally (a script's lb_engine_quit_game, or after\n"
           "--frames N); 2 on a wrong option. With --headless, a script error (a printed\n"
           "\"Lua Error\" line or an error raised inside a script) ends the run after its frame\n"
           "with status 1, and so does an unrecoverable error, whose message goes to\n"
           "standard error.\n";
}
