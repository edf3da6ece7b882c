// Rendering benchmarks.
//
// BM_CullSort10k: culling and both sorts over a level of 10,000 entities, CPU
// only (target: under 2 ms).
//
// The others run the real engine (window, scripts, the whole frame loop) in a
// scratch content folder, so they need a display (run them under Xvfb); without
// one they skip. Counters per frame: draw_calls, texture_binds, instances,
// hidden (lit sprites left out, wholly covered by solid ones in front),
// cropped (lit sprites cut down to the part solid ones in front leave open), and
// window_width (the framebuffer the frame was composed onto).
// BM_FrameEmpty: one frame of the engine loop with an empty level.
// BM_FrameSprites/N: N lit clamped 16 x 16 sprites of one texture, each moved
// every frame by a script; per_sprite_us = (frame - empty frame) / N.
// BM_FrameSpritesMixed/N: the same with 8 textures and animated sheets mixed
// in depth. BM_FreeSprites/N: N lit sprites that keep their sub-pixel position.
// BM_LitFrame/N / BM_LitFrameNoShadows: Graphics::Draw alone with N (1,000
// for the second) lit sprites, 45 point lights (32 of them shadowed) and 200
// shadow casters (none for the second).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>
#include <lodepng.h>
#include <lua.hpp>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "engine/engine.h"
#include "graphics/culling.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/point_light.h"
#include "graphics/renderer.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "scripting/lua_host.h"

namespace {

namespace fs = std::filesystem;

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
    // The components' events, when no engine has registered them yet; the
    // engine the frame benchmarks start later registers its own.
    const bool ownEvents = !events::IsRegistered("EditorSelectedEntity");
    if (ownEvents) {
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
    }
    engine::DestroyAllEntities();
    const Camera saved = GetCamera();
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
    GetCamera() = saved;
    if (ownEvents) events::ClearRegistryForTesting();
}
BENCHMARK(BM_CullSort10k)->Unit(benchmark::kMillisecond);

void WritePng(const fs::path& file, unsigned w, unsigned h, unsigned char r, unsigned char g, unsigned char b) {
    std::vector<unsigned char> pixels(size_t(w) * h * 4, 255);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = r;
        pixels[i + 1] = g;
        pixels[i + 2] = b;
    }
    // A dark corner, so every picture has an edge inside it.
    for (unsigned y = 0; y < 3 && y < h; ++y)
        for (unsigned x = 0; x < 3 && x < w; ++x) pixels[(size_t(y) * w + x) * 4] = 0;
    lodepng::encode(file.string(), pixels, w, h);
}

// The content folder every engine run here uses: the game's shaders and Lua
// engine layer, an empty first level, the benchmark's textures and script,
// and the audio files the engine reads at start-up.
void MakeContent(const fs::path& dir) {
    const fs::path src(QM_SOURCE_DIR);
    const auto copy = fs::copy_options::overwrite_existing | fs::copy_options::recursive;
    fs::create_directories(dir / "shaders");
    fs::copy(src / "game" / "shaders", dir / "shaders", copy);
    fs::create_directories(dir / "lua" / "engine");
    fs::copy(src / "game" / "lua" / "engine", dir / "lua" / "engine", copy);
    fs::create_directories(dir / "lua" / "autorun");
    fs::copy_file(src / "bench" / "frame_mover.lua", dir / "lua" / "autorun" / "frame_mover.lua",
                  fs::copy_options::overwrite_existing);
    fs::create_directories(dir / "levels");
    std::ofstream(dir / "levels" / "veltrane_splash.json")
        << R"({"tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16, "tile_textures": [],)"
        << R"( "tiles": "0 "}, "entities": [], "graphics": {"global_ambient_intensity": 1}})";
    fs::create_directories(dir / "textures");
    WritePng(dir / "textures" / "debug.png", 8, 8, 255, 0, 255);
    WritePng(dir / "textures" / "debug_nm.png", 8, 8, 128, 128, 255);
    WritePng(dir / "textures" / "debug_sm.png", 8, 8, 0, 0, 0);
    const unsigned char colours[8][3] = {{224, 64, 64}, {64, 192, 64},  {64, 96, 224},  {224, 192, 64},
                                         {192, 64, 192}, {64, 192, 192}, {240, 128, 32}, {160, 160, 160}};
    for (int i = 0; i < 8; ++i)
        WritePng(dir / "textures" / ("b" + std::to_string(i) + ".png"), 16, 16, colours[i][0], colours[i][1],
                 colours[i][2]);
    WritePng(dir / "textures" / "sheet.png", 64, 16, 200, 200, 80);
    fs::create_directories(dir / "audio");
    std::ofstream(dir / "audio" / "bankFiles.txt");
    std::ofstream(dir / "audio" / "stringFiles.txt");
    fs::create_directories(dir / "Audio");
    std::ofstream(dir / "Audio" / "SoundStorage.json") << R"({"Sounds":{"Cue Number":0}})";
}

