#pragma once
// The Engine: creates every system once in a fixed order, runs the frame loop
// until the window is asked to close, and tears everything down in a fixed
// order. Its plain state (mode, pause, level names, timing) lives in
// EngineState (core/engine_state.h) so that code without a window can read it.
//
// Drawing is allowed only while EngineState::skipDrawing is clear. The Engine
// sets it when it starts (no GL context yet), Graphics clears it once its
// context is current, and the Engine sets it again before Graphics is destroyed.
// So it is set exactly while no GL context exists: headless runs, tests, and
// start-up and shut-down.
#include <memory>
#include <string>

#include "engine/game_flow.h"
#include "engine/game_pause.h"
#include "physics/physics.h"
#include "sound/audio_system.h"

class Cheats;
class Console;
class HotReload;
class Graphics;
class LuaHost;
class PauseMenu;
class ProfilerView;
class Input;
struct GLFWwindow;

// How the engine starts (command-line options, engine/command_line.h). The
// defaults are the game as players get it.
struct EngineOptions {
    bool headless = false;  // no Graphics at all: no window, no GL context, nothing drawn
    bool windowed = false;  // the 1280 x 720 window instead of full screen
    bool watch = true;      // reload changed content files (engine/hot_reload.h)
    std::string profile;    // --profile: the frame profiler's CSV file; empty: none
};

class Engine {
public:
    // Start-up; every failure is thrown as debug::exception.
    explicit Engine(const EngineOptions& options = {});
    // Shut-down: systems go in the reverse of their dependencies.
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The frame loop; returns when the window is asked to close (a script's
    // quit call). The level is unloaded and all entities destroyed before it
    // returns.
    void Run();
    // The frame loop without a window: a fixed dt of 1/60 s, for `frames`
    // frames (-1: no limit) or until a script quits; the level is then
    // unloaded as by Run. Returns the exit status: 0, or 1 when a script error
    // was printed (the run ends after that frame; the error goes to stderr).
    int RunHeadless(long frames);
    // Run, but also ending after `frames` frames (-1: no limit).
    void Run(long frames);
    // One pass of the frame loop, for benchmarks that drive the loop themselves.
    void RunFrame();

    // timeScale 0 (and, with audio, the music and effect buses paused) / back to 1.
    void Pause() { PauseGame(); }
    void Resume() { ResumeGame(); }

    Physics& GetPhysics() { return physics_; }
    AudioSystem& GetAudioSystem() { return audio_; }

    // Every script runs again from the start: destroys the pause menu, then the
    // Lua host, and creates a new Lua host, then a new pause menu. The editor's
    // "save level and reload assets" calls it with no entities alive.
    void RestartScripts();

private:
    void Frame(GLFWwindow* window);
    void HandleFocus(GLFWwindow* window);
    void ShutDownLevel();

    // Held by value; declared first so it is destroyed last.
    Physics physics_;
    // After physics_, so it is destroyed just before physics. Also reachable
    // through GetAudio() (sound/audio_system.h).
    AudioSystem audio_;

    std::unique_ptr<Input> input_;
    std::unique_ptr<Console> console_;
    std::unique_ptr<Graphics> graphics_;
    std::unique_ptr<Cheats> cheats_;
    std::unique_ptr<PauseMenu> pauseMenu_;
    std::unique_ptr<LuaHost> luaHost_;
    std::unique_ptr<HotReload> hotReload_;  // null with --no-watch and headless
    std::unique_ptr<ProfilerView> profiler_;
    bool scriptTiming_ = false;  // the scripts time their components for the profiler
    FocusTimers focusTimers_;
};

// The one Engine while it exists (from the start of its construction to the end
// of its destruction), else null.
Engine* GetEngine();
