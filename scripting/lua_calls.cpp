#include "scripting/lua_calls.h"

#include <lua.hpp>

#include "core/log.h"

namespace {

Json::Value* g_serializationTarget = nullptr;
uint64_t g_scriptErrors = 0;
std::string g_lastScriptError;

}  // namespace

Json::Value* GetSerializationTarget() { return g_serializationTarget; }
void SetSerializationTarget(Json::Value* target) { g_serializationTarget = target; }

namespace lua {

std::string ErrorText(lua_State* L) {
    size_t len = 0;
    const char* text = lua_tolstring(L, -1, &len);
    return text ? std::string(text, len) : std::string("(error object is not a string)");
}

void ReportScriptError(lua_State* L) {
    ++g_scriptErrors;
    g_lastScriptError = ErrorText(L);
    Print(g_lastScriptError);
    lua_settop(L, -2);
}

bool ProtectedCall(lua_State* L, int nargs, int nresults) {
    if (lua_pcall(L, nargs, nresults, 0) == 0) return true;
    ReportScriptError(L);
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
