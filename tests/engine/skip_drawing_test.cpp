#include <gtest/gtest.h>

#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"

namespace {

// Drawing is skipped from program start until Graphics has a GL context; a
// headless process (this one) never clears it, so debug drawing never runs.
TEST(SkipDrawingTest, SetAtStartAndDebugDrawRunsOnlyOnceCleared) {
    events::ClearRegistryForTesting();
    ResetEngineState();
    EXPECT_TRUE(GetEngineState().skipDrawing);

    debug_draw::RegisterEvent();
    int raised = 0;
    bool drawingInside = false;
    events::Connect<>("DebugDraw", "count", [&] {
        ++raised;
        drawingInside = debug_draw::IsDrawing();
    });
    debug_draw::RunFrame();
    EXPECT_EQ(raised, 0);

    GetEngineState().skipDrawing = false;  // as Graphics does once its context is current
    debug_draw::RunFrame();
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(drawingInside);
    EXPECT_FALSE(debug_draw::IsDrawing());

    ResetEngineState();
    events::ClearRegistryForTesting();
}

}  // namespace
