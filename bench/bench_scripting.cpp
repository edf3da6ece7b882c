// Script call costs: an export called from compiled Lua, one forwarded event,
// and a frame of script components.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <lua.hpp>

#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "physics/collision_data.h"
#include "scripting/lua_host.h"

namespace {

// A content folder holding the game's Lua engine layer plus `extra` as an
// autorun script; the host runs in it.
class ScriptWorld {
public:
    explicit ScriptWorld(const std::string& extra) {
        original_ = std::filesystem::current_path();
        char pattern[] = "/tmp/qm_bench_XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::create_directories(folder_ + "/lua/engine");
        std::filesystem::create_directories(folder_ + "/lua/autorun");
        std::filesystem::copy(QM_GAME_LUA, folder_ + "/lua/engine", std::filesystem::copy_options::recursive);
        std::ofstream(folder_ + "/lua/autorun/bench.lua") << extra;
        std::filesystem::current_path(folder_);

        components::RegisterBuiltinComponents();
        events::ClearRegistryForTesting();
        for (const char* name : {"MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", "KeyPressed",
                                 "KeyDown", "KeyReleased"})
            events::Register<int>(name);
        events::Register<>("PostDraw");
        events::Register<>("DebugDraw");
        for (const char* name : {"OnCollisionPersisted", "OnCollisionStarted", "OnCollisionEnded"})
            events::Register<CollisionDetection::CollisionDataObj>(name);
        events::Register<float>("PreLogicUpdate");
        events::Register<float>("LogicUpdate");
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        for (const char* name : {"LevelLoad", "LevelUnload", "LevelUnloadFinished"})
            events::Register<Json::Value*>(name);
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"})
            events::Register<>(name);
        host_ = std::make_unique<LuaHost>();
    }

    ~ScriptWorld() {
        engine::DestroyAllEntities();
        host_.reset();
        SetLuaHost(nullptr);
        std::filesystem::current_path(original_);
        std::filesystem::remove_all(folder_);
        events::ClearRegistryForTesting();
    }

    lua_State* L() { return host_->State(); }

    void Run(const std::string& code) {
        if (luaL_dostring(L(), code.c_str()) != 0) {
            std::string error = lua_tostring(L(), -1);
            lua_settop(L(), 0);
            throw std::runtime_error(error);
        }
    }

private:
    std::filesystem::path original_;
    std::string folder_;
    std::unique_ptr<LuaHost> host_;
};

constexpr int kCallsPerIteration = 1000;

void BM_LuaGetPos(benchmark::State& state) {
    ScriptWorld world(R"lua(
local e = entity.Create()
e:SetPos(3, 4)
local get = lb.entity_get_pos_xy
local index, generation = e.index, e.generation
function bench_get_pos(n)
  local sum = 0
  for i = 1, n do
    local x, y = get(index, generation)
    sum = sum + x + y
  end
  return sum
end
bench_get_pos(100000)  -- compiled before timing
)lua");
    lua_State* L = world.L();
    for (auto _ : state) {
        lua_getglobal(L, "bench_get_pos");
        lua_pushinteger(L, kCallsPerIteration);
        lua_call(L, 1, 1);
        benchmark::DoNotOptimize(lua_tonumber(L, -1));
        lua_settop(L, 0);
    }
    // Seconds per export call (shown with an SI prefix: "12n" is 12 ns).
    state.counters["per_call"] = benchmark::Counter(
        kCallsPerIteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LuaGetPos);

void BM_LuaLogicUpdate10(benchmark::State& state) {
    ScriptWorld world(R"lua(
total = 0
for i = 1, 10 do
  events.Connect("LogicUpdate", "bench" .. i, function(dt) total = total + dt end)
end
)lua");
    for (auto _ : state) events::Call<float>("LogicUpdate", 0.016f);
}
BENCHMARK(BM_LuaLogicUpdate10);

void BM_ScriptComponents1000(benchmark::State& state) {
    ScriptWorld world(R"lua(
components.Define("Mover", {
  fields = { speed = 30 },
  Update = function(self, dt)
    local e = self.entity
    local x, y = lb.entity_get_pos_xy(e.index, e.generation)
    lb.entity_set_pos(e.index, e.generation, x + self.speed * dt, y)
  end,
})
for i = 1, 1000 do entity.Create():AddComponent("Mover") end
)lua");
    for (int i = 0; i < 200; ++i) events::Call<float>("LogicUpdate", 0.016f);  // warm the JIT
    for (auto _ : state) events::Call<float>("LogicUpdate", 0.016f);
}
BENCHMARK(BM_ScriptComponents1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
