#pragma once
// Script components' Update times for the frame profiler. lua/engine/components.lua
// times each component's Update by type into the table components.timings
// while it exists (seconds), and skips the timing while it is nil.
#include "core/frame_profiler.h"

struct lua_State;

namespace scripting {

// Hands the frame profiler what components.timings gathered this frame, then
// sets it to a fresh table when `timeNextFrame`, else to nil.
void CollectScriptCosts(lua_State* L, bool timeNextFrame);

}  // namespace scripting
