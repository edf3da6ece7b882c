// Names are checked before anything is written. The "level" field of the
// Level panel names the file the level is written to: a name that would write
// outside levels/, a hidden file or nothing at all is refused and never
// reaches a save or a reload. A cue needs a name of its own.
#include "editor_panel_fixture.h"

#include "editor/level_name.h"
#include "editor/sound_cue_editor.h"
#include "sound/cue_table.h"
#include "tests/sound/audio_fixture.h"

class LevelNameTest : public EditorPanelFixture {
protected:
    void SetUp() override {
        EditorPanelFixture::SetUp();
        WriteLevel("home", R"({"entities": [{"name": "Campfire"}]})");
        editor::LoadLevelFromEditor("home");
        Frame();
    }
    std::string Current() const { return GetEngineState().previousLevelName; }
    static ImGuiID Field() { return Widget({"level"}); }
};

TEST_F(LevelNameTest, RefusedNamesKeepTheLastGoodNameAndWriteOnlyIntoLevels) {
    // Each keystroke renames the level while the text is good, so the level
    // ends with the longest good start of what was typed.
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"", "home"},  {"   ", "home"}, {"x/y", "x"},      {"a\\b", "a"},
                 {"../x", "home"}, {"a..b", "a."}, {".hidden", "home"}};
    std::set<std::string> files{"levels/home.json"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Enter(Field(), "home");
        Enter(Field(), c.typed);
        EXPECT_EQ(Current(), c.kept);
        Click(Widget({"save level and reload assets"}));
        files.insert("levels/" + std::string(c.kept) + ".json");
        EXPECT_EQ(Files(), files);
        ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    }
    // A file name has room for 250 characters before ".json", no more.
    EXPECT_EQ(editor::LevelNameProblem(std::string(250, 'a')), "");
    EXPECT_NE(editor::LevelNameProblem(std::string(251, 'a')), "");
}

TEST_F(LevelNameTest, TheFieldKeepsARefusedTextUntilTypingMakesItGood) {
    GuiDriver::Focus(Field());
    Frame();
    GuiDriver::Type("cave/", Framer());
    EXPECT_EQ(Current(), "cave");
    GuiDriver::Key(ImGuiKey_Backspace, Framer());  // the field still holds "cave/", not the old name
    GuiDriver::Type("s", Framer());
    GuiDriver::Unfocus();
    Frame();
    EXPECT_EQ(Current(), "caves");
    Click(Widget({"save level and reload assets"}));
    EXPECT_TRUE(Files().count("levels/caves.json"));
}

class CueNameTest : public AudioFixture {};

TEST_F(CueNameTest, AnEmptyNameOrTheFieldsPlaceholderMakesNoCue) {
    WriteContent();
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    char* field = audio.Events()[0].cueName;  // holds the placeholder until typed over
    for (const char* typed : {"Enter Name", ""}) {
        SCOPED_TRACE(typed);
        ClearLog();
        EXPECT_FALSE(editor::MakeCueFromEvent(audio, 0));
        EXPECT_EQ(GetLog().size(), 1u);
        EXPECT_TRUE(audio.cues.empty());
        field[0] = '\0';
    }
}
