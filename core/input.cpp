#include "core/input.h"

#include <algorithm>
#include <cmath>

#include "core/engine_state.h"
#include "core/events.h"

namespace {

Input* g_input = nullptr;

constexpr int kLastGlfwKey = 348;
constexpr int kLastControllerKey = kControllerDpadLeft;
// A stick resting this close to the centre reads as centred; pads rarely rest at
// exactly zero.
constexpr float kStickDeadZone = 0.0099f;

// Button index of each controller code (349..357) for preset 0 and preset 1.
constexpr int kButtonIndex[2][9] = {
    {7, 0, 1, 2, 3, 10, 11, 12, 13},
    {9, 1, 2, 0, 3, 14, 15, 16, 17},
};

struct AxisRef {
    int index;
    bool negate;
};
// [preset][left/right][x/y]. The "Wireless Controller" reports y pointing up
// and its right stick's y on axis 5.
constexpr AxisRef kStickAxes[2][2][2] = {
    {{{0, false}, {1, false}}, {{2, false}, {3, false}}},
    {{{0, false}, {1, true}}, {{2, false}, {5, true}}},
};

float ReadAxis(const float* axes, int count, AxisRef ref) {
    if (!axes || ref.index >= count) return 0.0f;
    return ref.negate ? -axes[ref.index] : axes[ref.index];
}

void RaiseForAction(int action, const char* pressed, const char* down, const char* released, int code) {
    if (action == kActionPress)
        events::Call(pressed, code);
    else if (action == kActionRepeat)
        events::Call(down, code);
    else if (action == kActionRelease)
        events::Call(released, code);
}

}  // namespace

Input* GetInput() { return g_input; }

Input::Input(InputSource* source) : source_(source) {
    events::Register<int>("MouseButtonPressed");
    events::Register<int>("MouseButtonDown");
    events::Register<int>("MouseButtonReleased");
    events::Register<int>("KeyPressed");
    events::Register<int>("KeyDown");
    events::Register<int>("KeyReleased");
    g_input = this;
}

Input::~Input() {
    if (g_input == this) g_input = nullptr;
}

void Input::InstallCallbacks() {
    source_->InstallCallbacks(*this);
    for (int jid = 0; jid < kMaxJoysticks; ++jid)
        if (source_->JoystickPresent(jid)) OnJoystick(jid, kJoystickConnected);
}

void Input::OnKey(int key, int action) { RaiseForAction(action, "KeyPressed", "KeyDown", "KeyReleased", key); }

void Input::OnMouseButton(int button, int action) {
    RaiseForAction(action, "MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", button);
}

void Input::OnJoystick(int jid, int event) {
    if (jid < 0 || jid >= kMaxJoysticks) return;
    connected_.erase(std::remove(connected_.begin(), connected_.end(), jid), connected_.end());
    if (event != kJoystickConnected) return;
    connected_.push_back(jid);
    const bool wireless = source_->JoystickButtonCount(jid) == kWirelessControllerButtons &&
                          source_->JoystickName(jid) == "Wireless Controller";
    presets_[jid] = wireless ? 1 : 0;
}

int Input::IsKeyDown(int code) {
    if (code < 0 || code > kLastControllerKey) return 0;
    if (code <= kLastGlfwKey) return source_->GetKey(code) ? 1 : 0;
    if (!GetEngineState().focused) return 0;

    const size_t listSize = connected_.size();
    for (size_t i = 0; i < connected_.size(); ++i) {
        const int jid = connected_[i];
        int count = 0;
        const unsigned char* buttons = source_->JoystickButtons(jid, &count);
        // Reading can report a disconnection, which reshapes the list under us.
        if (connected_.size() != listSize) return 0;
        const int index = kButtonIndex[presets_[jid]][code - kControllerStart];
        if (buttons && index < count && buttons[index]) return 1;
    }
    return 0;
}

glm::vec2 Input::GetStick(int stick) {
    glm::vec2 best(0.0f, 0.0f);
    if (!GetEngineState().focused) return best;

    float bestSize = 0.0f;
    const int side = stick == 0 ? 0 : 1;
    const size_t listSize = connected_.size();
    for (size_t i = 0; i < connected_.size(); ++i) {
        const int jid = connected_[i];
        int count = 0;
        const float* axes = source_->JoystickAxes(jid, &count);
        if (connected_.size() != listSize) return best;
        const AxisRef* ref = kStickAxes[presets_[jid]][side];
        const glm::vec2 value(ReadAxis(axes, count, ref[0]), ReadAxis(axes, count, ref[1]));
        const float size = std::max(std::fabs(value.x), std::fabs(value.y));
        if (size - kStickDeadZone > bestSize) {
            best = value;
            bestSize = size;
        }
    }
    return best;
}

glm::vec2 Input::GetCursorPosition() { return source_->CursorPosition(); }
