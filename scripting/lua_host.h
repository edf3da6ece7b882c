#pragma once
// The Lua host: owns the one LuaJIT state the game's scripts run in.
//
// Start-up runs, in order, lua/engine/init.lua (a failure here is fatal), every
// lua/autorun/*.lua and then every lua/components/*.lua (a failing one is printed
// and the next one runs). Paths are relative to the working directory.
//
// Every call from the engine into Lua goes through ProtectedCall, which prints a
// script error through Print and leaves the stack as it found it, so calls may
// nest (a script calls an export that calls back into Lua).
#include <cstdint>
#include <string>

#include <json/value.h>

#include "ecs/entity_handle.h"

struct lua_State;

class LuaHost {
public:
    // Throws debug::exception "Failed to initialize lua!",
    // "Error loading lua init file!\n" + text or "Error running lua init file!" + text.
    LuaHost();
    // Disconnects the event bridge (if a script connected it) and closes the state.
    ~LuaHost();
    LuaHost(const LuaHost&) = delete;
    LuaHost& operator=(const LuaHost&) = delete;

    lua_State* State() const { return state_; }

private:
    lua_State* state_ = nullptr;
};

// The host scripts and exports talk to; null when none exists. The constructor
// sets it before the first script runs; the owner clears it after destroying.
LuaHost* GetLuaHost();
void SetLuaHost(LuaHost* host);
// The current host's state; throws debug::exception when there is no host.
lua_State* GetLuaState();

namespace lua {

// lua_pcall over the function and nargs arguments on top of the stack. On error
// prints the message and pops it (nothing of the call is left on the stack);
// returns whether the call succeeded.
bool ProtectedCall(lua_State* L, int nargs, int nresults);

// Each pusher calls the script constructor (lb_CreateEntity, lb_CreateVector) and
// leaves exactly one value on success; on a script error it prints it and leaves
// nothing. Returns how many values it left (0 or 1).
int PushEntity(lua_State* L, engine::entity_handle handle);
int PushVector(lua_State* L, float x, float y);
// A table of the object's top-level string and number members; other members are
// skipped. Always leaves one table.
void PushJsonObject(lua_State* L, const Json::Value& value);

// How many script errors were printed since the process started: failed
// protected calls and scripts of lua/autorun and lua/components that did not
// load. The headless runner ends a run on a new one.
uint64_t ScriptErrorCount();
// The text of the last of those errors ("" before the first).
const std::string& LastScriptError();

// Pushes global `name` (nil when missing).
void PushGlobal(lua_State* L, const char* name);

}  // namespace lua

// The JSON value lb_serialize_number/lb_serialize_string write into: set only
// while the "LevelUnload" forwarder or a LuaComponent::Serialize runs, null
// otherwise, so a script writing outside a save (say in a "LevelLoad"
// listener) gets a "Lua Error" line instead of writing into a value that is
// gone.
Json::Value* GetSerializationTarget();
void SetSerializationTarget(Json::Value* target);

// Points the target at a value for one scope, then back at what it was (a
// component serialised from inside a "LevelUnload" listener must not end the
// listener's own save).
class ScopedSerializationTarget {
public:
    explicit ScopedSerializationTarget(Json::Value* target) : previous_(GetSerializationTarget()) {
        SetSerializationTarget(target);
    }
    ~ScopedSerializationTarget() { SetSerializationTarget(previous_); }
    ScopedSerializationTarget(const ScopedSerializationTarget&) = delete;
    ScopedSerializationTarget& operator=(const ScopedSerializationTarget&) = delete;

private:
    Json::Value* previous_;
};
