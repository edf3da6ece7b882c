#pragma once
// Telling whether GUI code edited something: every Dear ImGui widget that
// changes a value marks its item edited, which the GUI records for the frame.
namespace editor {

// Runs draw() (GUI calls inside the current window) and returns whether a
// widget drawn by it reported an edit. Edits made earlier in the frame do not
// count, and are still reported to later callers.
template <class F>
bool DrawnWithEdits(F&& draw);

// The GUI's per-frame edit flag (false without a context), and setting it.
bool EditedThisFrame();
void SetEditedThisFrame(bool edited);

template <class F>
bool DrawnWithEdits(F&& draw) {
    const bool before = EditedThisFrame();
    SetEditedThisFrame(false);
    draw();
    const bool edited = EditedThisFrame();
    SetEditedThisFrame(before || edited);
    return edited;
}

}  // namespace editor
