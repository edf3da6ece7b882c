#include "scripting/lua_component.h"

#include <cstring>

#include <lua.hpp>

#include "core/level_changes.h"
#include "ecs/component_registry.h"
#include "scripting/lua_calls.h"
#include "scripting/lua_host.h"

namespace {

scripting::EditedComponent g_edited;
char g_editBuffer[scripting::kEditStringCapacity] = {};

// Pushes the global function, the entity value and the type name; returns the
// function's stack index so the call can count the arguments really pushed.
int BeginComponentCall(lua_State* L, const char* function, engine::entity_handle owner, const std::string& name) {
    lua::PushGlobal(L, function);
    const int base = lua_gettop(L);
    lua::PushEntity(L, owner);
    lua_pushlstring(L, name.data(), name.size());
    return base;
}

void FinishCall(lua_State* L, int base) { lua::ProtectedCall(L, lua_gettop(L) - base, 0); }

// Components can outlive the host (an entity destroyed after the scripts were
// shut down); with no state there is no script left to tell.
lua_State* StateOrNull() {
    LuaHost* host = GetLuaHost();
    return host ? host->State() : nullptr;
}

void CallSimple(const char* function, engine::entity_handle owner, const std::string& name) {
    lua_State* L = StateOrNull();
    if (!L) return;
    FinishCall(L, BeginComponentCall(L, function, owner, name));
}

void CallAdd(engine::entity_handle owner, const std::string& name) {
    lua_State* L = StateOrNull();
    if (!L) return;
    int base = BeginComponentCall(L, "lb_AddComponent", owner, name);
    lua_pushboolean(L, 1);
    FinishCall(L, base);
}

}  // namespace

void LuaComponent::Initialize() {
    if (!added_) {
        CallAdd(owner, typeName_);
        added_ = true;
    }
    CallSimple("lb_InitializeComponent", owner, typeName_);
}

void LuaComponent::Remove() { CallSimple("lb_RemoveComponent", owner, typeName_); }

void LuaComponent::Copy(RootComponent* source) {
    auto* other = static_cast<LuaComponent*>(source);
    lua_State* L = StateOrNull();
    if (!L) return;
    int base = BeginComponentCall(L, "lb_CopyComponent", owner, typeName_);
    lua::PushEntity(L, other->owner);
    lua_pushlstring(L, other->typeName_.data(), other->typeName_.size());
    FinishCall(L, base);
}

Json::Value LuaComponent::Serialize() {
    Json::Value value;
    {
        ScopedSerializationTarget target(&value);
        CallSimple("lb_SerializeComponent", owner, typeName_);
    }
    return value;
}

void LuaComponent::Deserialize(Json::Value json) {
    CallAdd(owner, typeName_);
    added_ = true;
    lua_State* L = StateOrNull();
    if (!L) return;
    int base = BeginComponentCall(L, "lb_DeserializeComponent", owner, typeName_);
    lua::PushJsonObject(L, json);
    FinishCall(L, base);
}

void LuaComponent::EditInfoDisplay() {
    scripting::SetEditedComponent(owner, typeName_);
    CallSimple("lb_ComponentEditInfoDisplay", owner, typeName_);
}

namespace scripting {

void RegisterScriptComponentType(const std::string& name) {
    components::SetScriptComponentMaker(
        [](uint32_t id, const std::string& typeName) -> RootComponent* { return new LuaComponent(id, typeName); });
    components::RegisterScriptComponent(name);
}

const EditedComponent& GetEditedComponent() { return g_edited; }

void SetEditedComponent(engine::entity_handle owner, const std::string& typeName) {
    g_edited.owner = owner;
    g_edited.typeName = typeName;
}

void SendEditedNumber(const char* label, double value) {
    // The script owns the field; a change sent to it is an edit of the level.
    editor::MarkLevelChanged();
    lua_State* L = StateOrNull();
    if (!L) return;
    int base = BeginComponentCall(L, "lb_ComponentEditInfoSet", g_edited.owner, g_edited.typeName);
    lua_pushstring(L, label);
    lua_pushnumber(L, value);
    FinishCall(L, base);
}

void SendEditedString(const char* label, const char* value) {
    editor::MarkLevelChanged();
    lua_State* L = StateOrNull();
    if (!L) return;
    int base = BeginComponentCall(L, "lb_ComponentEditInfoSet", g_edited.owner, g_edited.typeName);
    lua_pushstring(L, label);
    lua_pushstring(L, value);
    FinishCall(L, base);
}

char* EditStringBuffer() { return g_editBuffer; }

void FillEditBuffer(const char* text) {
    std::strncpy(g_editBuffer, text ? text : "", kEditStringCapacity - 1);
    g_editBuffer[kEditStringCapacity - 1] = '\0';
}

}  // namespace scripting
