#pragma once
// Reading a bank file: our JSON bank format (see sound/README.md) into plain
// data, checked entry by entry. Nothing here touches audio; the studio system
// turns a BankDefinition into buses and events.
#include <functional>
#include <string>
#include <vector>

#include "sound/runtime/audio_runtime.h"

namespace audio_rt::detail {

struct EventDefinition {
    std::string path;          // event:/...
    std::string file;          // sound file, already joined to the bank's folder
    std::string bus = "bus:/";
    bool loop = false;
    float volume = 1.0f;       // linear
    bool stream = false;       // also streamed when the file is longer than kStreamAboveSeconds
    float min_distance = 1.0f;   // world units: full volume at or within
    float max_distance = 20.0f;  // world units: silent at or beyond
    float fade_out = 0.1f;       // seconds, used by stop(STOP_ALLOWFADEOUT)
};

struct BankDefinition {
    std::string path;                // bank:/...
    std::vector<std::string> buses;  // as declared, duplicates removed
    std::vector<EventDefinition> events;
};

// Files longer than this are streamed even when the event does not ask.
constexpr double kStreamAboveSeconds = 10.0;

// True for "bus:/" and "bus:/A/B" (no empty segment, no trailing slash).
bool IsBusPath(const std::string& path);
// True for "event:/A" and "event:/A/B".
bool IsEventPath(const std::string& path);

// Parses bank JSON. filename is the bank's file (for the default path, the
// folder of sound files and the detail texts). busKnown says whether a bus
// not declared in this bank exists already (declared by a bank loaded
// before); may be empty. On failure returns ERR_FILE_BAD and sets *why to
// "<file>: <entry>: <what is wrong>".
RESULT ParseBankText(const std::string& text, const std::string& filename,
                     const std::function<bool(const std::string&)>& busKnown, BankDefinition* out,
                     std::string* why);

// Reads the file and parses it; ERR_FILE_NOT_FOUND when it cannot be read.
RESULT ParseBankFile(const std::string& filename, const std::function<bool(const std::string&)>& busKnown,
                     BankDefinition* out, std::string* why);

}  // namespace audio_rt::detail
