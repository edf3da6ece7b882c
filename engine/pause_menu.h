#pragma once
// The pause menu as the engine sees it: whether it is open, and the openers.
// What it looks like is drawn by the scripts in answer to "PauseMenuPaused",
// "PauseMenuUnPaused" and "PauseMenuConfirmClose".
//
// Escape and the controller's Start button toggle it; losing focus, iconifying
// and the window's close button open it. Closing the window never quits: the
// menu opens, "PauseMenuConfirmClose" is raised, and the scripts quit through
// lb_engine_quit_game once the player confirms. The engine's pause state is
// touched only in Game mode; in the editor (which holds the game paused itself)
// the events are raised and nothing else changes.
struct GLFWwindow;

class PauseMenu {
public:
    // Connects "PauseMenuCheckPause" to "KeyPressed" and "LogicUpdate" and, when
    // given the game window (null in headless runs), installs its close handler.
    explicit PauseMenu(GLFWwindow* window = nullptr);
    ~PauseMenu();
    PauseMenu(const PauseMenu&) = delete;
    PauseMenu& operator=(const PauseMenu&) = delete;

    void OpenPauseMenu();   // nothing when already open
    void ClosePauseMenu();  // nothing when not open
    bool IsOpen() const { return open_; }

    // The window's close button: open the menu, keep the window, ask the scripts.
    void OnCloseRequested(GLFWwindow* window);

    // Called every "LogicUpdate": a new press of the controller's Start button
    // (code 349) toggles the menu; holding it does not.
    void CheckStartButton(bool startDown);

private:
    GLFWwindow* window_ = nullptr;
    bool open_ = false;
    bool startHeld_ = false;
};

// The one instance while it exists, else null.
PauseMenu* GetPauseMenu();
