// Exports that drive the engine itself: levels and saves, pausing, quitting.
// They sit with the engine rather than with the other exports because they
// reach the game flow and the pause menu, which only the engine may include.
#include <GLFW/glfw3.h>

#include "core/engine_state.h"
#include "engine/game_pause.h"
#include "engine/level_transitions.h"
#include "engine/pause_menu.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

extern "C" void lb_engine_change_level(const char* level) {
    scripting::Guarded([&] { game_flow::ChangeLevel(level); });
}

extern "C" void lb_engine_load_saved_level(void) {
    scripting::Guarded([&] { game_flow::ContinueSavedLevel(); });
}

extern "C" void lb_engine_load_level_restart(const char* level) {
    scripting::Guarded([&] { game_flow::RestartLevel(level); });
}

extern "C" bool lb_engine_has_save_file(void) {
    return scripting::Guarded([&] { return game_flow::HasSaveFile(); });
}

extern "C" void lb_engine_save_on_unload(bool on) {
    scripting::Guarded([&] { GetEngineState().saveOnUnload = on; });
}

extern "C" bool lb_engine_in_editor(void) {
    return scripting::Guarded([&] { return GetEngineState().mode == EngineMode::Editor; });
}

extern "C" bool lb_engine_is_paused(void) {
    return scripting::Guarded([&] { return GetEngineState().paused; });
}

extern "C" void lb_engine_pause(void) {
    scripting::Guarded([&] { PauseGame(); });
}

extern "C" void lb_engine_unpause(void) {
    scripting::Guarded([&] { ResumeGame(); });
}

extern "C" void lb_pause_menu_unpause(void) {
    scripting::Guarded([&] {
        if (PauseMenu* menu = GetPauseMenu()) menu->ClosePauseMenu();
    });
}

extern "C" void lb_engine_quit_game(void) {
    scripting::Guarded([&] {
        // The game window is the one holding the current GL context; without a
        // window (headless runs) there is no frame loop to end.
        if (GLFWwindow* window = glfwGetCurrentContext()) glfwSetWindowShouldClose(window, GLFW_TRUE);
        GetEngineState().quitRequested = true;
    });
}
