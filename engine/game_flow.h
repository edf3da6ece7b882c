#pragma once
// The decisions of the frame loop that need no window: pausing on focus loss, the editor
// toggle, when a level load is due, frame timing and the focus timers. They act
// on the process-wide EngineState, so the Engine stays a thin driver and all of
// this runs in tests.

class Input;

// Focus loss and iconifying pause "through the pause menu": the menu decides
// whether to pause (never in the editor) and tells the scripts once.
void PauseThroughPauseMenu();

// F8 while Left Control and Left Shift are held; the right-hand keys do not count.
constexpr int kKeyF8 = 297;
constexpr int kKeyLeftShift = 340;
constexpr int kKeyLeftControl = 341;
bool IsEditorToggleChord(int key, Input& input);

// Switches between game and editor. The switch takes effect at the next frame,
// so a second press before then is ignored: the toggle acts at most once per
// mode change. Does nothing during start-up.
void ToggleEditor();

// Connects "EngineToggleEditor" to "KeyPressed": the chord above toggles.
void ConnectEditorToggle(Input& input);

// Connects the one-shot "LuaSaveLevelOnUnload" listener to
// "LevelUnloadFinished": at the next unload it saves the level being left
// (previousLevelName) to the save folder, then disconnects itself. Used at
// shut-down and by the scripts' level change; connecting it again before it ran
// throws the event system's duplicate-listener error.
void ConnectSaveLevelOnUnload();

// A level load is due when the mode is about to change or a level was requested.
bool LevelLoadDue();
// Step 3 of the frame: when due, clear the request, stop all sound and load
// levelName.
void RunLevelCheck();
// Step 6: the level and mode of this frame become current.
void CommitFrameLevelAndMode();

// Step 5: measures the frame from the clock (s) and returns the scaled dt. The
// first frame gets the whole time since the clock started; no clamp.
float AdvanceFrameTime(float now);

// The two 0.2 s timers that keep a quick alt-tab from iconifying the game and a
// quick return from restoring it half-way.
constexpr float kFocusDelay = 0.2f;

// A new window often gets the focus a few frames after it appears; losing it
// during the first second after the first frame does not count, so a game that
// is focused in time starts unpaused with no menu open.
constexpr float kStartupFocusGrace = 1.0f;

struct FocusTimers {
    bool minimizeArmed = false;
    bool restoreArmed = false;
    float deadline = 0.0f;  // s on the frame clock, shared by both timers
    float graceEnd = -1.0f;  // s; negative until the first frame sets it
};

enum class FocusAction { None, Iconify, Restore };

// Step 2 of the frame. foreground: the game window has the focus;
// otherWindowFocused: some other window has it (false when nothing does);
// fullscreen: Graphics is full screen. Updates focused/minimized and pauses on
// focus loss (after the start-up grace); returns what to do with the window.
FocusAction UpdateFocus(FocusTimers& timers, bool foreground, bool otherWindowFocused, bool fullscreen,
                        float now);

// The window's iconify callback: iconified pauses; restoring leaves the game
// paused until the player unpauses.
void OnWindowIconified(bool iconified);
