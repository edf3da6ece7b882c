#include "tests/sound/audio_fixture.h"

using SoundCueTest = AudioFixture;

TEST_F(SoundCueTest, MakeCueTakesTheKindFromThePathAndKeepsUnknownEventsAndNamesAreExact) {
    AudioSystem& audio = StartWithCues();
    const int kinds[] = {1, 1, 2, 2, 3, 4};  // M, M, S, N, A, U
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(audio.cues[i]->kind, kinds[i]) << audio.cues[i]->name;
    EXPECT_EQ(MakeCue(audio, "event:/", "Short"), nullptr);
    SoundCue* gone = MakeCue(audio, "event:/Music/Gone", "Gone");
    EXPECT_EQ(audio.cues.back().get(), gone);
    EXPECT_EQ(GetCue(audio, "beep"), nullptr);
    ClearLog();
    PlayCue(audio, "beep", 1.0f);  // says so and plays nothing
    StopCue(audio, "beep");
    EXPECT_EQ(GetLog().size(), 4u);
}

TEST_F(SoundCueTest, MusicCrossFadesByDtPerFrameAndAStopTwiceFadesOnce) {
    AudioSystem& audio = StartWithCues();
    SoundCue& title = *GetCue(audio, "Title");
    SoundCue& forest = *GetCue(audio, "Forest");
    PlayCue(audio, title, 1.0f);
    for (int frame = 0; frame < 12; ++frame) Frame(0.1f);
    StopCue(audio, "Title");
    PlayCue(audio, forest, 1.0f);  // stops every music cue again
    std::vector<float> titleVolumes, forestVolumes;
    for (int frame = 0; frame < 12; ++frame) {
        Frame(0.1f);
        titleVolumes.push_back(Playing(title) ? Volume(title) : -1.0f);
        forestVolumes.push_back(Volume(forest));
    }
    // The old music falls by dt per frame and then stops; the new one rises
    // from silence to exactly 1.0 (its own zero-volume fade-out may take the first frame).
    const size_t first = forestVolumes[0] > 0.0f ? 0 : 1;
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_NEAR(titleVolumes[i], 0.9f - 0.1f * float(i), 1e-5f) << i;
        EXPECT_NEAR(forestVolumes[first + i], 0.1f * float(i + 1), 1e-5f) << i;
    }
    EXPECT_EQ(titleVolumes.back(), -1.0f);
    EXPECT_EQ(forestVolumes.back(), 1.0f);
    EXPECT_TRUE(Playing(forest));
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 0u);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundCueTest, AFrameWithZeroDtStillMovesAFade) {
    AudioSystem& audio = StartWithCues();
    SoundCue& wind = *GetCue(audio, "Wind");
    PlayCue(audio, wind, 1.0f);
    Frame(0.0f);
    Frame(0.0f);
    EXPECT_NEAR(Volume(wind), 0.0334f, 1e-6f);
    EXPECT_TRUE(Playing(wind));
}

TEST_F(SoundCueTest, PlainCuesStartAtOnceAtTheStoredOrGivenVolumeAndStopAtOnce) {
    AudioSystem& audio = StartWithCues();
    for (const char* name : {"Beep", "Hum", "Click"}) {
        SoundCue& cue = *GetCue(audio, name);
        cue.volume = 0.5f;
        PlayCue(audio, cue, 0.8f);
        EXPECT_EQ(Volume(cue), 0.8f) << name;
        PlayCue(audio, cue, 1.0f);  // 1 means the stored volume
        EXPECT_EQ(Volume(cue), 0.5f) << name;
        EXPECT_TRUE(Playing(cue)) << name;
        cue.Stop();
        EXPECT_FALSE(Playing(cue)) << name;
    }
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 0u);
}

TEST_F(SoundCueTest, MusicMuteTouchesOnlyMusicAndFadedCuesAndOverridesTheFades) {
    AudioSystem& audio = StartWithCues();
    const std::vector<float> stored = {0.7f, 1.0f, 0.3f, 1.0f, 0.6f, 0.4f};
    std::vector<float> muted, unmuted;
    for (size_t i = 0; i < 6; ++i) audio.cues[i]->volume = stored[i];
    PlayCue(audio, "Beep", 1.0f);
    PlayCue(audio, "Click", 1.0f);
    MuteMusic(audio);
    for (const auto& cue : audio.cues) muted.push_back(Volume(*cue));
    UnmuteMusic(audio);
    for (const auto& cue : audio.cues) unmuted.push_back(Volume(*cue));
    EXPECT_EQ(muted, (std::vector<float>{0, 0, 0.3f, 1, 0, 0.4f}));  // plain cues are never touched
    EXPECT_EQ(unmuted, stored);

    // A muted music cue starts at the muted volume with no fades of its own;
    // the other music cue still fades out (music is exclusive).
    MuteMusic(audio);
    PlayCue(audio, *audio.cues[0], 1.0f);
    EXPECT_TRUE(Playing(*audio.cues[0]));
    EXPECT_EQ(Volume(*audio.cues[0]), 0.0f);
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 1u);
    EXPECT_TRUE(audio.cues[1]->fadeOutConnected);
}

TEST_F(SoundCueTest, ADeletedCueTakesItsFadeListenersWithIt) {
    AudioSystem& audio = StartWithCues();
    PlayCue(audio, "Wind", 1.0f);
    audio.cues.erase(audio.cues.begin() + 4);
    EXPECT_EQ(Listeners<float>("LogicUpdate"), 0u);
}

