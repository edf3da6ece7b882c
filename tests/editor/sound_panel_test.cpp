// The editor's "Sound" panel, driven through its widgets: cues made from the
// bank's events, auditioned, re-levelled and deleted, the table rewritten.
#include "editor/sound_cue_editor.h"
#include "sound/cue_table.h"
#include "tests/editor/gui_driver.h"
#include "tests/sound/audio_fixture.h"

namespace {

class SoundPanelTest : public AudioFixture {
protected:
    void Draw() { gui.Frame([] { editor::DrawSoundPanel(); }); }
    void Press(ImGuiID id) {
        GuiDriver::Press(id);
        Draw();
    }
    // Opens the header of row `row` of the list `list`; returns the row's ID scope.
    ImGuiID OpenRow(const char* list, int row, const std::string& header) {
        Draw();
        ImGuiWindow* window = GuiDriver::FindWindow(GuiDriver::Child(GuiDriver::kHost, list));
        const ImGuiID scope = GuiDriver::In(window->ID, row), id = GuiDriver::In(scope, header.c_str());
        if (!window->StateStorage.GetInt(id, 0)) Press(id);
        return scope;
    }
    // Types a cue name for event `row` and presses "Make Cue".
    void MakeCueFromRow(int row, const char* name) {
        const ImGuiID scope = OpenRow("FMOD Sounds", row, audio_->Events()[size_t(row)].path);
        GuiDriver::Enter(GuiDriver::In(scope, "Cue Name"), name, [&] { Draw(); });
        Press(GuiDriver::In(scope, "Make Cue"));
    }
    static Json::Value Saved() { return ReadJsonFile(kCueTablePath)["Sounds"]; }

    GuiDriver gui;
};

TEST_F(SoundPanelTest, MakeCueSavesTheTableUnlessTheNameIsTakenAndDeleteCueEmptiesIt) {
    Draw();  // no audio system yet: nothing to show
    WriteContent();
    LoadCueTable(StartAudio());
    MakeCueFromRow(4, "Wind Loop");
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 1u);
    EXPECT_EQ(Saved()["Sound0"].asString(), "Wind Loop");
    EXPECT_EQ(Saved()["Evt0"].asString(), "event:/Ambience/Wind");

    ClearLog();
    MakeCueFromRow(1, "Wind Loop");
    EXPECT_EQ(GetLog(), std::deque<std::string>{"cue already exists"});
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 1u);
    MakeCueFromRow(1, "wind loop");  // names are case-sensitive
    EXPECT_EQ(Saved()["Sound1"].asString(), "wind loop");
    EXPECT_EQ(audio_->cueCount, 2u);

    for (const char* name : {"Wind Loop", "wind loop"}) Press(GuiDriver::In(OpenRow("Sound Cues", 0, name), "Delete Cue 0"));
    EXPECT_TRUE(audio_->cues.empty());
    EXPECT_EQ(audio_->cueCount, 0u);
    EXPECT_EQ(Saved().getMemberNames(), std::vector<std::string>{"Cue Number"});
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 0u);
}

TEST_F(SoundPanelTest, PlayCueUsesTheEditedVolumeAndStopOrAnotherAuditionEndsIt) {
    AudioSystem& audio = StartWithCues();
    audio.SetBusPaused("SFX Bus", true);
    SoundCue& click = *GetCue(audio, "Click");
    const ImGuiID row = OpenRow("Sound Cues", 5, "Click");
    GuiDriver::Enter(GuiDriver::In(row, "Volume"), "0.25", [&] { Draw(); });
    Press(GuiDriver::In(row, "Play Cue 5"));
    EXPECT_EQ(Volume(click), 0.25f);
    bool paused = true;
    ASSERT_EQ(audio.FindBus("SFX Bus").getPaused(&paused), audio_rt::OK);
    EXPECT_FALSE(paused);
    Frame(0.016f);
    EXPECT_TRUE(Playing(click));
    Press(GuiDriver::In(row, "Stop Cue 5"));
    Frame(0.016f);
    EXPECT_FALSE(Playing(click));

    PlayCue(audio, click, 1.0f);
    Press(GuiDriver::In(OpenRow("FMOD Sounds", 2, "event:/SFX/Beep"), "Play 2"));
    Frame(0.016f);
    EXPECT_FALSE(Playing(click));
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

}  // namespace
