// The editor's costs: one frame of the open editor over a level of 1000
// sprites (the actions' update, the "Editor" window with its entity list and
// the inspector on the selected sprite, the entity markers, and the GUI's
// draw lists), and picking the entity under the cursor among 10,000. The GUI
// runs without a window: its lists are built, nothing is sent to a GPU.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <imgui.h>
#include <json/value.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "editor/cursor.h"
#include "editor/editor.h"
#include "editor/editor_actions.h"
#include "editor/editor_window.h"
#include "editor/picking.h"
#include "engine/engine_events.h"
#include "graphics/debug_painter.h"

namespace {

// The events the Editor connects to, registered as the engine does, a 1920 x
// 1080 framebuffer (4 window pixels per world unit) and a GUI context.
class HeadlessEditor {
public:
    HeadlessEditor() {
        events::ClearRegistryForTesting();
        for (const char* name : {"MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", "KeyPressed",
                                 "KeyDown", "KeyReleased"})
            events::Register<int>(name);
        debug_draw::RegisterEvent();
        debug_draw::SetPainter(&ImGuiDebugPainter());
        RegisterEngineEvents();
        components::RegisterBuiltinComponents();
        ResetEngineState();
        EngineState& s = GetEngineState();
        s.mode = s.requestedMode = EngineMode::Editor;
        s.skipDrawing = false;  // debug drawing goes into the GUI's lists
        GetCamera() = Camera();
        GetCamera().framebufferWidth = 1920;
        GetCamera().framebufferHeight = 1080;

        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(1920, 1080);
        io.DeltaTime = 1.0f / 60.0f;
        unsigned char* pixels = nullptr;
        int w = 0, h = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
        engine::DestroyAllEntities();
        Editor::ClearHistory();
        OpenEditor();
    }
    ~HeadlessEditor() {
        CloseEditor();
        Editor::ClearHistory();
        engine::DestroyAllEntities();
        ImGui::DestroyContext();
        events::ClearRegistryForTesting();
        ResetEngineState();
        GetCamera() = Camera();
    }
};

void BM_EditorFrame1000(benchmark::State& state) {
    HeadlessEditor headless;
    Json::Value sprite(Json::objectValue);
    sprite["texture"] = "tree";  // no such file here: the fallback picture
    // 40 x 25 entities, 10 units apart, all in view (so all get markers).
    for (int i = 0; i < 1000; ++i) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetName("entity " + std::to_string(i));
        e.SetPosition(float(i % 40) * 10.0f - 200.0f, float(i / 40) * 10.0f - 125.0f, 0.0f);
        e.AddComponent("Sprite", sprite);
    }
    Editor* editor = GetEditor();
    editor->SelectEntity(engine::GetLiveEntities()[500], true, true);
    for (int i = 0; i < 20; ++i) editor->SelectEntity(engine::GetLiveEntities()[size_t(i * 7)], false, false);
    editor->SelectEntity(engine::GetLiveEntities()[500], false, false);  // the inspector shows a sprite

    for (auto _ : state) {
        ImGui::NewFrame();
        debug_draw::RunFrame();
        Editor::UpdateActions();
        editor::DrawEditorWindow();
        ImGui::Render();
        benchmark::DoNotOptimize(ImGui::GetDrawData()->TotalVtxCount);
    }
}
BENCHMARK(BM_EditorFrame1000)->Unit(benchmark::kMicrosecond);

void BM_Pick10000(benchmark::State& state) {
    HeadlessEditor headless;
    // 100 x 100 entities 4 units apart, z varying, so several lie under the
    // 5-unit marker square around the cursor.
    for (int i = 0; i < 10000; ++i) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(float(i % 100) * 4.0f - 200.0f, float(i / 100) * 4.0f - 200.0f, float(i % 7));
    }
    const glm::vec3 p(1.0f, 1.0f, 0.0f);
    for (auto _ : state) {
        engine::entity_handle hit = editor::PickTopmost(p, editor::MarkerSize() * 0.5f);
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_Pick10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
