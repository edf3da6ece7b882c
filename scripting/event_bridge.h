#pragma once
// The bridge from engine events to the scripts' dispatcher `events.Call`.
//
// Nothing is forwarded until a script calls lb_connect_events, which runs
// ConnectEvents: for each of the sixteen forwarded events it calls the script's
// `events.Register(name)` and connects the listener "LuaBinding" + name.
#include "ecs/entity_handle.h"

struct lua_State;

namespace scripting {

// The forwarded events, in connection order.
constexpr const char* kForwardedEvents[] = {
    "PreLogicUpdate",      "LogicUpdate",          "DebugDraw",           "KeyPressed",
    "KeyReleased",         "MouseButtonPressed",   "MouseButtonReleased", "OnCollisionStarted",
    "OnCollisionPersisted", "OnCollisionEnded",    "LevelUnload",         "LevelLoad",
    "PauseMenuPaused",     "PauseMenuUnPaused",    "PauseMenuConfirmClose", "PostDraw",
};

// Connects the bridge to the scripts of state L, which must outlive the
// connection (the Lua host disconnects the bridge before it closes its state).
// Throws the event system's debug::exception when an event is not registered or
// the bridge is already connected.
void ConnectEvents(lua_State* L);
// Disconnects every bridge listener that is connected; events that were never
// registered and listeners never connected are skipped silently.
void DisconnectEvents();

// Calls events.Call(name, A, B, contact point, penetration, normal): the order
// scripts receive a collision record in.
void ForwardCollision(lua_State* L, const char* name, engine::entity_handle a, engine::entity_handle b,
                      float contactX, float contactY, float penetration, float normalX, float normalY);

}  // namespace scripting
