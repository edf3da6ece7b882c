#include "core/engine_state.h"

EngineState& GetEngineState() {
    static EngineState state;
    return state;
}

void RequestLevel(const std::string& name, bool markCurrent) {
    EngineState& s = GetEngineState();
    s.levelName = name;
    if (markCurrent)
        s.previousLevelName = name;
    else
        s.reloadRequested = true;
}

void ResetEngineState() { GetEngineState() = EngineState(); }
