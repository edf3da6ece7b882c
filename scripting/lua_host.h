#pragma once
// The Lua host: owns the one LuaJIT state the game's scripts run in.
//
// Start-up runs, in order, lua/engine/init.lua (a failure here is fatal), every
// lua/autorun/*.lua and then every lua/components/*.lua (a failing one is printed
// and the next one runs). Paths are relative to the working directory. Calls
// into the scripts go through scripting/lua_calls.h.
//
// Scripts may connect the event bridge (scripting/event_bridge.h), whose
// listeners call into this state: the host disconnects it before the state
// closes.
struct lua_State;

class LuaHost {
public:
    // Throws debug::exception "Failed to initialize lua!",
    // "Error loading lua init file!\n" + text or "Error running lua init file!" + text.
    LuaHost();
    // Disconnects the event bridge (if a script connected it) and closes the state.
    ~LuaHost();
    LuaHost(const LuaHost&) = delete;
    LuaHost& operator=(const LuaHost&) = delete;

    lua_State* State() const { return state_; }

private:
    lua_State* state_ = nullptr;
};

// The host scripts and exports talk to; null when none exists. The constructor
// sets it before the first script runs; the owner clears it after destroying.
LuaHost* GetLuaHost();
void SetLuaHost(LuaHost* host);
// The current host's state; throws debug::exception when there is no host.
lua_State* GetLuaState();
