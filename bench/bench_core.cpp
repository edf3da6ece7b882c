// Core costs every frame or every level pays: raising an event, checking a
// handle, creating and destroying many entities, and loading and saving a
// large level. Each runs in a throw-away game folder with the engine's events
// registered as the engine does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <json/value.h>
#include <lodepng.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "engine/engine_events.h"
#include "level/level_file.h"

namespace fs = std::filesystem;

namespace {

void RegisterEvents() {
    events::ClearRegistryForTesting();
    RegisterEngineEvents();
    events::Register<>("DebugDraw");
}

void BM_EventRaise8(benchmark::State& state) {
    RegisterEvents();
    float sum = 0.0f;
    for (int i = 0; i < 8; ++i)
        events::Connect<float>("LogicUpdate", "Listener" + std::to_string(i), [&sum](float dt) { sum += dt; });
    for (auto _ : state) {
        events::Call<float>("LogicUpdate", 0.016f);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_EventRaise8);

void BM_HandleCheck(benchmark::State& state) {
    engine::DestroyAllEntities();
    for (int i = 0; i < 1000; ++i) engine::CreateEntity();
    engine::entity_handle handle = engine::GetLiveEntities()[500];
    for (auto _ : state) {
        benchmark::DoNotOptimize(handle);
        benchmark::DoNotOptimize(handle.GetBaseEntity());
    }
    engine::DestroyAllEntities();
}
BENCHMARK(BM_HandleCheck);

void BM_EntityChurn100k(benchmark::State& state) {
    engine::DestroyAllEntities();
    std::vector<engine::entity_handle> made(100000);
    for (auto _ : state) {
        for (auto& h : made) h = engine::CreateEntity();
        for (const auto& h : made) engine::DestroyEntity(h);
        engine::FlushDestroyedEntities();
    }
    engine::DestroyAllEntities();
}
BENCHMARK(BM_EntityChurn100k)->Unit(benchmark::kMillisecond);

// A level of 10,000 entities, each with a Sprite, a BoxCollider and a
// RigidBody, written by the engine itself so the file has the real keys
// (8.5 MB, 170,000 numbers). What is left of a load is mostly building and
// freeing Json::Value trees (the parse itself takes a fast path into them); of
// a save, the components' Serialize and the styled writer. The fsync of the
// atomic write costs about 10 ms of wall time and next to no CPU.
class GameFolder {
public:
    GameFolder() {
        old_ = fs::current_path();
        char pattern[] = "/tmp/qm_bench_XXXXXX";
        root_ = mkdtemp(pattern);
        fs::create_directories(root_ / "levels");
        fs::create_directories(root_ / "textures");
        fs::current_path(root_);
        setenv("XDG_DOCUMENTS_DIR", (root_ / "docs").c_str(), 1);
        // As in a real game folder, every texture a sprite asks for exists.
        std::vector<unsigned char> pixels(4 * 4 * 4, 255);
        for (const char* name : {"debug", "debug_nm", "debug_sm", "tree", "tree_nm", "tree_sm"})
            lodepng::encode(std::string("textures/") + name + ".png", pixels, 4, 4);

        RegisterEvents();
        ResetEngineState();
        Json::Value sprite;
        sprite["texture"] = "tree";
        Json::Value box;
        box["Box Width"] = 16.0;
        box["Box Height"] = 8.0;
        Json::Value body;
        body["vel_x"] = 1.0;
        body["restitution"] = 0.5;
        engine::DestroyAllEntities();
        for (int i = 0; i < 10000; ++i) {
            engine::entity_handle e = engine::CreateEntity();
            e.SetName("tree " + std::to_string(i));
            e.SetPosition(float(i % 100) * 20.0f, float(i / 100) * 20.0f, 0.0f);
            e.AddComponent("Sprite", sprite);
            e.AddComponent("BoxCollider", box);
            e.AddComponent("RigidBody", body);
        }
        SaveLevel("forest10k", false);
        engine::DestroyAllEntities();
    }
    ~GameFolder() {
        engine::DestroyAllEntities();
        fs::current_path(old_);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

private:
    fs::path root_, old_;
};

void BM_LevelLoad10k(benchmark::State& state) {
    GameFolder folder;
    for (auto _ : state) {
        LoadLevel("forest10k");
        benchmark::DoNotOptimize(engine::GetLiveEntities().size());
    }
    state.counters["entities"] = double(engine::GetLiveEntities().size());
}
BENCHMARK(BM_LevelLoad10k)->Unit(benchmark::kMillisecond);

void BM_LevelSave10k(benchmark::State& state) {
    GameFolder folder;
    LoadLevel("forest10k");
    for (auto _ : state) SaveLevel("forest10k_out", false);
    state.counters["bytes"] = double(fs::file_size("levels/forest10k_out.json"));
}
BENCHMARK(BM_LevelSave10k)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    components::RegisterBuiltinComponents();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
