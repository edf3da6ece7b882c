#pragma once
// A scratch content folder for one test: the test writes its scripts, the host
// runs in the folder, and everything (folder, host, entities, events, engine
// state, log) is put back afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <lua.hpp>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "engine/engine_events.h"
#include "physics/collision_data.h"
#include "scripting/lua_calls.h"
#include "scripting/lua_host.h"

// A dispatcher that records every call as one line in the global `calls`:
// name followed by each argument, entities as "E<index>:<generation>",
// vectors as "V<x>,<y>" and other tables as their sorted members.
constexpr const char* kRecordingInit = R"lua(
dofile(FFI_DECLS)
ffi = require("ffi")
calls, events = {}, {}
function events.Register(name) calls[#calls + 1] = "Register " .. name end
local function show(v)
  if type(v) ~= "table" then return tostring(v) end
  if v.generation then return "E" .. v.index .. ":" .. v.generation end
  if v.x then return "V" .. v.x .. "," .. v.y end
  local keys = {}
  for k, x in pairs(v) do keys[#keys + 1] = k .. "=" .. tostring(x) end
  table.sort(keys)
  return "{" .. table.concat(keys, ",") .. "}"
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
        std::filesystem::current_path(folder_);
        events::ClearRegistryForTesting();
        // The engine's events as the Engine registers them before any script runs.
        for (const char* name : {"MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", "KeyPressed", "KeyDown", "KeyReleased"})
            events::Register<int>(name);
        for (const char* name : {"OnCollisionPersisted", "OnCollisionStarted", "OnCollisionEnded"})
            events::Register<CollisionDetection::CollisionDataObj>(name);
        for (const char* name : {"PostDraw", "DebugDraw"}) events::Register<>(name);
        RegisterEngineEvents();
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
    // init.lua: the recording dispatcher, then `extra`; and a host running it.
    void StartRecordingHost(const std::string& extra = "") {
        Write("lua/engine/init.lua", std::string("FFI_DECLS = \"") + QM_FFI_DECLS + "\"\n" + kRecordingInit + extra);
        host_ = std::make_unique<LuaHost>();
    }
    lua_State* L() { return host_->State(); }

    // Runs a chunk in the host's state: tostring of its first result, or
    // "ERROR: <message>". Leaves the stack as it was.
    std::string Eval(const std::string& code) {
        const int top = lua_gettop(L());
        lua_getglobal(L(), "tostring");
        const bool ok = luaL_loadstring(L(), code.c_str()) == 0 && lua_pcall(L(), 0, 1, 0) == 0;
        if (ok) lua_call(L(), 1, 1);
        const std::string result = (ok ? "" : "ERROR: ") + std::string(lua_tostring(L(), -1));
        lua_settop(L(), top);
        return result;
    }
    // The calls recorded since the last look, joined with "|".
    std::string Calls() { return Eval("local c = table.concat(calls, '|') calls = {} return c"); }
    std::string LastLogLine() { return GetLog().empty() ? std::string() : GetLog().back(); }

    const std::filesystem::path original_ = std::filesystem::current_path();
    const std::string folder_ = [] {
        char pattern[] = "/tmp/qm_script_XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    std::unique_ptr<LuaHost> host_;
};
