// Rendering benchmarks.
//
// BM_CullSort10k: culling and both sorts over a level of 10,000 entities, CPU
// only (target: under 2 ms).
// BM_LitFrame / BM_LitFrameNoShadows: one whole frame with 1,000 lit sprites,
// 45 point lights (32 of them shadowed) and 200 shadow casters (none for the
// second). They open a window, so they need a display (run them under Xvfb);
// without one they skip. The argument picks the shadow batching: 0 = the
// reference 50 casters per upload, 1 = one upload per light. Counters:
// draw_calls and texture_binds per frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include <epoxy/gl.h>

#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "engine/engine_state.h"
#include "engine/events.h"
#include "graphics/camera.h"
#include "graphics/culling.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/point_light.h"
#include "graphics/renderer.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"

namespace {

void RegisterEngineEvents() {
    if (events::IsRegistered("EditorSelectedEntity")) return;
    for (const char* name : {"KeyPressed", "KeyDown", "KeyReleased", "MouseButtonPressed", "MouseButtonDown",
                             "MouseButtonReleased"})
        events::Register<int>(name);
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<>("DebugDraw");
}

engine::entity_handle Spawn(float x, float y) {
    engine::entity_handle e = engine::CreateEntity();
    e.SetPosition(x, y, 0.0f);
    return e;
}

void AddSprite(engine::entity_handle e, bool environmental, bool clamped) {
    e.AddComponent("Sprite", Json::Value());
    Sprite* s = e.Get<Sprite>();
    s->SetEnvironmental(environmental);
    s->SetClamped(clamped);
}

void AddLight(engine::entity_handle e, float radius) {
    e.AddComponent("PointLight", Json::Value());
    e.Get<PointLight>()->radius = radius;
}

void AddCaster(engine::entity_handle e) {
    e.AddComponent("ShadowCaster", Json::Value());
    e.Get<ShadowCaster>()->width = 12.0f;
    e.Get<ShadowCaster>()->height = 6.0f;
}

void BM_CullSort10k(benchmark::State& state) {
    components::RegisterBuiltinComponents();
    RegisterEngineEvents();
    engine::DestroyAllEntities();
    GetCamera() = Camera();
    // A level four views wide and tall: about a sixteenth of it is visible.
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> x(-1000.0f, 1000.0f), y(-560.0f, 560.0f);
    for (int i = 0; i < 10000; ++i) {
        engine::entity_handle e = Spawn(x(rng), y(rng));
        if (i % 10 == 0)
            AddLight(e, 120.0f);
        else if (i % 10 == 1)
            AddCaster(e);
        else
            AddSprite(e, i % 10 != 2, i % 10 != 3);
    }
    RenderLists lists;
    for (auto _ : state) {
        CullScene(CurrentCullView(), lists);
        SortUnlitBackToFront(lists.unlitSprites);
        SortLitFrontToBack(lists.litClampedSprites);
        benchmark::DoNotOptimize(lists.litClampedSprites.data());
    }
    state.counters["visible_sprites"] =
        double(lists.unlitSprites.size() + lists.litClampedSprites.size() + lists.litFreeSprites.size());
    state.counters["casters_kept"] = double(lists.shadowCasters.size());
    engine::DestroyAllEntities();
}
BENCHMARK(BM_CullSort10k)->Unit(benchmark::kMillisecond);

// One window for every lit-frame run, in a scratch folder holding the shaders.
Graphics* OpenWindow(std::string& error) {
    static std::unique_ptr<Graphics> graphics;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const char* display = std::getenv("DISPLAY");
        // Without a display GLFW cannot start, and the window would end the
        // process; skip instead.
        if (!display || !*display) failure = "no display (run under Xvfb)";
    }
    if (!graphics && failure.empty()) {
        const auto dir = std::filesystem::temp_directory_path() / ("qm_bench_render_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "shaders");
        std::filesystem::copy(std::filesystem::path(QM_SOURCE_DIR) / "game" / "shaders", dir / "shaders",
                              std::filesystem::copy_options::overwrite_existing |
                                  std::filesystem::copy_options::recursive);
        std::filesystem::current_path(dir);
        components::RegisterBuiltinComponents();
        RegisterEngineEvents();
        try {
            graphics = std::make_unique<Graphics>();
            GetEngineState().mode = EngineMode::Game;
        } catch (const std::exception& e) {
            failure = e.what();
        }
    }
    error = failure;
    return graphics.get();
}

void LitFrame(benchmark::State& state, int casters) {
    std::string error;
    Graphics* graphics = OpenWindow(error);
    if (!graphics) {
        state.SkipWithError(error.c_str());
        return;
    }
    engine::DestroyAllEntities();
    GetCamera().SetPosition(0.0f, 0.0f, 0.0f);
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> x(-240.0f, 240.0f), y(-135.0f, 130.0f);
    for (int i = 0; i < 1000; ++i) AddSprite(Spawn(x(rng), y(rng)), true, true);
    for (int i = 0; i < 45; ++i) AddLight(Spawn(x(rng), y(rng)), 150.0f);
    for (int i = 0; i < casters; ++i) AddCaster(Spawn(x(rng), y(rng)));
    GetRenderer()->SetShadowBatchCasters(state.range(0) == 0 ? kReferenceShadowBatch : kMergedShadowBatch);

    for (auto _ : state) {
        if (!graphics->BeginFrame()) continue;
        graphics->Draw(1.0f / 60.0f);
        glFinish();
        graphics->EndFrame();
    }
    const RenderCounters& counters = GetRenderer()->GetCounters();
    state.counters["draw_calls"] = double(counters.drawCalls);
    state.counters["texture_binds"] = double(counters.textureBinds);
    state.counters["casters_kept"] = double(counters.shadowCasters);
    engine::DestroyAllEntities();
}

void BM_LitFrame(benchmark::State& state) { LitFrame(state, 200); }
void BM_LitFrameNoShadows(benchmark::State& state) { LitFrame(state, 0); }
BENCHMARK(BM_LitFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LitFrameNoShadows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
