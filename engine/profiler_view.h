#pragma once
// The frame profiler as a developer sees it: F3 shows or hides, in the game and
// in the editor, an overlay with the last five seconds of frame times against
// the 16.7 ms of a 60 Hz frame and the latest frame's split by system; with
// --profile FILE every frame is also written as a CSV row, and the averages go
// to the log at exit. Hidden and without a file, nothing is measured.
#include <cstdio>
#include <deque>
#include <string>

#include "core/frame_profiler.h"

constexpr int kKeyF3 = 292;

// The CSV's header row and one frame's row, without the line end. Columns:
// frame, frame_ms, one <section>_ms per section, then the three most expensive
// script component types of the frame as script1, script1_ms ... script3_ms.
std::string ProfileCsvHeader();
std::string ProfileCsvRow(long frame, const FrameProfile& profile);

class ProfilerView {
public:
    // Opens `csvPath` (when not empty) and writes the header; throws
    // debug::exception when the file cannot be written.
    explicit ProfilerView(const std::string& csvPath);
    // Closes the file and prints one line of averages.
    ~ProfilerView();
    ProfilerView(const ProfilerView&) = delete;
    ProfilerView& operator=(const ProfilerView&) = delete;

    // Whether frames are to be measured: the overlay is shown or a file is written.
    bool Active() const { return shown_ || csv_ != nullptr; }
    void Toggle() { shown_ = !shown_; }
    // Takes a finished frame's profile (ignored while not Active).
    void Record(const FrameProfile& profile);
    // Draws the overlay into the current GUI frame; nothing when hidden.
    void DrawOverlay() const;

private:
    bool shown_ = false;
    FILE* csv_ = nullptr;
    std::string csvPath_;
    long frames_ = 0;  // rows written
    FrameProfile sums_;
    FrameProfile last_;
    std::deque<float> history_;  // frame times in ms, oldest first
};
