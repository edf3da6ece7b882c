#include "engine/level_transitions.h"

#include <json/value.h>

#include "core/engine_state.h"
#include "core/log.h"
#include "engine/game_flow.h"
#include "engine/pause_menu.h"
#include "level/level_file.h"
#include "level/save_game.h"

namespace game_flow {

void ChangeLevel(const std::string& level) {
    EngineState& s = GetEngineState();
    if (s.levelName != s.previousLevelName) return;
    RequestLevel(level, false);
    if (s.saveOnUnload && s.mode != EngineMode::Editor) ConnectSaveLevelOnUnload();
}

void RestartLevel(const std::string& level) {
    DeleteSave();
    if (PauseMenu* menu = GetPauseMenu()) menu->ClosePauseMenu();
    GetEngineState().saveOnUnload = false;
    ChangeLevel(level);
}

void ContinueSavedLevel() {
    const std::string last = ReadLastLevel();
    // Without a record there is nothing to continue; loading "" would fail later.
    if (last.empty()) {
        Print("Lua Error: Attempted to load the saved level with no save file");
        return;
    }
    ChangeLevel(last);
}

bool HasSaveFile() { return !ReadLastLevel().empty(); }

}  // namespace game_flow
