#pragma once
// Drives Dear ImGui without a window: one host window fills the display, each
// Frame draws the widgets under test into it, and widgets are pressed or given
// text through the GUI's own navigation requests, addressed by their IDs.
// Requests are queued and take effect in the next Frame, as with real input.
#include <functional>
#include <initializer_list>
#include <string>

#include <imgui.h>
#include <imgui_internal.h>

// A GUI context that runs frames without a window: a display of `size`
// pixels, 60 frames a second, no .ini file, the font atlas built.
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

// Frames of a window "typing" at (0, 0), 200 x 100, whose text field "name"
// takes the keyboard focus (focus requests settle over frames); no frame is
// left open.
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
        ImGuiIO& io = ImGui::GetIO();
        // The GUI's own key numbers stand for the keys here.
        for (int key = 0; key < ImGuiKey_COUNT; ++key) io.KeyMap[key] = key;
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

    // The ID of a widget: `window` is the name of an existing GUI window (the
    // host, see Child and Popup for the others), `path` the ID scopes pushed
    // inside it followed by the widget's label.
    static ImGuiID Id(const std::string& window, std::initializer_list<const char*> path) {
        ImGuiWindow* w = ImGui::FindWindowByName(window.c_str());
        if (!w) return 0;
        ImGuiID id = w->ID;
        for (const char* part : path) id = ImHashStr(part, 0, id);
        return id;
    }
    static ImGuiID Id(const std::string& window, const std::string& scope, int index, const char* label) {
        ImGuiWindow* w = ImGui::FindWindowByName(window.c_str());
        if (!w) return 0;
        ImGuiID seed = scope.empty() ? w->ID : ImHashStr(scope.c_str(), 0, w->ID);
        ImGuiID pushed = ImHashData(&index, sizeof(index), seed);
        return ImHashStr(label, 0, pushed);
    }
    // One ID scope further in: a label (PushID(text) or a widget) or an index (PushID(int)).
    static ImGuiID In(ImGuiID seed, const char* label) { return ImHashStr(label, 0, seed); }
    static ImGuiID In(ImGuiID seed, int index) { return ImHashData(&index, sizeof(index), seed); }
    // Name of the child region `child` drawn directly in `parent`.
    static std::string Child(const std::string& parent, const char* child) {
        ImGuiWindow* p = ImGui::FindWindowByName(parent.c_str());
        if (!p) return "";
        return parent + "/" + child + "_" + Hex(p->GetID(child));
    }
    // Name of the popup `popup` opened from the ID scope `scope` of `parent`
    // (the scope's ID; 0 for the window itself).
    static std::string Popup(const std::string& parent, const char* popup, ImGuiID scope = 0) {
        ImGuiWindow* p = ImGui::FindWindowByName(parent.c_str());
        if (!p) return "";
        ImGuiID id = ImHashStr(popup, 0, scope ? scope : p->ID);
        char name[32];
        ImFormatString(name, sizeof(name), "##Popup_%08x", id);
        return name;
    }
    static ImGuiWindow* FindWindow(const std::string& name) { return ImGui::FindWindowByName(name.c_str()); }
    static bool IsOpen(const std::string& window) {
        ImGuiWindow* w = ImGui::FindWindowByName(window.c_str());
        return w && w->Active;
    }

    // Presses a button, selectable, menu item, check box or header.
    static void Press(ImGuiID id) {
        ImGuiContext& g = *ImGui::GetCurrentContext();
        g.NavNextActivateId = id;
        g.NavNextActivateFlags = ImGuiActivateFlags_None;
    }
    // Starts text input in a text or number field (its text is then selected,
    // so typing replaces it).
    static void Focus(ImGuiID id) {
        ImGuiContext& g = *ImGui::GetCurrentContext();
        g.NavNextActivateId = id;
        g.NavNextActivateFlags = ImGuiActivateFlags_PreferInput;
    }
    // One character per frame, as keystrokes arrive; `frame` draws a whole frame.
    static void Type(const std::string& text, const std::function<void()>& frame) {
        for (char c : text) {
            ImGui::GetIO().AddInputCharacter(static_cast<unsigned char>(c));
            frame();
        }
    }
    // Presses and releases a key (ImGuiKey_Backspace, ImGuiKey_Enter, ...).
    static void Key(ImGuiKey key, const std::function<void()>& frame) {
        ImGui::GetIO().KeysDown[key] = true;
        frame();
        ImGui::GetIO().KeysDown[key] = false;
        frame();
    }
    // Leaves the field being edited.
    static void Unfocus() { ImGui::ClearActiveID(); }
    // Focuses a field, types into it and, with `leave`, leaves it again; a
    // frame is drawn after each step.
    static void Enter(ImGuiID id, const std::string& text, const std::function<void()>& frame, bool leave = true) {
        Focus(id);
        frame();
        Type(text, frame);
        if (!leave) return;
        Unfocus();
        frame();
    }

private:
    static std::string Hex(ImGuiID id) {
        char text[16];
        ImFormatString(text, sizeof(text), "%08X", id);
        return text;
    }
};
