#include "engine/engine.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <GLFW/glfw3.h>
#include <json/value.h>

#include "core/callback_errors.h"
#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/frame_profiler.h"
#include "core/input.h"
#include "core/log.h"
#include "ecs/component_registry.h"
#include "ecs/entity_handle.h"
#include "ecs/entity_store.h"
#include "editor/editor.h"
#include "editor/editor_window.h"
#include "editor/gui_host.h"
#include "editor/level_panel.h"
#include "engine/cheats.h"
#include "engine/console.h"
#include "engine/engine_events.h"
#include "engine/headless_runner.h"
#include "engine/hot_reload.h"
#include "engine/pause_menu.h"
#include "engine/profiler_view.h"
#include "graphics/debug_painter.h"
#include "graphics/graphics.h"
#include "graphics/screenshot.h"
#include "level/level_file.h"
#include "level/save_game.h"
#include "scripting/lua_host.h"
#include "scripting/script_costs.h"
#include "sound/cue_table.h"

namespace {
Engine* g_engine = nullptr;
}

Engine* GetEngine() { return g_engine; }

Engine::Engine(const EngineOptions& options) {
    // Systems created below (and the scripts they run) may already ask for the
    // engine.
    g_engine = this;
    editor::SetScriptRestart([this] { RestartScripts(); });
    ResetEngineState();

    // physics_ and audio_ are constructed as members.

    components::RegisterBuiltinComponents();
    profiler_ = std::make_unique<ProfilerView>(options.profile);

    input_ = std::make_unique<Input>(CreateGlfwInputSource());
    console_ = std::make_unique<Console>();
    if (!options.headless) {
        graphics_ = std::make_unique<Graphics>(WindowGui{gui_host::Init, gui_host::NewFrame, gui_host::DiscardFrame,
                                                         gui_host::Render, gui_host::Shutdown});
        if (options.windowed) graphics_->SetFullscreen(false);
    }
    GLFWwindow* window = graphics_ ? graphics_->GetWindow() : nullptr;
    // Graphics registers the drawing event; scripts connect to it either way.
    if (!graphics_) events::Register<>("PostDraw");
    debug_draw::RegisterEvent();
    debug_draw::SetPainter(&ImGuiDebugPainter());
    cheats_ = std::make_unique<Cheats>();

    // The banks, then the cues that name their events.
    audio_.Initialize(options.headless);
    LoadCueTable(audio_);

    physics_.Initialize();

    input_->InstallCallbacks();

    RegisterEngineEvents();

    ConnectEditorToggle(*input_);

    if (window) {
        glfwSetWindowIconifyCallback(window, [](GLFWwindow*, int iconified) {
            GuardCallback([&] { OnWindowIconified(iconified == GLFW_TRUE); });
        });
    }

    // A write killed half-way leaves its temporary file; nothing has written yet.
    RemoveStaleTemporaryFiles();

    pauseMenu_ = std::make_unique<PauseMenu>(window);
    // Last: the host runs the start-up scripts, which may connect to any event
    // registered above.
    luaHost_ = std::make_unique<LuaHost>();
    SetLuaHost(luaHost_.get());

    // Development aids that change nothing unless used: F12 and the file watch.
    if (window) {
        screenshot::ConnectKey();
        events::Connect<int>("KeyPressed", "ProfilerToggle", [this](int key) {
            if (key == kKeyF3) profiler_->Toggle();
        });
    }
    if (options.watch && !options.headless) hotReload_ = std::make_unique<HotReload>([this] { RestartScripts(); });
}

Engine::~Engine() {
    hotReload_.reset();
    if (graphics_) events::Disconnect("KeyPressed", "ProfilerToggle");
    screenshot::Shutdown();
    luaHost_.reset();
    SetLuaHost(nullptr);
    cheats_.reset();
    pauseMenu_.reset();
    CloseEditor();
    // Debug drawing holds nothing to release.
    SaveCueTable(audio_);
    console_.reset();
    profiler_.reset();
    input_.reset();
    GetEngineState().skipDrawing = true;  // the GL context goes with Graphics
    graphics_.reset();
    // The audio system and physics_ go with the members, in that order.
    editor::SetScriptRestart(nullptr);
    g_engine = nullptr;
}

void Engine::RestartScripts() {
    pauseMenu_.reset();
    luaHost_.reset();
    SetLuaHost(nullptr);
    luaHost_ = std::make_unique<LuaHost>();
    SetLuaHost(luaHost_.get());
    pauseMenu_ = std::make_unique<PauseMenu>(graphics_ ? graphics_->GetWindow() : nullptr);
}

