#pragma once
// What a --headless run needs besides the frame loop: a fixed clock and a
// watch for script errors. The design lets a script error print and the game
// go on; a test of game logic instead wants the run to fail, so a headless run
// ends after the frame in which one was printed (engine/engine.h RunHeadless).
#include <string>

// Seconds per headless frame.
constexpr float kHeadlessDt = 1.0f / 60.0f;

// Step 5 of a headless frame: frameTime is exactly kHeadlessDt and the clock
// advances by it; returns timeScale x kHeadlessDt (0 while paused).
float AdvanceHeadlessFrameTime();

// From now on, every printed line that begins with "Lua Error" is remembered.
// Install before the scripts first run, so errors at start-up count.
void StartScriptErrorWatch();
void StopScriptErrorWatch();

// Whether a script error was printed since the watch started (a "Lua Error"
// line or an error raised inside a script, lua::ScriptErrorCount); `message`
// gets its text.
bool ScriptErrorSeen(std::string& message);
