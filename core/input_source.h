#pragma once
// What Input needs from the windowing library, behind a small interface so the
// joystick, preset and stick logic runs in tests against a fake. The real one
// (engine/input_glfw.cpp) reads GLFW for the game window.
#include <string>

#include <glm/vec2.hpp>

class Input;

class InputSource {
public:
    virtual ~InputSource() = default;

    // 1 while the keyboard key (GLFW code, 32..348) is held in the game window.
    virtual int GetKey(int key) = 0;
    virtual bool JoystickPresent(int jid) = 0;
    virtual std::string JoystickName(int jid) = 0;
    virtual int JoystickButtonCount(int jid) = 0;
    // Reading may notice a (dis)connection and report it to Input before
    // returning, exactly as GLFW's polling does; Input guards against that.
    // Returns null (count 0) for an absent joystick. 1 = pressed.
    virtual const unsigned char* JoystickButtons(int jid, int* count) = 0;
    virtual const float* JoystickAxes(int jid, int* count) = 0;
    virtual glm::vec2 CursorPosition() = 0;  // window pixels, origin top-left
    // Routes the window's key and mouse-button reports and the joystick
    // connection reports to the given Input.
    virtual void InstallCallbacks(Input& input) = 0;
};

// GLFW for the game window of Graphics, taken when the callbacks are installed;
// without a window it reads nothing and installs nothing.
InputSource* CreateGlfwInputSource();
