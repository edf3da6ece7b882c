#pragma once
// The bridge from engine events to the scripts' dispatcher `events.Call`.
//
// Nothing is forwarded until a script calls lb_connect_events, which runs
// ConnectEvents: for each of the sixteen forwarded events it calls the script's
// `events.Register(name)` and connects the listener "LuaBinding" + name.
namespace scripting {

// The forwarded events, in connection order.
constexpr const char* kForwardedEvents[] = {
    "PreLogicUpdate",      "LogicUpdate",          "DebugDraw",           "KeyPressed",
    "KeyReleased",         "MouseButtonPressed",   "MouseButtonReleased", "OnCollisionStarted",
    "OnCollisionPersisted", "OnCollisionEnded",    "LevelUnload",         "LevelLoad",
    "PauseMenuPaused",     "PauseMenuUnPaused",    "PauseMenuConfirmClose", "PostDraw",
};

// Throws the event system's debug::exception when an event is not registered or
// the bridge is already connected.
void ConnectEvents();
// Disconnects every bridge listener that is connected; events that were never
// registered and listeners never connected are skipped silently.
void DisconnectEvents();

}  // namespace scripting
