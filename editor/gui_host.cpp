#include "editor/gui_host.h"

#include <cfloat>

#include <GLFW/glfw3.h>
#include <imgui.h>
#include <backends/imgui_impl_opengl3.h>

#include "core/engine_state.h"
#include "core/events.h"

namespace gui_host {
namespace {

GLFWwindow* g_window = nullptr;
double g_time = 0.0;
// Buttons 0..2: pressed since the last frame (so a click shorter than a frame
// still reaches the GUI), and held now according to the press/release events.
bool g_justPressed[3] = {};
bool g_held[3] = {};

void RefreshModifiers(ImGuiIO& io) {
    io.KeyCtrl = io.KeysDown[GLFW_KEY_LEFT_CONTROL] || io.KeysDown[GLFW_KEY_RIGHT_CONTROL];
    io.KeyShift = io.KeysDown[GLFW_KEY_LEFT_SHIFT] || io.KeysDown[GLFW_KEY_RIGHT_SHIFT];
    io.KeyAlt = io.KeysDown[GLFW_KEY_LEFT_ALT] || io.KeysDown[GLFW_KEY_RIGHT_ALT];
    io.KeySuper = io.KeysDown[GLFW_KEY_LEFT_SUPER] || io.KeysDown[GLFW_KEY_RIGHT_SUPER];
}

void SetKey(int key, bool down) {
    if (!ImGui::GetCurrentContext()) return;
    ImGuiIO& io = ImGui::GetIO();
    if (key < 0 || key >= int(IM_ARRAYSIZE(io.KeysDown))) return;  // controller codes and unknown keys
    io.KeysDown[key] = down;
    RefreshModifiers(io);
}

void SetButton(int button, bool down) {
    if (button < 0 || button > 2) return;
    if (down) g_justPressed[button] = true;
    g_held[button] = down;
}

void OnScroll(GLFWwindow*, double x, double y) {
    ImGuiIO& io = ImGui::GetIO();
    io.MouseWheelH += float(x);
    io.MouseWheel += float(y);
}

void OnChar(GLFWwindow*, unsigned int c) { ImGui::GetIO().AddInputCharacter(c); }

const char* GetClipboard(void* window) { return glfwGetClipboardString(static_cast<GLFWwindow*>(window)); }
void SetClipboard(void* window, const char* text) { glfwSetClipboardString(static_cast<GLFWwindow*>(window), text); }

void SetKeyMap(ImGuiIO& io) {
    io.KeyMap[ImGuiKey_Tab] = GLFW_KEY_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = GLFW_KEY_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = GLFW_KEY_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = GLFW_KEY_UP;
    io.KeyMap[ImGuiKey_DownArrow] = GLFW_KEY_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = GLFW_KEY_PAGE_UP;
    io.KeyMap[ImGuiKey_PageDown] = GLFW_KEY_PAGE_DOWN;
    io.KeyMap[ImGuiKey_Home] = GLFW_KEY_HOME;
    io.KeyMap[ImGuiKey_End] = GLFW_KEY_END;
    io.KeyMap[ImGuiKey_Insert] = GLFW_KEY_INSERT;
    io.KeyMap[ImGuiKey_Delete] = GLFW_KEY_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = GLFW_KEY_BACKSPACE;
    io.KeyMap[ImGuiKey_Space] = GLFW_KEY_SPACE;
    io.KeyMap[ImGuiKey_Enter] = GLFW_KEY_ENTER;
    io.KeyMap[ImGuiKey_Escape] = GLFW_KEY_ESCAPE;
    io.KeyMap[ImGuiKey_KeyPadEnter] = GLFW_KEY_KP_ENTER;
    io.KeyMap[ImGuiKey_A] = GLFW_KEY_A;
    io.KeyMap[ImGuiKey_C] = GLFW_KEY_C;
    io.KeyMap[ImGuiKey_V] = GLFW_KEY_V;
    io.KeyMap[ImGuiKey_X] = GLFW_KEY_X;
    io.KeyMap[ImGuiKey_Y] = GLFW_KEY_Y;
    io.KeyMap[ImGuiKey_Z] = GLFW_KEY_Z;
}

}  // namespace

void ConnectInputListeners() {
    events::Connect<int>("KeyPressed", "imguiIOBindingKeyPress", [](int key) { SetKey(key, true); });
    events::Connect<int>("KeyReleased", "imguiIOBindingKeyRelease", [](int key) { SetKey(key, false); });
    events::Connect<int>("MouseButtonPressed", "imguiIOBindingMousePress", [](int b) { SetButton(b, true); });
    events::Connect<int>("MouseButtonReleased", "imguiIOBindingMouseRelease", [](int b) { SetButton(b, false); });
}

void DisconnectInputListeners() {
    const char* pairs[][2] = {{"KeyPressed", "imguiIOBindingKeyPress"},
                              {"KeyReleased", "imguiIOBindingKeyRelease"},
                              {"MouseButtonPressed", "imguiIOBindingMousePress"},
                              {"MouseButtonReleased", "imguiIOBindingMouseRelease"}};
    for (auto& p : pairs)
        if (events::IsRegistered(p[0])) events::Disconnect(p[0], p[1]);
    for (int i = 0; i < 3; ++i) g_justPressed[i] = g_held[i] = false;
}

void UpdateMouseButtons() {
    ImGuiIO& io = ImGui::GetIO();
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = g_justPressed[i] || g_held[i];
        g_justPressed[i] = false;
    }
}

