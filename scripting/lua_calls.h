#pragma once
// Calls from the engine into the scripts, on the Lua host's state
// (scripting/lua_host.h) or one handed over. Every call goes through
// ProtectedCall, which prints a script error through Print and leaves the stack
// as it found it, so calls may nest (a script calls an export that calls back
// into Lua). Calls that save also point the scripts' save exports at the value
// they fill (the serialization target, below).
#include <cstdint>
#include <string>

#include <json/value.h>

#include "ecs/entity_handle.h"

struct lua_State;

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

// Prints the error message on top of the stack, counts it as a script error
// and pops it.
void ReportScriptError(lua_State* L);
// The error message on top of the stack as text (it stays there).
std::string ErrorText(lua_State* L);

// How many script errors were reported since the process started: failed
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
