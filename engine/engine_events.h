#pragma once
// The engine's own nine events, registered in this order at start-up: the
// frame phases, editor selection, the three level events and the three pause
// menu events. Tests and benchmarks that stand in for the engine use it too.
void RegisterEngineEvents();
