#pragma once
// A scriptable stand-in for the windowing library's input side.
#include <functional>
#include <map>
#include <set>
#include <string>
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
    bool callbacksInstalled = false;
    // Runs inside the next button or axis read, once: lets a test disconnect a
    // pad in the middle of a query, as GLFW's polling can.
    std::function<void()> duringNextRead;

    int GetKey(int key) override { return heldKeys.count(key) ? 1 : 0; }
    bool JoystickPresent(int jid) override { return joysticks.count(jid) != 0; }
    std::string JoystickName(int jid) override { return joysticks.count(jid) ? joysticks[jid].name : ""; }
    int JoystickButtonCount(int jid) override {
        return joysticks.count(jid) ? int(joysticks[jid].buttons.size()) : 0;
    }
    const unsigned char* JoystickButtons(int jid, int* count) override {
        RunDuringRead();
        *count = 0;
        if (!joysticks.count(jid)) return nullptr;
        *count = int(joysticks[jid].buttons.size());
        return joysticks[jid].buttons.data();
    }
    const float* JoystickAxes(int jid, int* count) override {
        RunDuringRead();
        *count = 0;
        if (!joysticks.count(jid)) return nullptr;
        *count = int(joysticks[jid].axes.size());
        return joysticks[jid].axes.data();
    }
    glm::vec2 CursorPosition() override { return cursor; }
    void InstallCallbacks(Input&) override { callbacksInstalled = true; }

private:
    void RunDuringRead() {
        if (!duringNextRead) return;
        auto f = std::move(duringNextRead);
        duringNextRead = nullptr;
        f();
    }
};