// The one engine of the process, made on first use and destroyed by main
// before exit (the engine's systems are not meant to outlive main).
std::unique_ptr<Engine> g_engine;
fs::path g_content;  // removed by main at the end

Engine* GetBenchEngine(std::string& error) {
    std::unique_ptr<Engine>& engine = g_engine;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const char* display = std::getenv("DISPLAY");
        // Without a display GLFW cannot start, and the window would end the
        // process; skip instead.
        if (!display || !*display) {
            failure = "no display (run under Xvfb)";
        } else {
            const fs::path dir = fs::temp_directory_path() / ("qm_bench_render_" + std::to_string(::getpid()));
            MakeContent(dir);
            g_content = dir;
            fs::current_path(dir);
            try {
                engine = std::make_unique<Engine>();
                // A bare X server gives no window the focus, and the engine
                // pauses and minimises a full-screen game without it: focus it
                // once it is mapped. The script closes the start-up pause menu.
                GLFWwindow* window = GetGraphics()->GetWindow();
                for (int i = 0; i < 100 && !glfwGetWindowAttrib(window, GLFW_FOCUSED); ++i) {
                    glfwFocusWindow(window);
                    engine->RunFrame();
                }
                for (int i = 0; i < 5; ++i) engine->RunFrame();
                if (!glfwGetWindowAttrib(window, GLFW_FOCUSED) || GetEngineState().paused)
                    failure = "the game window did not get the focus";
            } catch (const std::exception& e) {
                failure = e.what();
            }
        }
    }
    error = failure;
    return engine.get();
}

bool RunLua(const std::string& code) {
    lua_State* L = GetLuaState();
    return L && luaL_dostring(L, code.c_str()) == 0;
}

void ReportCounters(benchmark::State& state) {
    state.counters["window_width"] = double(GetCamera().framebufferWidth);
    if (Renderer* r = GetRenderer()) {
        const RenderCounters& c = r->GetCounters();
        state.counters["draw_calls"] = double(c.drawCalls);
        state.counters["texture_binds"] = double(c.textureBinds);
        state.counters["instances"] = double(c.instances);
        state.counters["hidden"] = double(c.hiddenSprites);
        state.counters["cropped"] = double(c.croppedSprites);
    }
}

// CPU time of the whole process (every thread: llvmpipe rasterises on its own
// threads), microseconds. On a shared machine it is a steadier measure than
// wall time, which also counts the time other processes hold the cores.
double ProcessCpuMicros() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (double(u.ru_utime.tv_sec) + double(u.ru_stime.tv_sec)) * 1e6 + double(u.ru_utime.tv_usec) +
           double(u.ru_stime.tv_usec);
}

struct FrameCost {
    double wall = -1.0;  // microseconds per frame, median
    double cpu = -1.0;   // process CPU microseconds per frame, mean
};

