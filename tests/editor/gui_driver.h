#pragma once
// Drives Dear ImGui without a window: each Frame draws the widgets under test
// into a host window; widgets, addressed by ID, are pressed or typed into through
// the GUI's navigation requests, which take effect in the next Frame.
#include <functional>
#include <initializer_list>
#include <string>

#include <imgui.h>
#include <imgui_internal.h>

inline void CreateHeadlessGuiContext(ImVec2 size) {
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = size;
    io.IniFilename = nullptr;
    io.DeltaTime = 1.0f / 60.0f;
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
}

// Frames of a window "typing" at (0, 0), 200 x 100, until its text field
// "name" holds the keyboard focus; no frame is left open.
inline void FocusTextFieldOverFrames(char* buffer, size_t size) {
    for (int frame = 0; frame < 3; ++frame) {
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImVec2(200, 100));
        ImGui::Begin("typing");
        if (frame == 0) ImGui::SetKeyboardFocusHere();
        ImGui::InputText("name", buffer, size);
        ImGui::End();
        ImGui::Render();
    }
}

class GuiDriver {
public:
    static constexpr const char* kHost = "host";

    GuiDriver() {
        CreateHeadlessGuiContext(ImVec2(1000, 2000));
        for (int key = 0; key < ImGuiKey_COUNT; ++key) ImGui::GetIO().KeyMap[key] = key;
    }
    ~GuiDriver() { ImGui::DestroyContext(); }
    GuiDriver(const GuiDriver&) = delete;
    GuiDriver& operator=(const GuiDriver&) = delete;

    void Frame(const std::function<void()>& draw) {
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin(kHost);
        draw();
        ImGui::End();
        ImGui::Render();
    }

    // A widget's ID: the ID scopes pushed inside the GUI window `window`, then its label.
    static ImGuiID Id(const std::string& window, std::initializer_list<const char*> path) {
        ImGuiID id = FindWindow(window) ? FindWindow(window)->ID : 0;
        for (const char* part : path) id = id ? In(id, part) : 0;
        return id;
    }
    static ImGuiID Id(const std::string& window, const std::string& scope, int index, const char* label) {
        const ImGuiID id = scope.empty() ? Id(window, {}) : Id(window, {scope.c_str()});
        return id ? In(In(id, index), label) : 0;
    }
    // One ID scope further in: a label (PushID(text) or a widget) or PushID(int).
    static ImGuiID In(ImGuiID seed, const char* label) { return ImHashStr(label, 0, seed); }
    static ImGuiID In(ImGuiID seed, int index) { return ImHashData(&index, sizeof(index), seed); }
    // Window names of a child region drawn directly in `parent`, and of a popup
    // opened in the ID scope `scope` of `parent` (0: the window itself).
    static std::string Child(const std::string& parent, const char* child) {
        ImGuiWindow* p = FindWindow(parent);
        return p ? parent + "/" + child + "_" + Hex("%08X", p->GetID(child)) : "";
    }
    static std::string Popup(const std::string& parent, const char* popup, ImGuiID scope = 0) {
        ImGuiWindow* p = FindWindow(parent);
        return p ? Hex("##Popup_%08x", In(scope ? scope : p->ID, popup)) : "";
    }
    static ImGuiWindow* FindWindow(const std::string& name) { return ImGui::FindWindowByName(name.c_str()); }
    static bool IsOpen(const std::string& window) {
        ImGuiWindow* w = FindWindow(window);
        return w && w->Active;
    }

    // Press: a button, selectable, menu item, check box or header. Focus: starts
    // text input in a field, its text selected so typing replaces it.
    static void Press(ImGuiID id) { Activate(id, ImGuiActivateFlags_None); }
    static void Focus(ImGuiID id) { Activate(id, ImGuiActivateFlags_PreferInput); }
    // Characters typed one per frame; a key (ImGuiKey_Enter, ...) pressed and released.
    static void Type(const std::string& text, const std::function<void()>& frame) {
        for (char c : text) {
            ImGui::GetIO().AddInputCharacter(static_cast<unsigned char>(c));
            frame();
        }
    }
    static void Key(ImGuiKey key, const std::function<void()>& frame) {
        ImGui::GetIO().KeysDown[key] = true;
        frame();
        ImGui::GetIO().KeysDown[key] = false;
        frame();
    }
    static void Unfocus() { ImGui::ClearActiveID(); }
    // Focuses a field and types into it (then leaves it, with `leave`), a frame after each step.
    static void Enter(ImGuiID id, const std::string& text, const std::function<void()>& frame, bool leave = true) {
        Focus(id);
        frame();
        Type(text, frame);
        if (!leave) return;
        Unfocus();
        frame();
    }

private:
    static void Activate(ImGuiID id, ImGuiActivateFlags flags) {
        ImGui::GetCurrentContext()->NavNextActivateId = id;
        ImGui::GetCurrentContext()->NavNextActivateFlags = flags;
    }
    static std::string Hex(const char* format, ImGuiID id) {
        char text[32];
        ImFormatString(text, sizeof(text), format, id);
        return text;
    }
};
