#include "engine/console.h"

#include <ctime>

#include <imgui.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/log.h"
#include "core/save_folder.h"

namespace {
bool g_visible = false;
constexpr const char* kListener = "OpenConsole";
}  // namespace

bool IsConsoleVisible() { return g_visible; }
void SetConsoleVisible(bool visible) { g_visible = visible; }

Console::Console() {
    // The GUI's keyboard capture is not consulted: the key toggles the console
    // even while a text field has the focus.
    events::Connect<int>("KeyPressed", kListener, [](int key) {
        if (key == kConsoleKey) g_visible = !g_visible;
    });
}

Console::~Console() { events::Disconnect("KeyPressed", kListener); }

std::string SaveConsoleCopy() {
    const std::string path =
        GetSaveFolder() + "Console Log" + std::to_string(static_cast<long long>(std::time(nullptr))) + ".txt";
    std::string text;
    for (const std::string& line : GetLog()) {
        text += line;
        text += '\n';
    }
    WriteFileAtomically(path, text);
    return path;
}

void Console::Draw() {
    if (!g_visible || !ImGui::GetCurrentContext()) return;
    ImGui::SetNextWindowPos(ImVec2(50, 25), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(600, 300), ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Console")) {
        // Leave one line (with spacing) below the log for the button.
        const float footer = ImGui::GetFrameHeightWithSpacing();
        ImGui::BeginChild("ScrollingRegion", ImVec2(0, -footer), false, ImGuiWindowFlags_HorizontalScrollbar);
        for (const std::string& line : GetLog()) ImGui::TextUnformatted(line.c_str(), line.c_str() + line.size());
        // While the game runs the newest line stays in view; paused, the player
        // may scroll back and the view stays where it was left.
        if (!GetEngineState().paused) ImGui::SetScrollHereY(1.0f);
        ImGui::EndChild();
        if (ImGui::Button("Save copy to Documents/Quillmere")) SaveConsoleCopy();
    }
    ImGui::End();
}
