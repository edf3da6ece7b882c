#pragma once
// The cue table, Audio/SoundStorage.json: every cue's name, event path and
// volume, read at start-up and written back at shut-down and by the cue editor.
//
//   {"Sounds": {"Cue Number": 2, "Sound0": "Title", "Evt0": "event:/Music/Title",
//               "Vol0": 0.8, "Sound1": ..., ...}}
//
// Indexes are decimal without leading zeros, 0 to 999: a table holds at most
// kMaxCues cues.
#include <string>

class AudioSystem;

constexpr unsigned kMaxCues = 1000;
constexpr const char* kCueTablePath = "Audio/SoundStorage.json";
constexpr const char* kCueLocationPath = "Audio/Cue Location";

// Replaces the cue list with the table's cues, in order. A missing file or one
// that is not valid JSON throws debug::exception with the JSON reader's error
// (the installation is broken); a "Cue Number" above kMaxCues loads the first
// kMaxCues and says so. Cues that share a name are all kept (a save writes them
// back) and named in one line per name; only the first of them is played.
void LoadCueTable(AudioSystem& audio, const std::string& path = kCueTablePath);

// Rewrites the table from the cue list (at most kMaxCues cues; the rest are
// named in the log). The file is written beside the old one and renamed over
// it, so it is never left half-written. Returns false (and prints why) when it
// could not be written.
bool SaveCueTable(AudioSystem& audio, const std::string& path = kCueTablePath);

// Creates "Audio/Cue Location" empty (or empties it), the marker the editor
// leaves when it opens; prints "coldn't open Cue Location for write" when it
// cannot.
void CreateCueLocationMarker(const std::string& path = kCueLocationPath);
