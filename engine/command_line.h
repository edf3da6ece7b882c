#pragma once
// The executable's command-line options. With none given the game starts as it
// always has: full screen, at the first level, in the working directory, with
// the content folder watched for changes.
#include <string>
#include <vector>

// Printed by --version.
constexpr const char* kQuillmereVersion = "Quillmere 0.1";

struct CommandLineOptions {
    bool help = false;       // --help: print the usage and exit 0
    bool version = false;    // --version: print kQuillmereVersion and exit 0
    bool windowed = false;   // --windowed: start in the 1280 x 720 window
    bool headless = false;   // --headless: no window, no GL context, fixed dt
    bool watch = true;       // cleared by --no-watch (and implied off by --headless)
    long frames = -1;        // --frames N (N >= 1): stop after N frames; -1: run until quit
    std::string level;       // --level NAME: first level instead of "veltrane_splash"; empty: default
    std::string content;     // --content DIR: chdir there before anything runs; empty: stay
    std::string profile;     // --profile FILE: one CSV row of frame times per frame; empty: none
};

// Parses argv[1..]. Returns false with `error` set (one line, naming the option)
// on an unknown option, a missing or malformed value, or a repeated option.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLineOptions& options, std::string& error);

// The text --help prints (and a wrong option prints after its error).
std::string UsageText();
