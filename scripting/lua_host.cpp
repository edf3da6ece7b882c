#include "scripting/lua_host.h"

#include <lua.hpp>

#include "core/debug_exception.h"
#include "core/file_util.h"
#include "core/log.h"
#include "scripting/event_bridge.h"

namespace {

LuaHost* g_host = nullptr;
Json::Value* g_serializationTarget = nullptr;
uint64_t g_scriptErrors = 0;
std::string g_lastScriptError;

std::string TopString(lua_State* L) {
    size_t len = 0;
    const char* text = lua_tolstring(L, -1, &len);
    return text ? std::string(text, len) : std::string("(error object is not a string)");
}

// Runs every script of one folder; a failing script is reported and skipped.
void RunFolder(lua_State* L, const std::string& folder) {
    for (const std::string& name : ListFilesWithExtension(folder, "lua")) {
        const std::string path = folder + "/" + name + ".lua";
        if (luaL_loadfile(L, path.c_str()) != 0) {
            ++g_scriptErrors;
            g_lastScriptError = TopString(L);
            Print(g_lastScriptError);
            lua_settop(L, -2);
            continue;
        }
        lua::ProtectedCall(L, 0, 0);
    }
}

}  // namespace

LuaHost::LuaHost() {
    state_ = luaL_newstate();
    if (!state_) throw debug::exception("Failed to initialize lua!");
    luaL_openlibs(state_);
    SetLuaHost(this);

    if (luaL_loadfile(state_, "lua/engine/init.lua") != 0) {
        std::string text = TopString(state_);
        Print(text);
        lua_close(state_);
        state_ = nullptr;
        SetLuaHost(nullptr);
        throw debug::exception("Error loading lua init file!\n" + text);
    }
    if (lua_pcall(state_, 0, 0, 0) != 0) {
        std::string text = TopString(state_);
        Print(text);
        // The init script may have connected the bridge before failing; its
        // listeners must not outlive the state they call into.
        scripting::DisconnectEvents();
        lua_close(state_);
        state_ = nullptr;
        SetLuaHost(nullptr);
        throw debug::exception("Error running lua init file!" + text);
    }
    RunFolder(state_, "lua/autorun");
    RunFolder(state_, "lua/components");
}

LuaHost::~LuaHost() {
    scripting::DisconnectEvents();
    if (state_) lua_close(state_);
    if (g_host == this) g_host = nullptr;
}

LuaHost* GetLuaHost() { return g_host; }
void SetLuaHost(LuaHost* host) { g_host = host; }

lua_State* GetLuaState() {
    if (!g_host || !g_host->State()) throw debug::exception("Lua host does not exist!");
    return g_host->State();
}

Json::Value* GetSerializationTarget() { return g_serializationTarget; }
void SetSerializationTarget(Json::Value* target) { g_serializationTarget = target; }

namespace lua {

bool ProtectedCall(lua_State* L, int nargs, int nresults) {
    if (lua_pcall(L, nargs, nresults, 0) == 0) return true;
    ++g_scriptErrors;
    g_lastScriptError = TopString(L);
    Print(g_lastScriptError);
    lua_settop(L, -2);
    return false;
}

uint64_t ScriptErrorCount() { return g_scriptErrors; }
const std::string& LastScriptError() { return g_lastScriptError; }

void PushGlobal(lua_State* L, const char* name) { lua_getfield(L, LUA_GLOBALSINDEX, name); }

int PushEntity(lua_State* L, engine::entity_handle handle) {
    PushGlobal(L, "lb_CreateEntity");
    lua_pushinteger(L, static_cast<lua_Integer>(handle.index));
    lua_pushinteger(L, static_cast<lua_Integer>(handle.generation));
    return ProtectedCall(L, 2, 1) ? 1 : 0;
}

int PushVector(lua_State* L, float x, float y) {
    PushGlobal(L, "lb_CreateVector");
    lua_pushnumber(L, x);
    lua_pushnumber(L, y);
    return ProtectedCall(L, 2, 1) ? 1 : 0;
}

void PushJsonObject(lua_State* L, const Json::Value& value) {
    const bool isObject = value.isObject();
    lua_createtable(L, 0, isObject ? static_cast<int>(value.size()) : 0);
    if (!isObject) return;  // null (a component saved without fields) gives an empty table
    for (auto it = value.begin(); it != value.end(); ++it) {
        const Json::Value& member = *it;
        if (member.isString()) {
            const char* begin = nullptr;
            const char* end = nullptr;
            member.getString(&begin, &end);
            lua_pushlstring(L, begin, static_cast<size_t>(end - begin));
        } else if (member.isNumeric() && !member.isBool()) {
            lua_pushnumber(L, member.asDouble());
        } else {
            continue;
        }
        const std::string name = it.name();
        lua_setfield(L, -2, name.c_str());
    }
}

}  // namespace lua
