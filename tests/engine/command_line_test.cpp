// Command-line options: what each one sets, and the wrong ones, which make the
// executable print its usage and exit with status 2.
#include <gtest/gtest.h>

#include "engine/command_line.h"

namespace {

// The options as one line: the flags that are on, then the values.
std::string Describe(const CommandLineOptions& o) {
    const std::pair<bool, const char*> flags[] = {
        {o.help, "help "}, {o.version, "version "}, {o.windowed, "windowed "}, {o.headless, "headless "}, {!o.watch, "no-watch "}};
    std::string line;
    for (auto [on, flag] : flags)
        if (on) line += flag;
    return line + "frames=" + std::to_string(o.frames) + " level=" + o.level + " content=" + o.content;
}

TEST(CommandLine, EachOptionSetsItsOwnFieldAndAHeadlessRunWatchesNothing) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "frames=-1 level= content="},
        {{"--help"}, "help frames=-1 level= content="},
        {{"-h"}, "help frames=-1 level= content="},
        {{"--version"}, "version frames=-1 level= content="},
        {{"--windowed"}, "windowed frames=-1 level= content="},
        {{"--no-watch"}, "no-watch frames=-1 level= content="},
        {{"--level", "forest_2", "--content", "/tmp/my game"}, "frames=-1 level=forest_2 content=/tmp/my game"},
        {{"--headless", "--frames", "5"}, "headless no-watch frames=5 level= content="},
    };
    for (const auto& [args, expected] : cases) {
        CommandLineOptions options;
        std::string error;
        EXPECT_TRUE(ParseCommandLine(args, options, error)) << error;
        EXPECT_EQ(Describe(options), expected);
    }
}

// Each error names the option or value at fault.
TEST(CommandLine, WrongOptionsAreRefusedNamingWhatIsWrong) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--fullscreen"}, "\"--fullscreen\""}, {{"level1"}, "\"level1\""}, {{"--level"}, "--level"}, {{"--level", ""}, "--level"},
        {{"--content", ""}, "--content"}, {{"--frames"}, "--frames"}, {{"--frames", "0"}, "\"0\""}, {{"--frames", "-3"}, "\"-3\""},
        {{"--frames", "12x"}, "\"12x\""}, {{"--frames", "99999999999999999999999"}, "\"99999999999999999999999\""},
        {{"--windowed", "--windowed"}, "--windowed given twice"}, {{"--headless", "--windowed"}, "--headless and --windowed"},
    };
    for (const auto& [args, named] : cases) {
        CommandLineOptions options;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, options, error)) << named;
        EXPECT_NE(error.find(named), std::string::npos) << error;
    }
    for (const char* option : {"--help", "--version", "--windowed", "--level NAME", "--content DIR", "--headless", "--frames N", "--no-watch"})
        EXPECT_NE(UsageText().find(option), std::string::npos) << option;
}

}  // namespace
