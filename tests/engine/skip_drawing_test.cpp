// Drawing is skipped from program start until Graphics has a GL context; a
// headless process (this one) never clears it, so debug drawing never runs.
#include <gtest/gtest.h>

#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"

TEST(SkipDrawingTest, DebugDrawRunsOnlyOnceDrawingIsNoLongerSkipped) {
    events::ClearRegistryForTesting();
    ResetEngineState();
    debug_draw::RegisterEvent();
    int raisedWhileDrawing = 0;
    events::Connect<>("DebugDraw", "count", [&] { raisedWhileDrawing += debug_draw::IsDrawing(); });
    debug_draw::RunFrame();
    EXPECT_EQ(raisedWhileDrawing, 0);
    GetEngineState().skipDrawing = false;  // as Graphics does once its context is current
    debug_draw::RunFrame();
    EXPECT_EQ(raisedWhileDrawing, 1);
    EXPECT_FALSE(debug_draw::IsDrawing());
    ResetEngineState();
    events::ClearRegistryForTesting();
}
