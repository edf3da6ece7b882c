#include "tests/sound/audio_fixture.h"

using namespace audio_rt;

namespace {

class SoundCueTest : public AudioFixture {
protected:
    static size_t LogicListeners() {
        return dynamic_cast<events::event_listeners<float>*>(events::InternalGetListeners("LogicUpdate"))->Size();
    }

    // Plays a fading cue and runs frames until its fade-in has finished.
    void PlayToFullVolume(SoundCue& cue) {
        PlayCue(*audio_, cue, 1.0f);
        for (int i = 0; i < 20 && (cue.fadeInConnected || cue.fadeOutConnected); ++i) Frame(0.1f);
        ASSERT_FALSE(cue.fadeInConnected);
        ASSERT_EQ(Volume(cue), 1.0f);
        ASSERT_TRUE(Playing(cue));
    }
};

// The kinds of the standard events (M, S, N, A, U) are checked on their cues below.
TEST_F(SoundCueTest, KindComesFromTheFirstLetterOfTheTopFolder) {
    EXPECT_EQ(CueKindFromPath("event:/music/Title"), 4);  // case matters
    EXPECT_EQ(CueKindFromPath("event:/M"), 1);
}

TEST_F(SoundCueTest, MakeCueNeedsEightCharactersAndKeepsUnknownEventsAndGetCueTheExactName) {
    AudioSystem& audio = StartWithCues();
    const size_t before = audio.cues.size();
    EXPECT_EQ(MakeCue(audio, "event:/", "Short"), nullptr);
    EXPECT_EQ(audio.cues.size(), before);
    EXPECT_EQ(GetLog().size(), 1u);

    ClearLog();
    SoundCue* gone = MakeCue(audio, "event:/Music/Gone", "Gone");
    ASSERT_NE(gone, nullptr);
    EXPECT_EQ(gone->kind, 1);
    EXPECT_EQ(audio.cues.back().get(), gone);
    ASSERT_GE(GetLog().size(), 2u);
    EXPECT_EQ(GetLog()[0], "couldn't find bank event:/Music/Gone, is it in the audio folder?");
    EXPECT_EQ(GetLog()[1], "error1" + std::string(ErrorString(ERR_INVALID_HANDLE)));

    // Its calls fail and are reported; nothing else happens.
    ClearLog();
    PlayCue(audio, *gone, 1.0f);
    EXPECT_FALSE(GetLog().empty());

    // Cues are found by their exact name only.
    ClearLog();
    EXPECT_EQ(GetCue(audio, "Beep"), audio.cues[2].get());
    EXPECT_TRUE(GetLog().empty());
    EXPECT_EQ(GetCue(audio, "beep"), nullptr);
    EXPECT_EQ(GetLog().back(), "Cue \"beep\" Doesn't exist");
}

TEST_F(SoundCueTest, CuesHaveTheirDefaultsAndKinds) {
    AudioSystem& audio = StartWithCues();
    const int kinds[] = {1, 1, 2, 2, 3, 4};
    ASSERT_EQ(audio.cues.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const SoundCue& c = *audio.cues[i];
        EXPECT_EQ(c.kind, kinds[i]) << c.name;
        EXPECT_EQ(c.volume, 1.0f);
        EXPECT_EQ(c.mutedVolume, 0.0f);
        EXPECT_FALSE(c.muted || c.fadingIn || c.fadingOut || c.startedByFade);
        EXPECT_TRUE(c.instance.isValid());
    }
    EXPECT_EQ(audio.cues[0]->FadeInListener(), "SoundStartFadeInTitle");
    EXPECT_EQ(audio.cues[0]->FadeOutListener(), "SoundStopLogicUpdateTitle");
}

TEST_F(SoundCueTest, PlayingOrStoppingAnUnknownNameSaysSo) {
    AudioSystem& audio = StartWithCues();
    PlayCue(audio, "Nope", 1.0f);
    StopCue(audio, "Nope");
    EXPECT_EQ(GetLog(), (std::deque<std::string>{"Cue \"Nope\" Doesn't exist", "Attempted to play invalid cue!",
                                                   "Cue \"Nope\" Doesn't exist", "Attempted to stop invalid cue!"}));
}

TEST_F(SoundCueTest, MusicCrossFadesByDtPerFrame) {
    AudioSystem& audio = StartWithCues();
    SoundCue& title = *GetCue(audio, "Title");
    SoundCue& forest = *GetCue(audio, "Forest");
    PlayToFullVolume(title);

    PlayCue(audio, forest, 1.0f);
    EXPECT_EQ(Volume(forest), 0.0f);
    EXPECT_TRUE(title.fadingOut);
    EXPECT_TRUE(forest.fadingIn);

    std::vector<float> titleVolumes, forestVolumes;
    for (int frame = 0; frame < 14; ++frame) {
        Frame(0.1f);
        titleVolumes.push_back(Playing(title) ? Volume(title) : -1.0f);
        forestVolumes.push_back(Volume(forest));
    }
    // The old music falls by dt per frame and then stops.
    for (size_t i = 0; i < 9; ++i) EXPECT_NEAR(titleVolumes[i], 0.9f - 0.1f * float(i), 1e-5f) << i;
    EXPECT_EQ(titleVolumes.back(), -1.0f);
    EXPECT_EQ(State(title.instance), Studio::PLAYBACK_STOPPED);
    EXPECT_FALSE(title.fadingOut);
    EXPECT_FALSE(title.fadeOutConnected);

    // The new music rises from silence by dt per frame to exactly 1.0 (its
    // own zero-volume fade-out may take the first frame).
    size_t first = forestVolumes[0] > 0.0f ? 0 : 1;
    for (size_t i = first; i < first + 9; ++i)
        EXPECT_NEAR(forestVolumes[i], 0.1f * float(i - first + 1), 1e-5f) << i;
    EXPECT_EQ(forestVolumes.back(), 1.0f);
    EXPECT_TRUE(Playing(forest));
    EXPECT_FALSE(forest.fadingIn);
    EXPECT_FALSE(forest.fadeInConnected);
    EXPECT_EQ(LogicListeners(), 0u);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundCueTest, AFrameWithZeroDtStillMovesAFadeAndAStopTwiceFadesOnce) {
    AudioSystem& audio = StartWithCues();
    SoundCue& wind = *GetCue(audio, "Wind");
    PlayCue(audio, wind, 1.0f);
    EXPECT_EQ(Volume(wind), 0.0f);
    Frame(0.0f);
    EXPECT_NEAR(Volume(wind), 0.0167f, 1e-6f);
    EXPECT_TRUE(Playing(wind));
    Frame(0.0f);
    EXPECT_NEAR(Volume(wind), 0.0334f, 1e-6f);

    wind.Stop();
    Frame(0.0f);
    EXPECT_NEAR(Volume(wind), 0.0167f, 1e-6f);

    // Stopping a fading cue twice starts one fade-out.
    PlayToFullVolume(wind);
    wind.Stop();
    EXPECT_NO_THROW(wind.Stop());
    EXPECT_EQ(LogicListeners(), 1u);
    Frame(0.1f);
    EXPECT_NEAR(Volume(wind), 0.9f, 1e-6f);
}

TEST_F(SoundCueTest, PlainCuesStartAtOnceAtTheStoredVolumeAndStopAtOnce) {
    AudioSystem& audio = StartWithCues();
    SoundCue& hum = *GetCue(audio, "Hum");
    PlayCue(audio, hum, 1.0f);
    EXPECT_EQ(LogicListeners(), 0u);
    Frame(0.016f);
    EXPECT_TRUE(Playing(hum));
    hum.Stop();
    Frame(0.016f);
    EXPECT_EQ(State(hum.instance), Studio::PLAYBACK_STOPPED);

    // Volume 1 means the stored volume.
    for (const char* name : {"Beep", "Click"}) {
        SoundCue& cue = *GetCue(audio, name);
        cue.volume = 0.5f;
        PlayCue(audio, cue, 1.0f);
        EXPECT_EQ(Volume(cue), 0.5f) << name;
        PlayCue(audio, cue, 0.8f);
        EXPECT_EQ(Volume(cue), 0.8f) << name;
    }
}

TEST_F(SoundCueTest, MusicMuteTouchesOnlyMusicAndFadedCues) {
    AudioSystem& audio = StartWithCues();
    GetCue(audio, "Title")->volume = 0.7f;
    GetCue(audio, "Wind")->volume = 0.6f;
    PlayCue(audio, *GetCue(audio, "Beep"), 0.3f);
    PlayCue(audio, *GetCue(audio, "Click"), 0.4f);

    MuteMusic(audio);
    EXPECT_TRUE(audio.musicMuted);
    for (const char* name : {"Title", "Forest", "Wind"}) {
        EXPECT_TRUE(GetCue(audio, name)->muted) << name;
        EXPECT_EQ(Volume(*GetCue(audio, name)), 0.0f) << name;
    }
    for (const char* name : {"Beep", "Hum", "Click"}) EXPECT_FALSE(GetCue(audio, name)->muted) << name;
    EXPECT_EQ(Volume(*GetCue(audio, "Beep")), 0.3f);
    EXPECT_EQ(Volume(*GetCue(audio, "Click")), 0.4f);

    UnmuteMusic(audio);
    EXPECT_FALSE(audio.musicMuted);
    EXPECT_EQ(Volume(*GetCue(audio, "Title")), 0.7f);
    EXPECT_EQ(Volume(*GetCue(audio, "Forest")), 1.0f);
    EXPECT_EQ(Volume(*GetCue(audio, "Wind")), 0.6f);
    EXPECT_EQ(Volume(*GetCue(audio, "Beep")), 0.3f);
    EXPECT_EQ(Volume(*GetCue(audio, "Click")), 0.4f);
}

TEST_F(SoundCueTest, AMutedMusicCueStartsAtTheMutedVolumeWithoutFades) {
    AudioSystem& audio = StartWithCues();
    MuteMusic(audio);
    SoundCue& title = *GetCue(audio, "Title");
    PlayCue(audio, title, 1.0f);
    // The other music cue still fades out (music is exclusive); this one has
    // no fades of its own.
    EXPECT_EQ(LogicListeners(), 1u);
    EXPECT_TRUE(GetCue(audio, "Forest")->fadeOutConnected);
    EXPECT_FALSE(title.fadingIn || title.fadingOut || title.fadeInConnected || title.fadeOutConnected);
    Frame(0.1f);
    EXPECT_TRUE(Playing(title));
    EXPECT_EQ(Volume(title), 0.0f);
}

TEST_F(SoundCueTest, ADeletedCueTakesItsFadeListenersWithIt) {
    AudioSystem& audio = StartWithCues();
    PlayCue(audio, *GetCue(audio, "Wind"), 1.0f);
    EXPECT_EQ(LogicListeners(), 1u);
    audio.cues.erase(audio.cues.begin() + 4);
    EXPECT_EQ(LogicListeners(), 0u);
    Frame(0.1f);
}

}  // namespace
