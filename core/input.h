#pragma once
// Input turns keyboard, mouse-button and joystick reports into engine events
// and answers state queries. Key and button codes are GLFW's; controller
// buttons are seen as nine extra key codes, 349..357, so scripts read keyboard
// and controller through one query.
//
// Controllers: the model announcing itself as "Wireless Controller" with 18
// buttons has its own layout (preset 1); every other device uses the standard
// layout (preset 0).
#include <memory>
#include <vector>

#include <glm/vec2.hpp>

#include "core/input_source.h"

// Engine codes for controller buttons, above GLFW's last key (348).
enum ControllerKey {
    kControllerStart = 349,
    kControllerA = 350,  // bottom face button
    kControllerB = 351,  // right face button
    kControllerX = 352,  // left face button
    kControllerY = 353,  // top face button
    kControllerDpadUp = 354,
    kControllerDpadRight = 355,
    kControllerDpadDown = 356,
    kControllerDpadLeft = 357,
};

constexpr int kMaxJoysticks = 16;
constexpr int kWirelessControllerButtons = 18;

// GLFW's action values, repeated so the callbacks can be driven without GLFW.
constexpr int kActionRelease = 0;
constexpr int kActionPress = 1;
constexpr int kActionRepeat = 2;
// GLFW's joystick connection event values.
constexpr int kJoystickConnected = 0x00040001;
constexpr int kJoystickDisconnected = 0x00040002;

class Input {
public:
    // Registers "MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased",
    // "KeyPressed", "KeyDown", "KeyReleased" (each with the int code). Takes
    // ownership of the source.
    explicit Input(InputSource* source);
    ~Input();

    // Installs the key, mouse-button and joystick callbacks, then reports every
    // joystick already present as connected.
    void InstallCallbacks();

    // 1 held, 0 not. Controller codes read 0 while the game is not focused;
    // codes outside 0..357 read 0.
    int IsKeyDown(int code);
    // Stick 0 is the left one, any other value the right one. Of all connected
    // controllers the one deflected farthest wins; a deflection of at most
    // 0.0099 on both axes reads as (0, 0), as does everything while unfocused.
    glm::vec2 GetStick(int stick);
    glm::vec2 GetCursorPosition();
    bool HasController() const { return !connected_.empty(); }

    // Reports from the windowing library (action: kAction*, event: kJoystick*).
    void OnKey(int key, int action);
    void OnMouseButton(int button, int action);
    void OnJoystick(int jid, int event);

    const std::vector<int>& ConnectedJoysticks() const { return connected_; }
    int Preset(int jid) const { return (jid >= 0 && jid < kMaxJoysticks) ? presets_[jid] : 0; }

private:
    std::unique_ptr<InputSource> source_;
    std::vector<int> connected_;       // joystick ids in order of connection
    int presets_[kMaxJoysticks] = {};  // kept when a joystick disconnects
};

// The one instance while it exists, else null.
Input* GetInput();
