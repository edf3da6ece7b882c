#include <limits>
#include <sstream>

#include "core/debug_exception.h"
#include "core/file_util.h"
#include "sound/cue_table.h"
#include "tests/sound/audio_fixture.h"

using CueTableTest = AudioFixture;

// name:path:volume of every cue, in order.
static std::vector<std::string> Cues(const AudioSystem& audio) {
    std::vector<std::string> out;
    for (const auto& c : audio.cues) out.push_back(c->name + ":" + c->eventPath + ":" + std::to_string(c->volume));
    return out;
}

TEST_F(CueTableTest, LoadMakesCueNumberCuesInOrderAndSaveWritesThemBack) {
    WriteContent();
    WriteText(kCueTablePath, R"({"Note": "kept", "Sounds": {"Cue Number": 2,
        "Sound0": "Title", "Evt0": "event:/Music/Title", "Vol0": 0.25,
        "Sound1": "Beep", "Evt1": "event:/SFX/Beep", "Vol1": 0.75,
        "Sound2": "Extra", "Evt2": "event:/UI/Click", "Vol2": 1}})");
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    const std::vector<std::string> loaded = {"Title:event:/Music/Title:0.250000", "Beep:event:/SFX/Beep:0.750000"};
    EXPECT_EQ(Cues(audio), loaded);

    // jsoncpp writes infinity as 1e+9999, which made a saved table unreadable.
    audio.cues[1]->volume = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(SaveCueTable(audio));
    const Json::Value root = ReadJsonFile(kCueTablePath);
    EXPECT_EQ(root["Note"].asString(), "kept");
    EXPECT_EQ(root["Sounds"].getMemberNames().size(), 7u);  // no stale Sound2
    EXPECT_EQ(root["Sounds"]["Vol0"].asDouble(), 0.25);
    LoadCueTable(audio);
    EXPECT_EQ(Cues(audio), (std::vector<std::string>{loaded[0], "Beep:event:/SFX/Beep:inf"}));
}

TEST_F(CueTableTest, ABrokenTableEndsStartUpWithTheReadersErrorAndAFailedSaveKeepsTheOld) {
    AudioSystem& audio = StartWithCues();
    const std::string before = ReadWholeFile(kCueTablePath).value();
    std::filesystem::create_directory(std::string(kCueTablePath) + ".tmp");  // the temporary cannot be made
    EXPECT_FALSE(SaveCueTable(audio));
    EXPECT_EQ(ReadWholeFile(kCueTablePath).value(), before);

    // A missing table or one of the wrong shape is a debug::exception, never a stray library exception.
    std::filesystem::remove(kCueTablePath);
    EXPECT_THROW(LoadCueTable(audio), debug::exception);
    WriteText(kCueTablePath, "{\"Sounds\": {\"Cue Number\": -3}}");
    EXPECT_THROW(LoadCueTable(audio), debug::exception);
    WriteText(kCueTablePath, std::string(1001, '['));
    EXPECT_THROW(LoadCueTable(audio), debug::exception);
}

// Two cues of one name in a hand-edited table: one line at load, the first is
// the one played whichever is asked for, music cues cross-fade without the
// engine stopping, and a save writes the table back as it was.
TEST_F(CueTableTest, CuesSharingANameAreKeptAndOnlyTheFirstIsPlayed) {
    WriteContent();
    const std::string table = R"({"Sounds":{"Cue Number":5,
        "Sound0":"Theme","Evt0":"event:/Music/Title","Vol0":0.25,
        "Sound1":"Theme","Evt1":"event:/Music/Forest","Vol1":0.5,
        "Sound2":"Calm","Evt2":"event:/Music/Forest","Vol2":1.0,
        "Sound3":"Gust","Evt3":"event:/Ambience/Wind","Vol3":1.0,
        "Sound4":"Gust","Evt4":"event:/Music/Title","Vol4":1.0}})";
    WriteText(kCueTablePath, table);
    AudioSystem& audio = StartAudio();
    ClearLog();
    LoadCueTable(audio);
    ASSERT_EQ(audio.cues.size(), 5u);
    ASSERT_EQ(GetLog().size(), 2u) << LogText();
    for (size_t i = 0; i < 2; ++i)
        for (const std::string part : {std::string(kCueTablePath), std::string(i ? "\"Gust\"" : "\"Theme\"")})
            EXPECT_NE(GetLog()[i].find(part), std::string::npos) << GetLog()[i];

    const SoundCue& first = *audio.cues[0];
    const SoundCue& second = *audio.cues[1];
    for (const char* name : {"Theme", "Calm", "Theme", "Gust", "Calm", "Gust"}) {
        EXPECT_NO_THROW(PlayCue(audio, name, 1.0f)) << name;
        for (int frame = 0; frame < 70; ++frame) ASSERT_NO_THROW(Frame(0.016f)) << name;
    }
    EXPECT_NO_THROW(PlayCue(audio, *audio.cues[1], 1.0f));  // the editor plays a row by its index
    for (int frame = 0; frame < 70; ++frame) ASSERT_NO_THROW(Frame(0.016f));
    EXPECT_TRUE(Playing(first));
    EXPECT_FALSE(Playing(second));
    EXPECT_FALSE(Playing(*audio.cues[4]));

    ASSERT_TRUE(SaveCueTable(audio));
    std::istringstream in(table);
    Json::Value written;
    std::string errors;
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &written, &errors));
    EXPECT_EQ(ReadJsonFile(kCueTablePath), written);
}

