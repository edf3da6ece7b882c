#include "scripting/script_costs.h"

#include <lua.hpp>

#include "scripting/lua_calls.h"

namespace scripting {

void CollectScriptCosts(lua_State* L, bool timeNextFrame) {
    lua::PushGlobal(L, "components");
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    lua_getfield(L, -1, "timings");
    if (lua_istable(L, -1)) {
        std::vector<ScriptCost> costs;
        lua_pushnil(L);
        while (lua_next(L, -2) != 0) {
            // Keys are type names, values seconds; anything else is not ours.
            if (lua_type(L, -2) == LUA_TSTRING && lua_type(L, -1) == LUA_TNUMBER)
                costs.push_back({lua_tostring(L, -2), 1000.0 * lua_tonumber(L, -1)});
            lua_pop(L, 1);
        }
        profiler::SetScriptCosts(std::move(costs));
    }
    lua_pop(L, 1);
    if (timeNextFrame)
        lua_newtable(L);
    else
        lua_pushnil(L);
    lua_setfield(L, -2, "timings");
    lua_pop(L, 1);
}

}  // namespace scripting
