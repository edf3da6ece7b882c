// The GLFW side of Input: key state, joysticks, cursor and the callbacks.
#include <GLFW/glfw3.h>

#include "core/callback_errors.h"
#include "core/input.h"
#include "graphics/graphics.h"

namespace {

class GlfwInputSource : public InputSource {
public:
    // Input exists before the window does; the window is taken from Graphics
    // when the callbacks are installed. Until then every query reads nothing.

    int GetKey(int key) override { return window_ && glfwGetKey(window_, key) == GLFW_PRESS ? 1 : 0; }
    bool JoystickPresent(int jid) override { return window_ && glfwJoystickPresent(jid) == GLFW_TRUE; }
    std::string JoystickName(int jid) override {
        const char* name = window_ ? glfwGetJoystickName(jid) : nullptr;
        return name ? name : "";
    }
    int JoystickButtonCount(int jid) override {
        int count = 0;
        JoystickButtons(jid, &count);
        return count;
    }
    const unsigned char* JoystickButtons(int jid, int* count) override {
        *count = 0;
        return window_ ? glfwGetJoystickButtons(jid, count) : nullptr;
    }
    const float* JoystickAxes(int jid, int* count) override {
        *count = 0;
        return window_ ? glfwGetJoystickAxes(jid, count) : nullptr;
    }
    glm::vec2 CursorPosition() override {
        double x = 0.0, y = 0.0;
        if (window_) glfwGetCursorPos(window_, &x, &y);
        return glm::vec2(float(x), float(y));
    }
    void InstallCallbacks(Input&) override {
        window_ = GetGraphics() ? GetGraphics()->GetWindow() : nullptr;
        if (!window_) return;
        // The callbacks find the Input through its accessor: GLFW's joystick
        // callback carries no user pointer.
        glfwSetMouseButtonCallback(window_, [](GLFWwindow*, int button, int action, int) {
            GuardCallback([&] {
                if (Input* input = GetInput()) input->OnMouseButton(button, action);
            });
        });
        glfwSetKeyCallback(window_, [](GLFWwindow*, int key, int, int action, int) {
            GuardCallback([&] {
                if (Input* input = GetInput()) input->OnKey(key, action);
            });
        });
        glfwSetJoystickCallback([](int jid, int event) {
            GuardCallback([&] {
                if (Input* input = GetInput()) input->OnJoystick(jid, event);
            });
        });
    }

private:
    GLFWwindow* window_ = nullptr;
};

static_assert(kActionPress == GLFW_PRESS && kActionRepeat == GLFW_REPEAT && kActionRelease == GLFW_RELEASE);
static_assert(kJoystickConnected == GLFW_CONNECTED && kJoystickDisconnected == GLFW_DISCONNECTED);
static_assert(kMaxJoysticks == GLFW_JOYSTICK_LAST + 1);

}  // namespace

InputSource* CreateGlfwInputSource() { return new GlfwInputSource(); }
