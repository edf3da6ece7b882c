// Command-line options: each option's effect on the parsed options, and the
// errors that make the executable print its usage and exit with status 2.
#include <gtest/gtest.h>

#include "engine/command_line.h"

namespace {

CommandLineOptions Parse(const std::vector<std::string>& args) {
    CommandLineOptions options;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, options, error)) << error;
    return options;
}

std::string ParseError(const std::vector<std::string>& args) {
    CommandLineOptions options;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, options, error));
    return error;
}

}  // namespace

TEST(CommandLine, NoOptionsIsTheGameAsPlayersGetItAndEachOptionSetsItsOwnField) {
    const CommandLineOptions o = Parse({});
    EXPECT_FALSE(o.help || o.version || o.windowed || o.headless);
    EXPECT_TRUE(o.watch);
    EXPECT_EQ(o.frames, -1);
    EXPECT_EQ(o.level, "");
    EXPECT_EQ(o.content, "");

    // Each option sets its own field.
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
    EXPECT_TRUE(Parse({"--windowed"}).windowed);
    EXPECT_FALSE(Parse({"--no-watch"}).watch);
    EXPECT_EQ(Parse({"--level", "forest_2"}).level, "forest_2");
    EXPECT_EQ(Parse({"--content", "/tmp/my game"}).content, "/tmp/my game");
    EXPECT_EQ(Parse({"--frames", "120"}).frames, 120);
    const CommandLineOptions all = Parse({"--headless", "--frames", "5", "--level", "a", "--content", "c"});
    EXPECT_TRUE(all.headless);
    EXPECT_FALSE(all.watch);  // a headless run watches nothing
    EXPECT_EQ(all.frames, 5);
    EXPECT_EQ(all.level, "a");
    EXPECT_EQ(all.content, "c");
}

TEST(CommandLine, WrongOptionsNameWhatIsWrong) {
    EXPECT_EQ(ParseError({"--fullscreen"}), "unknown option \"--fullscreen\"");
    EXPECT_EQ(ParseError({"level1"}), "unknown option \"level1\"");
    EXPECT_EQ(ParseError({"--level"}), "option --level needs a value");
    EXPECT_EQ(ParseError({"--level", ""}), "option --level needs a level name");
    EXPECT_EQ(ParseError({"--content", ""}), "option --content needs a folder");
    EXPECT_EQ(ParseError({"--frames"}), "option --frames needs a value");
    for (const char* bad : {"0", "-3", "ten", "12x", "", "99999999999999999999999"})
        EXPECT_EQ(ParseError({"--frames", bad}),
                  std::string("option --frames needs a whole number of at least 1, not \"") + bad + "\"");
    EXPECT_EQ(ParseError({"--windowed", "--windowed"}), "option --windowed given twice");
    EXPECT_EQ(ParseError({"--headless", "--windowed"}), "options --headless and --windowed exclude each other");
}

TEST(CommandLine, UsageListsEveryOption) {
    const std::string usage = UsageText();
    for (const char* option : {"--help", "--version", "--windowed", "--level NAME", "--content DIR", "--headless",
                               "--frames N", "--no-watch"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.rfind("Usage: quillmere [options]\n", 0), 0u);
}
