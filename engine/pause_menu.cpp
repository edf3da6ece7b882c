#include "engine/pause_menu.h"

#include <GLFW/glfw3.h>

#include "core/engine_state.h"
#include "core/events.h"

#include "core/callback_errors.h"
#include "core/input.h"
#include "engine/game_pause.h"

namespace {

PauseMenu* g_pauseMenu = nullptr;
constexpr int kEscapeKey = 256;
constexpr const char* kListener = "PauseMenuCheckPause";

bool StartButtonDown() {
    Input* input = GetInput();
    return input && input->IsKeyDown(kControllerStart) == 1;
}

// Runs inside GLFW's event poll: exceptions are kept for the frame loop to rethrow.
void CloseCallback(GLFWwindow* window) {
    GuardCallback([&] {
        if (g_pauseMenu) g_pauseMenu->OnCloseRequested(window);
    });
}

}  // namespace

PauseMenu::PauseMenu(GLFWwindow* window) : window_(window) {
    g_pauseMenu = this;
    events::Connect<int>("KeyPressed", kListener, [this](int key) {
        if (key != kEscapeKey) return;
        if (open_)
            ClosePauseMenu();
        else
            OpenPauseMenu();
    });
    events::Connect<float>("LogicUpdate", kListener, [this](float) { CheckStartButton(StartButtonDown()); });
    if (window_) glfwSetWindowCloseCallback(window_, CloseCallback);
}

PauseMenu::~PauseMenu() {
    events::Disconnect("KeyPressed", kListener);
    events::Disconnect("LogicUpdate", kListener);
    if (window_) glfwSetWindowCloseCallback(window_, nullptr);
    if (g_pauseMenu == this) g_pauseMenu = nullptr;
}

void PauseMenu::OpenPauseMenu() {
    if (open_) return;
    open_ = true;
    // Outside the editor, start-up included: an open menu always means paused.
    if (GetEngineState().mode != EngineMode::Editor) PauseGame();
    events::Call("PauseMenuPaused");
}

void PauseMenu::ClosePauseMenu() {
    if (!open_) return;
    open_ = false;
    if (GetEngineState().mode != EngineMode::Editor) ResumeGame();
    events::Call("PauseMenuUnPaused");
}

void PauseMenu::OnCloseRequested(GLFWwindow* window) {
    OpenPauseMenu();
    if (window) {
        glfwRestoreWindow(window);
        glfwSetWindowShouldClose(window, GLFW_FALSE);
    }
    events::Call("PauseMenuConfirmClose");
}

void PauseMenu::CheckStartButton(bool startDown) {
    if (startDown && !startHeld_) {
        if (open_)
            ClosePauseMenu();
        else
            OpenPauseMenu();
    }
    startHeld_ = startDown;
}

PauseMenu* GetPauseMenu() { return g_pauseMenu; }
