#pragma once
// An open editor whose "Editor" window is drawn and driven through its widgets,
// in the editor fixture's scratch game folder.
#include "editor_fixture.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "core/log.h"
#include "editor/level_panel.h"

class EditorPanelFixture : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(1000, 2000);  // the whole window in view
        for (int key = 0; key < ImGuiKey_COUNT; ++key) io.KeyMap[key] = key;
    }

    void WriteLevel(const std::string& name, const std::string& text) {
        std::ofstream(root / "levels" / (name + ".json")) << text;
    }
    // Every file under the scratch folder, relative to it.
    std::set<std::string> Files() const {
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
            if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), root).string());
        return files;
    }

    void Frame() {
        ImGui::NewFrame();
        editor::DrawEditorWindow();
        ImGui::Render();
    }
    std::function<void()> Framer() {
        return [this] { Frame(); };
    }
    static ImGuiID Widget(std::initializer_list<const char*> path) { return GuiDriver::Id("Editor", path); }
    // Presses a widget (a button, an entry of a list or a popup).
    void Click(ImGuiID id) {
        GuiDriver::Press(id);
        Frame();
        Frame();
    }
    // Replaces the text of a field and leaves it (an empty text is typed as a
    // Backspace over the selected old one).
    void Enter(ImGuiID id, const std::string& text) {
        GuiDriver::Focus(id);
        Frame();
        if (text.empty()) GuiDriver::Key(ImGuiKey_Backspace, Framer());
        GuiDriver::Type(text, Framer());
        GuiDriver::Unfocus();
        Frame();
    }

};
