// The runtime's own texts for its result codes, and the detail of the last
// failure.
#include <string>

#include "sound/runtime/error_detail.h"

namespace audio_rt {

namespace {

const char* const kResultText[RESULT_COUNT] = {
    "No error.",
    "The handle is empty, released or stale.",
    "An argument is invalid (null pointer, bad index or too small a buffer).",
    "A bank or sound file could not be opened.",
    "A bank is not valid bank JSON, or a sound file is not audio.",
    "No event has that path.",
    "No bus has that path.",
    "The audio system is not initialized yet.",
    "The audio system is already initialized.",
    "No audio output device could be opened; playing silently.",
    "Out of memory.",
    "The name did not fit in the buffer and was cut short.",
    "That bank is already loaded.",
    "Internal error in the audio runtime.",
};

std::string g_detail;

}  // namespace

const char* ErrorString(int result) {
    if (result < 0 || result >= RESULT_COUNT) return "Unknown error.";
    return kResultText[result];
}

const char* LastErrorDetail() { return g_detail.c_str(); }

namespace detail {

void BeginCall() { g_detail.clear(); }

RESULT Fail(RESULT result, std::string text) {
    g_detail = std::move(text);
    return result;
}

}  // namespace detail
}  // namespace audio_rt
