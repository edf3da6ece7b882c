#include "engine/game_pause.h"

#include "core/engine_state.h"
#include "sound/audio_system.h"

namespace {

void SetGameBusesPaused(bool paused) {
    if (AudioSystem* audio = GetAudio()) {
        audio->SetBusPaused("Music Bus", paused);
        audio->SetBusPaused("SFX Bus", paused);
    }
}

}  // namespace

void PauseGame() {
    EngineState& s = GetEngineState();
    if (s.paused) return;
    s.paused = true;
    SetGameBusesPaused(true);
    s.timeScale = 0.0f;
}

void ResumeGame() {
    EngineState& s = GetEngineState();
    if (!s.paused) return;
    s.paused = false;
    SetGameBusesPaused(false);
    s.timeScale = 1.0f;
}
