#include <limits>
#include <sstream>

#include <json/json.h>

#include "core/debug_exception.h"
#include "core/file_util.h"
#include "sound/cue_table.h"
#include "tests/sound/audio_fixture.h"

namespace {

class CueTableTest : public AudioFixture {
protected:
    static Json::Value ReadTable() { return ReadJsonFile(kCueTablePath); }

    // The reader's own message for a text, as the engine is expected to pass it on.
    static std::string ReaderError(const std::string& text) {
        Json::Value root;
        std::istringstream in(text);
        Json::CharReaderBuilder builder;
        std::string errors;
        Json::parseFromStream(builder, in, &root, &errors);
        return errors;
    }

    // A table of n cues, all on the same event, named C0, C1, ...
    static std::string TableOf(unsigned n, unsigned entries) {
        Json::Value sounds;
        sounds["Cue Number"] = n;
        for (unsigned i = 0; i < entries; ++i) {
            sounds["Sound" + std::to_string(i)] = "C" + std::to_string(i);
            sounds["Evt" + std::to_string(i)] = "event:/SFX/Beep";
            sounds["Vol" + std::to_string(i)] = 0.5;
        }
        Json::Value root;
        root["Sounds"] = sounds;
        return root.toStyledString();
    }
};

TEST_F(CueTableTest, LoadMakesTheCuesInOrderWithTheirVolumes) {
    WriteContent();
    WriteText(kCueTablePath, R"({"Sounds":{"Cue Number":2,
        "Sound0":"Title","Evt0":"event:/Music/Title","Vol0":0.25,
        "Sound1":"Beep","Evt1":"event:/SFX/Beep","Vol1":0.75,
        "Sound2":"Extra","Evt2":"event:/UI/Click","Vol2":1}})");
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    ASSERT_EQ(audio.cues.size(), 2u);
    EXPECT_EQ(audio.cueCount, 2u);
    EXPECT_EQ(audio.cues[0]->name, "Title");
    EXPECT_EQ(audio.cues[0]->eventPath, "event:/Music/Title");
    EXPECT_EQ(audio.cues[0]->kind, 1);
    EXPECT_EQ(audio.cues[0]->volume, 0.25f);
    EXPECT_EQ(audio.cues[1]->name, "Beep");
    EXPECT_EQ(audio.cues[1]->volume, 0.75f);
    EXPECT_TRUE(audio.cues[1]->instance.isValid());
}

TEST_F(CueTableTest, SaveWritesEveryCueAndLoadReadsItBack) {
    AudioSystem& audio = StartWithCues();
    audio.cues[2]->volume = 0.125f;
    // jsoncpp writes infinity as 1e+9999, which made the saved table unreadable.
    audio.cues[3]->volume = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(SaveCueTable(audio));
    EXPECT_FALSE(std::filesystem::exists(std::string(kCueTablePath) + ".tmp"));

    const Json::Value sounds = ReadTable()["Sounds"];
    EXPECT_EQ(sounds["Cue Number"].asUInt(), 6u);
    EXPECT_EQ(sounds.getMemberNames().size(), 1u + 3u * 6u);
    EXPECT_EQ(sounds["Sound2"].asString(), "Beep");
    EXPECT_EQ(sounds["Evt2"].asString(), "event:/SFX/Beep");
    EXPECT_EQ(sounds["Vol2"].asDouble(), 0.125);

    LoadCueTable(audio);
    ASSERT_EQ(audio.cues.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const std::string last = StandardEvents()[i].path.substr(StandardEvents()[i].path.rfind('/') + 1);
        EXPECT_EQ(audio.cues[i]->name, last);
        EXPECT_EQ(audio.cues[i]->eventPath, StandardEvents()[i].path);
    }
    EXPECT_EQ(audio.cues[2]->volume, 0.125f);
    EXPECT_EQ(audio.cues[3]->volume, std::numeric_limits<float>::infinity());
}