// An empty engine frame in this process, measured once, for the per-sprite
// figures.
FrameCost EmptyFrame(Engine& engine) {
    static FrameCost cost;
    if (cost.wall >= 0.0) return cost;
    std::vector<double> times;
    const double cpu0 = ProcessCpuMicros();
    for (int i = 0; i < 100; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        engine.RunFrame();
        glFinish();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    cost.cpu = (ProcessCpuMicros() - cpu0) / 100.0;
    std::sort(times.begin(), times.end());
    cost.wall = times[times.size() / 2];
    return cost;
}

void EngineFrames(benchmark::State& state, const char* mode) {
    std::string error;
    Engine* engine = GetBenchEngine(error);
    if (!engine) {
        state.SkipWithError(error.c_str());
        return;
    }
    const FrameCost empty = EmptyFrame(*engine);
    const int count = mode ? int(state.range(0)) : 0;
    if (mode && !RunLua("bench_spawn(" + std::to_string(count) + ", '" + mode + "')")) {
        state.SkipWithError("the benchmark script did not run");
        return;
    }
    for (int i = 0; i < 3; ++i) engine->RunFrame();
    std::vector<double> times;
    const double cpu0 = ProcessCpuMicros();
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        engine->RunFrame();
        glFinish();  // the GPU's share of the frame (on llvmpipe, CPU work too)
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    const double cpu = (ProcessCpuMicros() - cpu0) / double(std::max<size_t>(1, times.size()));
    ReportCounters(state);
    std::sort(times.begin(), times.end());
    const double wall = times.empty() ? 0.0 : times[times.size() / 2];
    state.counters["frame_median_us"] = wall;
    state.counters["frame_cpu_us"] = cpu;
    if (count > 0) {
        state.counters["per_sprite_us"] = (wall - empty.wall) / count;
        state.counters["per_sprite_cpu_us"] = (cpu - empty.cpu) / count;
    }
    if (mode) RunLua("bench_clear()");
    engine->RunFrame();  // destroys them at the end of the frame
}

void BM_FrameEmpty(benchmark::State& state) { EngineFrames(state, nullptr); }
void BM_FrameSprites(benchmark::State& state) { EngineFrames(state, "plain"); }
void BM_FrameSpritesMixed(benchmark::State& state) { EngineFrames(state, "mixed"); }
void BM_FreeSprites(benchmark::State& state) { EngineFrames(state, "free"); }
BENCHMARK(BM_FrameEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSprites)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSpritesMixed)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeSprites)->Arg(100)->Unit(benchmark::kMillisecond);

void LitFrame(benchmark::State& state, int sprites, int casters) {
    std::string error;
    Engine* engine = GetBenchEngine(error);
    Graphics* graphics = GetGraphics();
    if (!engine || !graphics) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> x(-240.0f, 240.0f), y(-135.0f, 130.0f);
    std::vector<engine::entity_handle> made;
    for (int i = 0; i < sprites; ++i) AddSprite(made.emplace_back(Spawn(x(rng), y(rng))), true, true);
    for (int i = 0; i < 45; ++i) AddLight(made.emplace_back(Spawn(x(rng), y(rng))), 150.0f);
    for (int i = 0; i < casters; ++i) AddCaster(made.emplace_back(Spawn(x(rng), y(rng))));

    const double cpu0 = ProcessCpuMicros();
    for (auto _ : state) {
        if (!graphics->BeginFrame()) continue;
        graphics->Draw(1.0f / 60.0f);
        glFinish();
        graphics->EndFrame();
    }
    state.counters["frame_cpu_us"] = (ProcessCpuMicros() - cpu0) / double(std::max<int64_t>(1, state.iterations()));
    ReportCounters(state);
    state.counters["casters_kept"] = double(GetRenderer()->GetCounters().shadowCasters);
    for (engine::entity_handle e : made) engine::DestroyEntity(e);
    engine->RunFrame();
}

void BM_LitFrame(benchmark::State& state) { LitFrame(state, int(state.range(0)), 200); }
void BM_LitFrameNoShadows(benchmark::State& state) { LitFrame(state, 1000, 0); }
BENCHMARK(BM_LitFrame)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LitFrameNoShadows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_engine.reset();
    if (!g_content.empty()) {
        std::error_code ec;
        fs::current_path(fs::temp_directory_path(), ec);
        fs::remove_all(g_content, ec);
    }
    return 0;
}
