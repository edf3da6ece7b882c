#pragma once
// A scriptable stand-in for the windowing library's input side.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/input.h"

struct FakeJoystick {
    std::string name;
    std::vector<unsigned char> buttons;
    std::vector<float> axes;
};

class FakeInputSource : public InputSource {
public:
    std::set<int> heldKeys;
    std::map<int, FakeJoystick> joysticks;  // present ones
    glm::vec2 cursor{0.0f, 0.0f};
    // Runs inside the next button or axis read, once: lets a test disconnect a
    // pad in the middle of a query, as GLFW's polling can.
    std::function<void()> duringNextRead;

    int GetKey(int key) override { return heldKeys.count(key) ? 1 : 0; }
    bool JoystickPresent(int jid) override { return joysticks.count(jid) != 0; }
    std::string JoystickName(int jid) override { return joysticks.count(jid) ? joysticks[jid].name : ""; }
    int JoystickButtonCount(int jid) override { return joysticks.count(jid) ? int(joysticks[jid].buttons.size()) : 0; }
    const unsigned char* JoystickButtons(int jid, int* count) override { return Read(jid, &FakeJoystick::buttons, count); }
    const float* JoystickAxes(int jid, int* count) override { return Read(jid, &FakeJoystick::axes, count); }
    glm::vec2 CursorPosition() override { return cursor; }
    void InstallCallbacks(Input&) override {}

private:
    template <class T>
    const T* Read(int jid, std::vector<T> FakeJoystick::*list, int* count) {
        if (auto during = std::exchange(duringNextRead, nullptr)) during();
        const auto it = joysticks.find(jid);
        *count = it == joysticks.end() ? 0 : int((it->second.*list).size());
        return it == joysticks.end() ? nullptr : (it->second.*list).data();
    }
};
