#pragma once
// A scratch content folder for one test: the test writes its scripts, the host
// runs in the folder, and everything (folder, host, entities, events, engine
// state, log) is put back afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <lua.hpp>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "engine/engine_events.h"
#include "physics/collision_data.h"
#include "scripting/lua_calls.h"
#include "scripting/lua_host.h"

// The engine's events as the Engine registers them before any script runs.
inline void RegisterEngineEventsForTest() {
    events::Register<int>("MouseButtonPressed");
    events::Register<int>("MouseButtonDown");
    events::Register<int>("MouseButtonReleased");
    events::Register<int>("KeyPressed");
    events::Register<int>("KeyDown");
    events::Register<int>("KeyReleased");
    events::Register<>("PostDraw");
    events::Register<>("DebugDraw");
    events::Register<CollisionDetection::CollisionDataObj>("OnCollisionPersisted");
    events::Register<CollisionDetection::CollisionDataObj>("OnCollisionStarted");
    events::Register<CollisionDetection::CollisionDataObj>("OnCollisionEnded");
    RegisterEngineEvents();
}

// A dispatcher that records every call as one line in the global `calls`:
// name followed by each argument, entities as "E<index>:<generation>" and
// vectors as "V<x>,<y>".
constexpr const char* kRecordingInit = R"lua(
dofile(FFI_DECLS)
ffi = require("ffi")
calls = {}
events = {}
function events.Register(name) calls[#calls + 1] = "Register " .. name end
local function show(v)
  if type(v) == "table" and v.generation then return "E" .. v.index .. ":" .. v.generation end
  if type(v) == "table" and v.x then return "V" .. v.x .. "," .. v.y end
  if type(v) == "table" then
    local keys = {}
    for k, x in pairs(v) do keys[#keys + 1] = k .. "=" .. tostring(x) end
    table.sort(keys)
    return "{" .. table.concat(keys, ",") .. "}"
  end
  return tostring(v)
end
function events.Call(name, ...)
  local line = name
  for i = 1, select("#", ...) do line = line .. " " .. show((select(i, ...))) end
  calls[#calls + 1] = line
  if hooks and hooks[name] then hooks[name](...) end
end
function lb_CreateEntity(i, g) return { index = i, generation = g } end
function lb_CreateVector(x, y) return { x = x, y = y } end
)lua";

class ScriptFixture : public ::testing::Test {
protected:
    void SetUp() override {
        original_ = std::filesystem::current_path();
        char pattern[] = "/tmp/qm_script_XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::current_path(folder_);
        events::ClearRegistryForTesting();
        RegisterEngineEventsForTest();
        ResetEngineState();
        ClearLog();
        SetSerializationTarget(nullptr);
    }

    void TearDown() override {
        engine::DestroyAllEntities();
        host_.reset();
        SetLuaHost(nullptr);
        std::filesystem::current_path(original_);
        std::filesystem::remove_all(folder_);
        events::ClearRegistryForTesting();
    }

    void Write(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
    }

    // init.lua = the FFI path, then `text`.
    void WriteInit(const std::string& text) {
        Write("lua/engine/init.lua", std::string("FFI_DECLS = \"") + QM_FFI_DECLS + "\"\n" + text);
    }

    void StartHost() { host_ = std::make_unique<LuaHost>(); }
    void StartRecordingHost(const std::string& extra = "") {
        WriteInit(std::string(kRecordingInit) + extra);
        StartHost();
    }

    lua_State* L() { return host_->State(); }

    // Runs a chunk in the host's state; returns its first result as a string
    // (tostring), or "ERROR: <message>". Leaves the stack as it was.
    std::string Eval(const std::string& code) {
        const int top = lua_gettop(L());
        std::string result;
        if (luaL_loadstring(L(), code.c_str()) != 0 || lua_pcall(L(), 0, 1, 0) != 0) {
            result = std::string("ERROR: ") + lua_tostring(L(), -1);
        } else {
            lua_getglobal(L(), "tostring");
            lua_pushvalue(L(), -2);
            lua_call(L(), 1, 1);
            result = lua_tostring(L(), -1);
        }
        lua_settop(L(), top);
        return result;
    }

    // The recorded calls joined with "|".
    std::string Calls() { return Eval("return table.concat(calls, '|')"); }
    void ClearCalls() { Eval("calls = {}"); }

    std::string LastLogLine() { return GetLog().empty() ? std::string() : GetLog().back(); }

    std::filesystem::path original_;
    std::string folder_;
    std::unique_ptr<LuaHost> host_;
};
