// The Sound panel and the emitter's inspector widgets drawn in a headless
// Dear ImGui frame: every Begin has its End and every ID push its pop (Dear
// ImGui asserts otherwise), with and without an audio system.
#include <imgui.h>

#include "editor/sound_cue_editor.h"
#include "sound/cue_table.h"
#include "sound/sound_emitter.h"
#include "tests/editor/gui_driver.h"
#include "tests/sound/audio_fixture.h"

namespace {

class SoundPanelDrawTest : public AudioFixture {
protected:
    void SetUp() override {
        AudioFixture::SetUp();
        CreateHeadlessGuiContext(ImVec2(1280, 720));
    }
    void TearDown() override {
        ImGui::DestroyContext();
        AudioFixture::TearDown();
    }

    template <class F>
    void DrawFrames(F draw) {
        for (int i = 0; i < 3; ++i) {
            ImGui::NewFrame();
            ImGui::Begin("Sound");
            draw();
            ImGui::End();
            ImGui::Render();
        }
    }
};

TEST_F(SoundPanelDrawTest, PanelDrawsWithoutAudioAndThenWithEventsAndCues) {
    DrawFrames([] { editor::DrawSoundPanel(); });
    AudioSystem& audio = StartWithCues();
    DrawFrames([] { editor::DrawSoundPanel(); });
    EXPECT_EQ(audio.cues.size(), 6u);
    EXPECT_TRUE(GetLog().empty()) << LogText();
}

TEST_F(SoundPanelDrawTest, EmitterWidgetsReadTheTableOnDisk) {
    AudioSystem& audio = StartWithCues();
    ASSERT_TRUE(SaveCueTable(audio));
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("SoundEmitter", Json::Value());
    DrawFrames([&] { e.Get<SoundEmitter>()->EditInfoDisplay(); });
    std::filesystem::remove(kCueTablePath);  // a missing table offers no names
    DrawFrames([&] { e.Get<SoundEmitter>()->EditInfoDisplay(); });
}

}  // namespace
