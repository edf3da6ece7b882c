#include "engine/game_flow.h"

#include <json/value.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/input.h"
#include "core/level_changes.h"
#include "editor/editor.h"
#include "engine/content_folder.h"
#include "engine/game_pause.h"
#include "engine/pause_menu.h"
#include "level/level_file.h"
#include "sound/audio_system.h"
#include "sound/cue_table.h"

void PauseThroughPauseMenu() {
    // The menu pauses only in the game and tells the scripts once; before it
    // exists (start-up) the game is paused directly.
    if (PauseMenu* menu = GetPauseMenu())
        menu->OpenPauseMenu();
    else if (GetEngineState().mode != EngineMode::Editor)
        PauseGame();
}

bool IsEditorToggleChord(int key, Input& input) {
    return key == kKeyF8 && input.IsKeyDown(kKeyLeftControl) && input.IsKeyDown(kKeyLeftShift);
}

void ToggleEditor() {
    EngineState& s = GetEngineState();
    // A switch already requested this frame waits for the next frame; deciding
    // on the pair keeps a second press from entering or leaving twice.
    if (s.mode == EngineMode::Game && s.requestedMode == EngineMode::Game) {
        // The editor writes into the content folder, which an installed game
        // cannot; it opens on a copy or not at all.
        if (!SwitchToEditableContent()) return;
        OpenEditor();
        if (GetAudio()) CreateCueLocationMarker();
        s.requestedMode = EngineMode::Editor;
        PauseGame();
    } else if (s.mode == EngineMode::Editor && s.requestedMode == EngineMode::Editor) {
        CloseEditor();
        // What was edited is on disk before the level is reloaded from it.
        SaveLevel(s.previousLevelName, false);
        editor::ClearLevelChanged();
        s.requestedMode = EngineMode::Game;
        ResumeGame();
        if (PauseMenu* menu = GetPauseMenu()) menu->ClosePauseMenu();
    }
}

void ConnectEditorToggle(Input& input) {
    events::Connect<int>("KeyPressed", "EngineToggleEditor", [&input](int key) {
        if (IsEditorToggleChord(key, input)) ToggleEditor();
    });
}

void ConnectSaveLevelOnUnload() {
    events::Connect<Json::Value*>("LevelUnloadFinished", "LuaSaveLevelOnUnload", [](Json::Value*) {
        SaveLevel(GetEngineState().previousLevelName, true);
        events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload");
    });
}

bool LevelLoadDue() {
    const EngineState& s = GetEngineState();
    return s.mode != s.requestedMode || s.reloadRequested;
}

void RunLevelCheck() {
    if (!LevelLoadDue()) return;
    EngineState& s = GetEngineState();
    s.reloadRequested = false;
    if (AudioSystem* audio = GetAudio()) audio->StopBus("Master Bus");
    LoadLevel(s.levelName);
}

void CommitFrameLevelAndMode() {
    EngineState& s = GetEngineState();
    s.previousLevelName = s.levelName;
    s.mode = s.requestedMode;
}

float AdvanceFrameTime(float now) {
    EngineState& s = GetEngineState();
    s.frameTime = now - s.lastTime;
    s.lastTime = now;
    return s.timeScale * s.frameTime;
}

FocusAction UpdateFocus(FocusTimers& t, bool foreground, bool otherWindowFocused, bool fullscreen, float now) {
    EngineState& s = GetEngineState();
    if (t.graceEnd < 0.0f) t.graceEnd = now + kStartupFocusGrace;
    if (!foreground && now < t.graceEnd) {
        s.focused = false;
        return FocusAction::None;
    }
    if (!foreground) {
        PauseThroughPauseMenu();
        s.focused = false;
        t.restoreArmed = false;
        // A window that is not full screen can stay on the desktop behind the
        // others; a full-screen one would cover them, so it gets out of the way.
        if (!s.minimized && otherWindowFocused && fullscreen) {
            if (!t.minimizeArmed) {
                t.minimizeArmed = true;
                t.deadline = now + kFocusDelay;
            } else if (now > t.deadline) {
                s.minimized = true;
                t.minimizeArmed = false;
                return FocusAction::Iconify;
            }
        }
        return FocusAction::None;
    }

    s.focused = true;
    t.minimizeArmed = false;
    if (s.minimized) {
        if (!t.restoreArmed) {
            t.restoreArmed = true;
            t.deadline = now + kFocusDelay;
        } else if (now > t.deadline) {
            s.minimized = false;
            t.restoreArmed = false;
            return FocusAction::Restore;
        }
    }
    return FocusAction::None;
}

void OnWindowIconified(bool iconified) {
    EngineState& s = GetEngineState();
    if (iconified) {
        s.minimized = true;
        PauseThroughPauseMenu();
    } else {
        s.minimized = false;
    }
}
