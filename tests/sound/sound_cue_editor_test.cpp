#include "editor/sound_cue_editor.h"
#include "sound/cue_table.h"
#include "tests/sound/audio_fixture.h"

namespace {

class SoundCueEditorTest : public AudioFixture {
protected:
    static Json::Value SavedSounds() { return ReadJsonFile(kCueTablePath)["Sounds"]; }

    void Name(size_t eventIndex, const char* name) {
        std::snprintf(audio_->Events()[eventIndex].cueName, sizeof audio_->Events()[eventIndex].cueName, "%s", name);
    }
};

TEST_F(SoundCueEditorTest, MakingAndDeletingACueSavesTheTable) {
    WriteContent();
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    Name(4, "Wind Loop");
    ASSERT_TRUE(editor::MakeCueFromEvent(audio, 4));
    EXPECT_EQ(audio.cueCount, 1u);
    ASSERT_EQ(audio.cues.size(), 1u);
    EXPECT_EQ(audio.cues[0]->kind, 3);
    const Json::Value sounds = SavedSounds();
    EXPECT_EQ(sounds["Cue Number"].asUInt(), 1u);
    EXPECT_EQ(sounds["Sound0"].asString(), "Wind Loop");
    EXPECT_EQ(sounds["Evt0"].asString(), "event:/Ambience/Wind");

    // Deleting the only cue leaves an empty table.
    editor::DeleteCue(audio, 0);
    EXPECT_TRUE(audio.cues.empty());
    EXPECT_EQ(audio.cueCount, 0u);
    EXPECT_EQ(SavedSounds().getMemberNames(), std::vector<std::string>{"Cue Number"});
    EXPECT_EQ(SavedSounds()["Cue Number"].asUInt(), 0u);
}

TEST_F(SoundCueEditorTest, ADuplicateNameMakesNothing) {
    WriteContent();
    AudioSystem& audio = StartAudio();
    LoadCueTable(audio);
    Name(0, "Theme");
    Name(1, "Theme");
    ASSERT_TRUE(editor::MakeCueFromEvent(audio, 0));
    ClearLog();
    EXPECT_FALSE(editor::MakeCueFromEvent(audio, 1));
    EXPECT_EQ(GetLog(), std::deque<std::string>{"cue already exists"});
    EXPECT_EQ(audio.cueCount, 1u);
    EXPECT_EQ(audio.cues.size(), 1u);
    EXPECT_EQ(SavedSounds()["Cue Number"].asUInt(), 1u);

    // Names are compared exactly: another case is another name.
    Name(1, "theme");
    EXPECT_TRUE(editor::MakeCueFromEvent(audio, 1));
    EXPECT_EQ(audio.cueCount, 2u);
}

TEST_F(SoundCueEditorTest, AuditionsUseTheEditedVolumeAndStopWhatWasPlaying) {
    AudioSystem& audio = StartWithCues();
    audio.SetBusPaused("SFX Bus", true);
    SoundCue& click = *GetCue(audio, "Click");
    click.volume = 0.25f;
    editor::AuditionCue(audio, 5);
    EXPECT_EQ(Volume(click), 0.25f);
    bool paused = true;
    ASSERT_EQ(audio.FindBus("SFX Bus").getPaused(&paused), audio_rt::OK);
    EXPECT_FALSE(paused);
    Frame(0.016f);
    EXPECT_TRUE(Playing(click));

    editor::StopAuditions(audio);
    Frame(0.016f);
    EXPECT_FALSE(Playing(click));

    // Auditioning an event stops what was playing.
    PlayCue(audio, *GetCue(audio, "Hum"), 1.0f);
    Frame(0.016f);
    editor::AuditionEvent(audio, 2);
    Frame(0.016f);
    EXPECT_FALSE(Playing(*GetCue(audio, "Hum")));
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

}  // namespace