void Init(GLFWwindow* window) {
    g_window = window;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Window layout is not written next to the game data.
    io.IniFilename = nullptr;
    io.BackendPlatformName = "quillmere_glfw";
    SetKeyMap(io);
    io.SetClipboardTextFn = SetClipboard;
    io.GetClipboardTextFn = GetClipboard;
    io.ClipboardUserData = window;
    ImGui::StyleColorsDark();

    glfwSetScrollCallback(window, OnScroll);
    glfwSetCharCallback(window, OnChar);
    ConnectInputListeners();
    ImGui_ImplOpenGL3_Init("#version 330");
    g_time = glfwGetTime();
}

void NewFrame() {
    ImGui_ImplOpenGL3_NewFrame();  // makes the device objects on first use
    ImGuiIO& io = ImGui::GetIO();

    int w = 0, h = 0, fw = 0, fh = 0;
    glfwGetWindowSize(g_window, &w, &h);
    glfwGetFramebufferSize(g_window, &fw, &fh);
    io.DisplaySize = ImVec2(float(w), float(h));
    if (w > 0 && h > 0) io.DisplayFramebufferScale = ImVec2(float(fw) / float(w), float(fh) / float(h));

    const double now = glfwGetTime();
    io.DeltaTime = now > g_time ? float(now - g_time) : 1.0f / 60.0f;
    g_time = now;

    io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
    if (glfwGetWindowAttrib(g_window, GLFW_FOCUSED)) {
        double x = 0.0, y = 0.0;
        glfwGetCursorPos(g_window, &x, &y);
        io.MousePos = ImVec2(float(x), float(y));
    }
    UpdateMouseButtons();

    const bool editor = GetEngineState().mode == EngineMode::Editor;
    glfwSetInputMode(g_window, GLFW_CURSOR, editor ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);

    ImGui::NewFrame();
}

void DiscardFrame() { ImGui::EndFrame(); }

void Render() {
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

void Shutdown() {
    DisconnectInputListeners();
    ImGui_ImplOpenGL3_Shutdown();
    if (g_window) {
        glfwSetScrollCallback(g_window, nullptr);
        glfwSetCharCallback(g_window, nullptr);
    }
    ImGui::DestroyContext();
    g_window = nullptr;
}

}  // namespace gui_host
