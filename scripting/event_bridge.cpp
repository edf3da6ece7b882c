#include "scripting/event_bridge.h"

#include <string>

#include <lua.hpp>

#include "core/events.h"
#include "core/frame_profiler.h"
#include "physics/collision_data.h"
#include "scripting/lua_calls.h"

namespace scripting {
namespace {

constexpr int kEscapeKey = 256;

// Pushes events.Call and the event name; returns the stack index of the
// function, so the caller can count what its pushers actually left (a failing
// lb_CreateEntity leaves nothing and the call gets one argument fewer).
int BeginForward(lua_State* L, const char* name) {
    lua::PushGlobal(L, "events");
    lua_getfield(L, -1, "Call");
    lua_remove(L, -2);
    const int function = lua_gettop(L);
    lua_pushstring(L, name);
    return function;
}

// Script time is charged to scripts wherever the event was raised from.
void EndForward(lua_State* L, int function) {
    ProfileScope scope(ProfileSection::Scripts);
    lua::ProtectedCall(L, lua_gettop(L) - function, 0);
}

template <class... Args>
void ConnectForwarder(lua_State* L, const char* name, void (*forward)(lua_State*, const char*, Args...)) {
    events::Connect<Args...>(name, std::string("LuaBinding") + name,
                             [L, name, forward](Args... args) { forward(L, name, args...); });
}

void ForwardNoArgs(lua_State* L, const char* name) { EndForward(L, BeginForward(L, name)); }

void ForwardFloat(lua_State* L, const char* name, float value) {
    int f = BeginForward(L, name);
    lua_pushnumber(L, value);
    EndForward(L, f);
}

void ForwardInt(lua_State* L, const char* name, int value) {
    int f = BeginForward(L, name);
    lua_pushinteger(L, value);
    EndForward(L, f);
}

void ForwardKey(lua_State* L, const char* name, int key) {
    // Escape belongs to the pause menu; scripts learn about it through the pause events.
    if (key == kEscapeKey) return;
    ForwardInt(L, name, key);
}

void ForwardLevelUnload(lua_State* L, const char* name, Json::Value* record) {
    ScopedSerializationTarget target(record);
    ForwardNoArgs(L, name);
}

void ForwardLevelLoad(lua_State* L, const char* name, Json::Value* record) {
    int f = BeginForward(L, name);
    lua::PushJsonObject(L, record ? *record : Json::Value());
    EndForward(L, f);
}

void CallRegister(lua_State* L, const char* name) {
    lua::PushGlobal(L, "events");
    lua_getfield(L, -1, "Register");
    lua_remove(L, -2);
    lua_pushstring(L, name);
    lua::ProtectedCall(L, 1, 0);
}

void ForwardCollisionRecord(lua_State* L, const char* name, CollisionDetection::CollisionDataObj r) {
    ForwardCollision(L, name, r.first, r.second, r.contactPoint.x, r.contactPoint.y, r.penetration, r.normal.x,
                     r.normal.y);
}

}  // namespace

void ForwardCollision(lua_State* L, const char* name, engine::entity_handle a, engine::entity_handle b,
                      float contactX, float contactY, float penetration, float normalX, float normalY) {
    int f = BeginForward(L, name);
    lua::PushEntity(L, a);
    lua::PushEntity(L, b);
    lua::PushVector(L, contactX, contactY);
    lua_pushnumber(L, penetration);
    lua::PushVector(L, normalX, normalY);
    EndForward(L, f);
}

void ConnectEvents(lua_State* L) {
    for (const char* name : kForwardedEvents) {
        CallRegister(L, name);
        const std::string event = name;
        if (event == "PreLogicUpdate" || event == "LogicUpdate")
            ConnectForwarder<float>(L, name, ForwardFloat);
        else if (event == "KeyPressed" || event == "KeyReleased")
            ConnectForwarder<int>(L, name, ForwardKey);
        else if (event == "MouseButtonPressed" || event == "MouseButtonReleased")
            ConnectForwarder<int>(L, name, ForwardInt);
        else if (event.rfind("OnCollision", 0) == 0)
            ConnectForwarder<CollisionDetection::CollisionDataObj>(L, name, ForwardCollisionRecord);
        else if (event == "LevelUnload")
            ConnectForwarder<Json::Value*>(L, name, ForwardLevelUnload);
        else if (event == "LevelLoad")
            ConnectForwarder<Json::Value*>(L, name, ForwardLevelLoad);
        else
            ConnectForwarder<>(L, name, ForwardNoArgs);
    }
}

void DisconnectEvents() {
    for (const char* name : kForwardedEvents) {
        if (!events::IsRegistered(name)) continue;
        events::Disconnect(name, std::string("LuaBinding") + name);
    }
}

}  // namespace scripting