void Engine::Run() { Run(-1); }

void Engine::Run(long frames) {
    GLFWwindow* window = graphics_ ? graphics_->GetWindow() : nullptr;
    if (!window) {
        Print("Engine: no game window, nothing to run.");
    } else {
        for (long frame = 0; !glfwWindowShouldClose(window) && (frames < 0 || frame < frames); ++frame)
            Frame(window);
    }
    ShutDownLevel();
}

int Engine::RunHeadless(long frames) {
    int status = 0;
    std::string error;
    for (long frame = 0; frames < 0 || frame < frames; ++frame) {
        Frame(nullptr);
        if (ScriptErrorSeen(error)) {
            std::fprintf(stderr, "Script error, ending the headless run: %s\n", error.c_str());
            status = 1;
            break;
        }
        if (GetEngineState().quitRequested) break;
    }
    ShutDownLevel();
    if (status == 0 && ScriptErrorSeen(error)) {
        std::fprintf(stderr, "Script error while leaving the level: %s\n", error.c_str());
        status = 1;
    }
    return status;
}

void Engine::RunFrame() { Frame(graphics_ ? graphics_->GetWindow() : nullptr); }

void Engine::Frame(GLFWwindow* window) {
    EngineState& s = GetEngineState();

    // Measured only while the overlay shows or a profile is written; decided
    // for the whole frame here, so a toggle takes effect at the next one.
    profiler::SetEnabled(profiler_->Active());
    profiler::BeginFrame();

    // Without a window (headless) there are no window events and no focus.
    if (window) {
        ProfileScope input(ProfileSection::Input);
        glfwPollEvents();
        RethrowCallbackError();
        HandleFocus(window);
    }

    // Changed content files take effect here, where no event is being raised.
    {
        ProfileScope loading(ProfileSection::Loading);
        if (hotReload_) hotReload_->Update();
        RunLevelCheck();
    }

    // World +y points down the screen, so "forward" is up the screen.
    {
        ProfileScope scope(ProfileSection::Audio);
        audio_.SetListener(GetCamera().GetPosition(), {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    }

    const float dt = window ? AdvanceFrameTime(float(glfwGetTime())) : AdvanceHeadlessFrameTime();

    CommitFrameLevelAndMode();

    {
        ProfileScope scope(ProfileSection::Physics);
        physics_.Update(dt);
    }
    {
        // The game logic: scripts, and the engine's own listeners (fades, emitters).
        ProfileScope scope(ProfileSection::Scripts);
        events::Call("PreLogicUpdate", dt);
        events::Call("LogicUpdate", dt);
    }
    {
        ProfileScope scope(ProfileSection::Audio);
        audio_.Update();
    }

    if (!s.skipDrawing && graphics_ && graphics_->BeginFrame()) {
        graphics_->Draw(dt);
        {
            ProfileScope scope(ProfileSection::Composition);
            debug_draw::RunFrame();
        }
        {
            ProfileScope scope(ProfileSection::GuiEditor);
            if (s.mode == EngineMode::Editor && s.requestedMode == EngineMode::Editor) {
                Editor::UpdateActions();
                editor::DrawEditorWindow();
            }
            console_->Draw();
            profiler_->DrawOverlay();
        }
        graphics_->EndFrame();
    }

    engine::FlushDestroyedEntities();

    // The scripts time their components only while the profiler runs.
    if (luaHost_ && (profiler::Enabled() || scriptTiming_)) {
        scripting::CollectScriptCosts(luaHost_->State(), profiler::Enabled());
        scriptTiming_ = profiler::Enabled();
    }
    profiler_->Record(profiler::EndFrame());
}

void Engine::HandleFocus(GLFWwindow* window) {
    const bool foreground = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    // X11 cannot tell "another window has the focus" from "nothing has it" the
    // way a desktop's foreground window can, so losing the focus always counts
    // as another window taking it.
    const bool otherWindowFocused = true;
    switch (UpdateFocus(focusTimers_, foreground, otherWindowFocused, graphics_->GetFullscreen(),
                        float(glfwGetTime()))) {
    case FocusAction::Iconify:
        glfwIconifyWindow(window);
        break;
    case FocusAction::Restore:
        glfwRestoreWindow(window);
        break;
    case FocusAction::None:
        break;
    }
    if (GetEngineState().minimized) std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void Engine::ShutDownLevel() {
    const EngineState& s = GetEngineState();
    if (s.saveOnUnload && s.mode != EngineMode::Editor) ConnectSaveLevelOnUnload();
    UnloadLevel();
    engine::DestroyAllEntities();
}
