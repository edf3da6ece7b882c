#pragma once
// Where each frame's time goes. The frame loop opens a frame, and each system
// marks the stretch it runs with a ProfileScope; time is charged to the
// innermost open scope only, so a script listener run inside physics counts as
// scripts, not physics, and the split adds up to the frame. While profiling is
// off (no overlay, no --profile file) a scope is one test of a flag.
#include <array>
#include <chrono>
#include <string>
#include <vector>

enum class ProfileSection {
    Scripts,
    Physics,
    Audio,
    CullingSorting,
    LitPass,
    Shadows,
    Composition,
    GuiEditor,
    Swap,
    Loading,  // level loads and hot reloads
    Input,    // the window's events and focus handling (scripts' key listeners count as scripts)
    Count
};
constexpr int kProfileSections = int(ProfileSection::Count);

// Column names (the CSV header and the overlay's labels), by section.
extern const char* const kProfileSectionNames[kProfileSections];

// One script component type's Update time in a frame.
struct ScriptCost {
    std::string name;
    double ms = 0.0;
};

struct FrameProfile {
    double frameMs = 0.0;  // from the frame's start to its end
    std::array<double, kProfileSections> ms{};
    std::vector<ScriptCost> topScripts;  // at most three, most expensive first
};

namespace profiler {

bool Enabled();
void SetEnabled(bool on);

// Frame boundaries; EndFrame returns the finished frame's profile (all zero when
// profiling is off).
void BeginFrame();
const FrameProfile& EndFrame();

// Script components' Update times of this frame, by type (any order).
void SetScriptCosts(std::vector<ScriptCost> costs);

// Charges the time since the last mark to the innermost open section.
void Enter(ProfileSection section);
void Leave();

}  // namespace profiler

class ProfileScope {
public:
    explicit ProfileScope(ProfileSection section) : active_(profiler::Enabled()) {
        if (active_) profiler::Enter(section);
    }
    ~ProfileScope() { End(); }
    // Leaves the section before the scope ends (once).
    void End() {
        if (active_) profiler::Leave();
        active_ = false;
    }
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;

private:
    bool active_;
};
