// The frame profiler charges time to the innermost open section only, so the
// split never exceeds the frame and a stretch outside every section is in no
// column; off, it measures nothing. Times are lower bounds: a busy machine
// only lengthens them.
#include <gtest/gtest.h>

#include <numeric>

#include "core/frame_profiler.h"

namespace {

void Busy(double ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double, std::milli>(ms);
    while (std::chrono::steady_clock::now() < end) {
    }
}

double Ms(const FrameProfile& p, ProfileSection s) { return p.ms[int(s)]; }

}  // namespace

TEST(FrameProfiler, TimeGoesToTheInnermostSectionAndTheSplitAddsUpToTheFrame) {
    profiler::SetEnabled(true);
    profiler::BeginFrame();
    {
        ProfileScope physics(ProfileSection::Physics);
        Busy(2);
        {
            ProfileScope scripts(ProfileSection::Scripts);
            Busy(3);
        }
        Busy(1);
    }
    ProfileScope lit(ProfileSection::LitPass);
    Busy(1);
    lit.End();
    Busy(2);  // in no section
    profiler::SetScriptCosts({{"Door", 1.0}, {"Lantern", 4.0}, {"Gate", 4.0}, {"Firefly", 0.5}});
    const FrameProfile p = profiler::EndFrame();

    EXPECT_GE(Ms(p, ProfileSection::Physics), 3.0);
    EXPECT_GE(Ms(p, ProfileSection::Scripts), 3.0);
    EXPECT_GE(Ms(p, ProfileSection::LitPass), 1.0);
    const double split = std::accumulate(p.ms.begin(), p.ms.end(), 0.0);
    EXPECT_LE(split, p.frameMs - 2.0 + 1e-6);  // nested time counted once, the idle stretch not at all
    EXPECT_GE(split, 7.0);
    ASSERT_EQ(p.topScripts.size(), 3u);
    EXPECT_EQ(p.topScripts[0].name + p.topScripts[1].name + p.topScripts[2].name, "GateLanternDoor");

    profiler::SetEnabled(false);
    profiler::BeginFrame();
    {
        ProfileScope physics(ProfileSection::Physics);
        Busy(1);
    }
    const FrameProfile off = profiler::EndFrame();
    EXPECT_EQ(off.frameMs + std::accumulate(off.ms.begin(), off.ms.end(), 0.0), 0.0);
}
