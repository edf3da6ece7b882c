#include "sound/runtime/bank_file.h"

#include <gtest/gtest.h>

using namespace audio_rt;
using namespace audio_rt::detail;

namespace {

RESULT Parse(const std::string& text, BankDefinition* def, std::string* why,
             std::function<bool(const std::string&)> known = {}) {
    return ParseBankText(text, "audio/Master.bank", known, def, why);
}

std::string Why(const std::string& text) {
    BankDefinition def;
    std::string why;
    EXPECT_EQ(Parse(text, &def, &why), ERR_FILE_BAD) << text;
    return why;
}

}  // namespace

TEST(BankFile, ReadsEveryKeyAndJoinsFilesToTheBankFolder) {
    BankDefinition def;
    std::string why;
    ASSERT_EQ(Parse(R"({"path": "bank:/Main", "buses": ["bus:/", "bus:/Music", "bus:/Music"],
        "events": [{"path": "event:/Music/Title", "file": "music/title.ogg", "bus": "bus:/Music",
                    "loop": true, "volume": 0.8, "stream": true, "min_distance": 2, "max_distance": 30,
                    "fade_out": 0.5, "comment": "unknown keys are ignored"},
                   {"path": "event:/SFX/Hit", "file": "/abs/hit.wav"}]})",
                    &def, &why),
              OK)
        << why;
    EXPECT_EQ(def.path, "bank:/Main");
    EXPECT_EQ(def.buses, (std::vector<std::string>{"bus:/", "bus:/Music"}));
    ASSERT_EQ(def.events.size(), 2u);
    const EventDefinition& a = def.events[0];
    EXPECT_EQ(a.file, "audio/music/title.ogg");
    EXPECT_EQ(a.bus, "bus:/Music");
    EXPECT_TRUE(a.loop);
    EXPECT_TRUE(a.stream);
    EXPECT_FLOAT_EQ(a.volume, 0.8f);
    EXPECT_FLOAT_EQ(a.min_distance, 2.0f);
    EXPECT_FLOAT_EQ(a.max_distance, 30.0f);
    EXPECT_FLOAT_EQ(a.fade_out, 0.5f);
    const EventDefinition& b = def.events[1];
    EXPECT_EQ(b.file, "/abs/hit.wav");
    EXPECT_EQ(b.bus, "bus:/");
    EXPECT_FALSE(b.loop);
    EXPECT_FALSE(b.stream);
    EXPECT_FLOAT_EQ(b.volume, 1.0f);
    EXPECT_FLOAT_EQ(b.min_distance, 1.0f);
    EXPECT_FLOAT_EQ(b.max_distance, 20.0f);
    EXPECT_FLOAT_EQ(b.fade_out, 0.1f);
}

TEST(BankFile, StringsBankNeedsNothingPathDefaultsToTheFileNameAndBusesMayComeFromEarlierBanks) {
    BankDefinition def;
    std::string why;
    ASSERT_EQ(Parse("{}", &def, &why), OK);
    EXPECT_EQ(def.path, "bank:/Master");
    EXPECT_TRUE(def.buses.empty());
    EXPECT_TRUE(def.events.empty());
    ASSERT_EQ(ParseBankText("{}", "x/Master.strings.bank", {}, &def, &why), OK);
    EXPECT_EQ(def.path, "bank:/Master.strings");

    // An event may use a bus declared by an earlier bank.
    auto known = [](const std::string& p) { return p == "bus:/SFX"; };
    EXPECT_EQ(Parse(R"({"events": [{"path": "event:/SFX/A", "file": "a.wav", "bus": "bus:/SFX"}]})", &def, &why,
                    known),
              OK)
        << why;
}

TEST(BankFile, EachWrongEntryIsNamedWithWhatIsWrong) {
    EXPECT_EQ(Why("{\"buses\": [}").rfind("audio/Master.bank: not valid JSON: ", 0), 0u);
    const std::pair<const char*, const char*> cases[] = {
        {"[]", "top level: must be a JSON object"},
        {R"({"path": 3})", "\"path\": must be a string"},
        {R"({"path": "Master"})", "\"path\": \"Master\" does not begin with bank:/ followed by a name"},
        {R"({"buses": "bus:/"})", "\"buses\": must be an array of bus paths"},
        {R"({"buses": ["bus:/", 4]})", "buses[1]: must be a string"},
        {R"({"buses": ["Music"]})", "buses[0]: \"Music\" is not a bus path (bus:/Name/...)"},
        {R"({"buses": ["bus:/Music/"]})", "buses[0]: \"bus:/Music/\" is not a bus path (bus:/Name/...)"},
        {R"({"events": {}})", "\"events\": must be an array of event objects"},
        {R"({"events": [7]})", "events[0]: must be an object"},
        {R"({"events": [{"file": "a.wav"}]})", "events[0]: \"path\" must be a string"},
        {R"({"events": [{"path": "sfx:/A", "file": "a.wav"}]})",
         "events[0] (sfx:/A): not an event path (event:/Name/...)"},
        {R"({"events": [{"path": "event:/", "file": "a.wav"}]})",
         "events[0] (event:/): not an event path (event:/Name/...)"},
        {R"({"events": [{"path": "event:/A"}]})", "events[0] (event:/A): \"file\" must be a non-empty string"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav"}, {"path": "event:/A", "file": "b.wav"}]})",
         "events[1] (event:/A): the event is listed twice"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "bus": "bus:/Music"}]})",
         "events[0] (event:/A): bus \"bus:/Music\" is not declared in \"buses\""},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "bus": "Music"}]})",
         "events[0] (event:/A): \"Music\" is not a bus path"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "loop": 1}]})",
         "events[0] (event:/A): \"loop\" must be true or false"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "volume": "loud"}]})",
         "events[0] (event:/A): \"volume\" must be a number"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "fade_out": -1}]})",
         "events[0] (event:/A): \"fade_out\" is -1, must be at least 0"},
        {R"({"events": [{"path": "event:/A", "file": "a.wav", "min_distance": 10, "max_distance": 5}]})",
         "events[0] (event:/A): \"max_distance\" 5 is less than \"min_distance\" 10"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(Why(text), std::string("audio/Master.bank: ") + message);
}

TEST(BankFile, PathShapes) {
    EXPECT_TRUE(IsBusPath("bus:/"));
    EXPECT_TRUE(IsBusPath("bus:/SFX/Ambience"));
    EXPECT_FALSE(IsBusPath("bus:"));
    EXPECT_FALSE(IsBusPath("bus://SFX"));
    EXPECT_FALSE(IsBusPath("bus:/SFX//A"));
    EXPECT_TRUE(IsEventPath("event:/A"));
    EXPECT_FALSE(IsEventPath("event:/A/"));
    EXPECT_FALSE(IsEventPath("Event:/A"));
}
