// The CPU side of drawing sprites each frame: finding them, ordering them back
// to front and advancing their animations (headless: the null device).
#include <benchmark/benchmark.h>

#include <random>

#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "graphics/sprite.h"
#include "graphics/unlit_pass.h"

namespace {

void MakeScene(int count) {
    components::RegisterBuiltinComponents();
    engine::DestroyAllEntities();
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> pos(-500.0f, 500.0f);
    std::uniform_int_distribution<int> layer(0, 4);
    Json::Value sheet;
    sheet["texture"] = "debug";
    sheet["frame_time"] = 0.1;
    sheet["frames"] = 4;
    sheet["rows"] = 1;
    sheet["columns"] = 4;
    for (int i = 0; i < count; ++i) {
        engine::entity_handle h = engine::CreateEntity();
        h.SetPosition(pos(rng), pos(rng), 0.1f * float(layer(rng)));
        h.AddComponent("Sprite", sheet);
    }
}

void BM_CollectAndSort(benchmark::State& state) {
    MakeScene(int(state.range(0)));
    for (auto _ : state) {
        std::vector<engine::entity_handle> sprites = CollectSprites();
        SortBackToFront(sprites);
        benchmark::DoNotOptimize(sprites.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    engine::DestroyAllEntities();
}
BENCHMARK(BM_CollectAndSort)->Arg(100)->Arg(1000)->Arg(5000);

void BM_AnimateSprites(benchmark::State& state) {
    MakeScene(int(state.range(0)));
    std::vector<engine::entity_handle> sprites = CollectSprites();
    for (auto _ : state) {
        for (engine::entity_handle h : sprites) h.Get<Sprite>()->Animate(1.0f / 60.0f);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    engine::DestroyAllEntities();
}
BENCHMARK(BM_AnimateSprites)->Arg(1000)->Arg(5000);

}  // namespace

BENCHMARK_MAIN();
