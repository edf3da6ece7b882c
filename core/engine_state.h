#pragma once
// The engine's plain state, process-wide. The Engine object (engine/engine.h)
// drives it; levels, saves, scripts and the renderer read it without needing a
// window, which is what lets them be tested headless.
#include <string>

#include "core/engine_mode.h"

struct EngineState {
    bool paused = false;
    bool minimized = false;
    float lastTime = 0.0f;       // s, time stamp of the previous frame
    float timeScale = 1.0f;      // applied to the frame time handed to updates
    float frameTime = 0.0f;      // s, unscaled duration of the last frame
    EngineMode mode = EngineMode::Startup;
    EngineMode requestedMode = EngineMode::Game;
    bool reloadRequested = false;
    bool saveOnUnload = false;
    bool focused = true;
    // Set while no picture may be drawn: no window or GL context exists (headless
    // runs and tests) or the engine is tearing down. Drawing and debug drawing
    // return at once while it is set.
    bool skipDrawing = true;
    // A script asked to quit (lb_engine_quit_game); ends a run that has no
    // window to close.
    bool quitRequested = false;

    std::string levelName = "veltrane_splash";
    std::string previousLevelName;
};

EngineState& GetEngineState();

// Sets levelName; with markCurrent also previousLevelName (no load follows),
// otherwise a load is due at the start of the next frame.
void RequestLevel(const std::string& name, bool markCurrent);

// Back to the values at program start (tests).
void ResetEngineState();
