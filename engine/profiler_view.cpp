#include "engine/profiler_view.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <imgui.h>

#include "core/debug_exception.h"
#include "core/log.h"

namespace {

constexpr size_t kHistoryFrames = 300;  // five seconds at 60 Hz
constexpr float kBudgetMs = 1000.0f / 60.0f;
constexpr float kGraphTopMs = 2.0f * kBudgetMs;

std::string Ms(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ms);
    return text;
}

}  // namespace

std::string ProfileCsvHeader() {
    std::string header = "frame,frame_ms";
    for (const char* name : kProfileSectionNames) header += std::string(",") + name + "_ms";
    for (int i = 1; i <= 3; ++i) header += ",script" + std::to_string(i) + ",script" + std::to_string(i) + "_ms";
    return header;
}

std::string ProfileCsvRow(long frame, const FrameProfile& profile) {
    std::string row = std::to_string(frame) + "," + Ms(profile.frameMs);
    for (double ms : profile.ms) row += "," + Ms(ms);
    for (size_t i = 0; i < 3; ++i) {
        const bool has = i < profile.topScripts.size();
        row += "," + (has ? profile.topScripts[i].name : "") + "," + (has ? Ms(profile.topScripts[i].ms) : "");
    }
    return row;
}

ProfilerView::ProfilerView(const std::string& csvPath) : csvPath_(csvPath) {
    if (csvPath.empty()) return;
    csv_ = std::fopen(csvPath.c_str(), "w");
    if (!csv_) throw debug::exception("Cannot write the profile \"" + csvPath + "\": " + std::strerror(errno));
    std::fprintf(csv_, "%s\n", ProfileCsvHeader().c_str());
}

ProfilerView::~ProfilerView() {
    if (!csv_) return;
    std::fclose(csv_);
    const double n = frames_ > 0 ? double(frames_) : 1.0;
    std::string line = "Profile: " + std::to_string(frames_) + " frames in " + csvPath_ + "; average ms: frame " +
                       Ms(sums_.frameMs / n);
    for (int i = 0; i < kProfileSections; ++i) line += std::string(", ") + kProfileSectionNames[i] + " " + Ms(sums_.ms[i] / n);
    Print(line);
}

void ProfilerView::Record(const FrameProfile& profile) {
    if (!Active()) return;
    last_ = profile;
    history_.push_back(float(profile.frameMs));
    if (history_.size() > kHistoryFrames) history_.pop_front();
    if (!csv_) return;
    std::fprintf(csv_, "%s\n", ProfileCsvRow(++frames_, profile).c_str());
    sums_.frameMs += profile.frameMs;
    for (int i = 0; i < kProfileSections; ++i) sums_.ms[i] += profile.ms[i];
}

void ProfilerView::DrawOverlay() const {
    if (!shown_ || !ImGui::GetCurrentContext()) return;
    ImGui::SetNextWindowPos(ImVec2(10.0f, 10.0f), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowBgAlpha(0.8f);
    if (ImGui::Begin("Frame profiler", nullptr, ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoFocusOnAppearing)) {
        const std::vector<float> times(history_.begin(), history_.end());
        ImGui::PlotLines("##frame times", times.data(), int(times.size()), 0, nullptr, 0.0f, kGraphTopMs,
                         ImVec2(360.0f, 90.0f));
        // Above this line a frame missed a 60 Hz refresh.
        const ImVec2 lo = ImGui::GetItemRectMin(), hi = ImGui::GetItemRectMax();
        const float y = hi.y - (hi.y - lo.y) * (kBudgetMs / kGraphTopMs);
        ImGui::GetWindowDrawList()->AddLine(ImVec2(lo.x, y), ImVec2(hi.x, y), IM_COL32(255, 90, 90, 255));
        ImGui::Text("frame %7.2f ms   (red line: 16.7 ms)", last_.frameMs);
        for (int i = 0; i < kProfileSections; ++i) {
            ImGui::Text("%-16s %7.2f", kProfileSectionNames[i], last_.ms[i]);
            if (ProfileSection(i) != ProfileSection::Scripts) continue;
            for (const ScriptCost& cost : last_.topScripts)
                ImGui::Text("  %-14s %7.2f", cost.name.c_str(), cost.ms);
        }
    }
    ImGui::End();
}
