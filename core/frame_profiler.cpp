#include "core/frame_profiler.h"

#include <algorithm>

const char* const kProfileSectionNames[kProfileSections] = {
    "scripts", "physics", "audio", "culling_sorting", "lit_pass", "shadows", "composition", "gui_editor", "swap",
    "loading", "input"};

namespace profiler {
namespace {

using Clock = std::chrono::steady_clock;

bool g_enabled = false;
FrameProfile g_current;
FrameProfile g_finished;
Clock::time_point g_frameStart;
Clock::time_point g_lastMark;
// Open sections, innermost last; time outside every section is charged nowhere.
std::vector<ProfileSection> g_open;

double MsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

void Mark() {
    const Clock::time_point now = Clock::now();
    if (!g_open.empty()) g_current.ms[int(g_open.back())] += MsBetween(g_lastMark, now);
    g_lastMark = now;
}

}  // namespace

bool Enabled() { return g_enabled; }
void SetEnabled(bool on) { g_enabled = on; }

void BeginFrame() {
    g_current = FrameProfile{};
    g_open.clear();
    g_frameStart = g_lastMark = Clock::now();
}

const FrameProfile& EndFrame() {
    if (!g_enabled) {
        g_finished = FrameProfile{};
        return g_finished;
    }
    Mark();
    g_current.frameMs = MsBetween(g_frameStart, g_lastMark);
    g_finished = std::move(g_current);
    g_current = FrameProfile{};
    return g_finished;
}

void SetScriptCosts(std::vector<ScriptCost> costs) {
    std::sort(costs.begin(), costs.end(), [](const ScriptCost& a, const ScriptCost& b) {
        return a.ms != b.ms ? a.ms > b.ms : a.name < b.name;
    });
    if (costs.size() > 3) costs.resize(3);
    g_current.topScripts = std::move(costs);
}

void Enter(ProfileSection section) {
    Mark();
    g_open.push_back(section);
}

void Leave() {
    Mark();
    if (!g_open.empty()) g_open.pop_back();
}

}  // namespace profiler
