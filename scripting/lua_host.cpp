#include "scripting/lua_host.h"

#include <lua.hpp>

#include "core/debug_exception.h"
#include "core/file_util.h"
#include "core/log.h"
#include "scripting/event_bridge.h"
#include "scripting/lua_calls.h"

namespace {

LuaHost* g_host = nullptr;

// Runs every script of one folder; a failing script is reported and skipped.
void RunFolder(lua_State* L, const std::string& folder) {
    for (const std::string& name : ListFilesWithExtension(folder, "lua")) {
        const std::string path = folder + "/" + name + ".lua";
        if (luaL_loadfile(L, path.c_str()) != 0) {
            lua::ReportScriptError(L);
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
        std::string text = lua::ErrorText(state_);
        Print(text);
        lua_close(state_);
        state_ = nullptr;
        SetLuaHost(nullptr);
        throw debug::exception("Error loading lua init file!\n" + text);
    }
    if (lua_pcall(state_, 0, 0, 0) != 0) {
        std::string text = lua::ErrorText(state_);
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
