#pragma once
// Turns the widget edits of a block of GUI code into finished edits: one per
// gesture (a number dragged, a word typed, a colour picked), not one per frame
// or keystroke. The state before a gesture is taken while no edit is under
// way; the gesture is finished once the widget that made it is let go (or
// another one is taken up), and then the state after it is taken.
//
// A block counts as edited when it marks the level as changed
// (core/level_change_count.h), which every editor widget does on an edit.
#include <optional>
#include <utility>

#include <imgui.h>
#include <imgui_internal.h>

#include "core/level_change_count.h"

namespace editor {

template <class State>
struct FinishedEdit {
    State before, after;
};

template <class State>
class EditGesture {
public:
    // Runs draw(); returns the edit when a gesture ended in this frame and
    // changed the state. capture() takes the state of what the block edits.
    template <class Capture, class Draw>
    std::optional<FinishedEdit<State>> Track(Capture&& capture, Draw&& draw) {
        if (!underWay_ && capturedAt_ != LevelChangeCount()) {
            before_ = capture();
            capturedAt_ = LevelChangeCount();
        }
        const unsigned long long start = LevelChangeCount();
        draw();
        const ImGuiID active = ImGui::GetActiveID();
        if (LevelChangeCount() != start) {
            underWay_ = true;
            widget_ = active;
        }
        if (!underWay_ || (active != 0 && active == widget_)) return std::nullopt;
        return Finish(capture());
    }

    // Ends a gesture under way with the given state after it (the block is no
    // longer drawn for what it edited).
    std::optional<FinishedEdit<State>> Finish(State after) {
        if (!underWay_) return std::nullopt;
        underWay_ = false;
        capturedAt_ = ~0ull;  // take the state afresh next time
        if (after == before_) return std::nullopt;
        return FinishedEdit<State>{std::move(before_), std::move(after)};
    }
    bool UnderWay() const { return underWay_; }
    // Forgets the gesture and the state taken (what it edits went away).
    void Reset() {
        underWay_ = false;
        capturedAt_ = ~0ull;
    }

private:
    State before_{};
    bool underWay_ = false;
    ImGuiID widget_ = 0;
    unsigned long long capturedAt_ = ~0ull;
};

}  // namespace editor
