#include "engine/script_reload.h"

#include <vector>

#include <json/value.h>
#include <lua.hpp>

#include "core/log.h"
#include "ecs/entity_store.h"
#include "editor/editor_actions.h"
#include "level/level_file.h"

void ReloadScriptsKeepingEntities(const std::function<void()>& restartScripts) {
    // Entities waiting for the end of the frame go first, as they would have.
    engine::FlushDestroyedEntities();
    std::vector<Json::Value> kept;
    const std::vector<engine::entity_handle> live = engine::GetLiveEntities();
    kept.reserve(live.size());
    for (const engine::entity_handle& h : live) kept.push_back(h.Serialize());

    // The editor's selection and history name entities of the level as it was.
    editor::ForgetLevelEntities();
    engine::DestroyAllEntities();
    restartScripts();
    for (Json::Value& entity : kept) engine::CreateEntity().Deserialize(std::move(entity));
    RaiseLevelLoad();
}

bool StartupScriptCompiles() {
    lua_State* L = luaL_newstate();
    if (!L) return false;
    const bool ok = luaL_loadfile(L, "lua/engine/init.lua") == 0;
    if (!ok) {
        const char* text = lua_tostring(L, -1);
        Print(std::string("Scripts not reloaded: ") + (text ? text : "lua/engine/init.lua cannot be loaded"));
    }
    lua_close(L);
    return ok;
}
