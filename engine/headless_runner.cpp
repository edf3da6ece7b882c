#include "engine/headless_runner.h"

#include <cstdint>

#include "core/engine_state.h"
#include "core/log.h"
#include "scripting/lua_calls.h"

namespace {

bool g_watching = false;
uint64_t g_scriptErrorsAtStart = 0;
std::string g_luaErrorLine;

void OnPrinted(const std::string& line) {
    if (g_luaErrorLine.empty() && line.rfind("Lua Error", 0) == 0) g_luaErrorLine = line;
}

}  // namespace

float AdvanceHeadlessFrameTime() {
    EngineState& s = GetEngineState();
    s.frameTime = kHeadlessDt;
    s.lastTime += kHeadlessDt;
    return s.timeScale * kHeadlessDt;
}

void StartScriptErrorWatch() {
    g_watching = true;
    g_scriptErrorsAtStart = lua::ScriptErrorCount();
    g_luaErrorLine.clear();
    SetPrintObserver(OnPrinted);
}

void StopScriptErrorWatch() {
    g_watching = false;
    SetPrintObserver(nullptr);
}

bool ScriptErrorSeen(std::string& message) {
    if (!g_watching) return false;
    if (!g_luaErrorLine.empty()) {
        message = g_luaErrorLine;
        return true;
    }
    if (lua::ScriptErrorCount() != g_scriptErrorsAtStart) {
        message = lua::LastScriptError();
        return true;
    }
    return false;
}