TEST_F(CueTableTest, SavingKeepsOtherMembersOfTheFile) {
    WriteContent();
    WriteText(kCueTablePath, R"({"Note":"hand written","Sounds":{"Cue Number":0,"Sound7":"stale"}})");
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    ASSERT_TRUE(SaveCueTable(audio));
    const Json::Value root = ReadTable();
    EXPECT_EQ(root["Note"].asString(), "hand written");
    EXPECT_EQ(root["Sounds"].getMemberNames(), std::vector<std::string>{"Cue Number"});
}

TEST_F(CueTableTest, ATableHoldsAtMostOneThousandCues) {
    WriteContent();
    WriteText(kCueTablePath, TableOf(1001, 1001));
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    EXPECT_EQ(audio.cues.size(), 1000u);
    EXPECT_EQ(audio.cues.back()->name, "C999");
    EXPECT_EQ(GetLog().back(), std::string(kCueTablePath) +
                                   ": \"Cue Number\" is 1001 but a cue table holds at most 1000 cues; the first 1000 "
                                   "are loaded");

    MakeCue(audio, "event:/SFX/Beep", "C1000");
    audio.cueCount = 1001;
    ClearLog();
    ASSERT_TRUE(SaveCueTable(audio));
    const Json::Value sounds = ReadTable()["Sounds"];
    EXPECT_EQ(sounds["Cue Number"].asUInt(), 1000u);
    EXPECT_EQ(sounds["Sound999"].asString(), "C999");
    EXPECT_FALSE(sounds.isMember("Sound1000"));
    EXPECT_EQ(GetLog().back(), std::string(kCueTablePath) +
                                   ": a cue table holds at most 1000 cues; 1 cues after \"C999\" are not saved");
}

TEST_F(CueTableTest, MissingOrMalformedTableEndsStartUpWithTheReadersError) {
    WriteContent();
    AudioSystem& audio = StartAudio();
    std::filesystem::remove(kCueTablePath);
    try {
        LoadCueTable(audio);
        FAIL();
    } catch (const debug::exception& e) {
        EXPECT_EQ(std::string(e.what()), std::string(kCueTablePath) + ": " + ReaderError(""));
    }

    WriteText(kCueTablePath, "{\"Sounds\": {\"Cue Number\": 1,}");
    try {
        LoadCueTable(audio);
        FAIL();
    } catch (const debug::exception& e) {
        EXPECT_EQ(std::string(e.what()), std::string(kCueTablePath) + ": " + ReaderError("{\"Sounds\": {\"Cue Number\": 1,}"));
    }

    // Valid JSON of the wrong shape is a debug::exception too, never a stray
    // library exception.
    WriteText(kCueTablePath, "{\"Sounds\": {\"Cue Number\": -3}}");
    EXPECT_THROW(LoadCueTable(audio), debug::exception);
    WriteText(kCueTablePath, "[1, 2]");
    EXPECT_THROW(LoadCueTable(audio), debug::exception);
}

TEST_F(CueTableTest, AFailedSaveLeavesTheOldTableInPlace) {
    AudioSystem& audio = StartWithCues();
    const std::string before = ReadWholeFile(kCueTablePath).value();
    std::filesystem::create_directory(std::string(kCueTablePath) + ".tmp");  // the temporary cannot be made
    EXPECT_FALSE(SaveCueTable(audio));
    EXPECT_EQ(ReadWholeFile(kCueTablePath).value(), before);
    EXPECT_EQ(GetLog().back(), "couldn't write Audio/SoundStorage.json; the cue table on disk is unchanged");
}

TEST_F(CueTableTest, CueLocationMarkerIsCreatedEmpty) {
    WriteText("Audio/Cue Location", "old contents");
    CreateCueLocationMarker();
    EXPECT_EQ(ReadWholeFile("Audio/Cue Location").value(), "");
    EXPECT_TRUE(GetLog().empty());

    std::filesystem::remove_all("Audio");
    CreateCueLocationMarker();
    EXPECT_EQ(GetLog().back(), "coldn't open Cue Location for write");
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
    EXPECT_EQ(ReadTable(), written);
}

}  // namespace
