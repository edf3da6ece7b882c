#pragma once
// The text behind LastErrorDetail: every public call clears it on entry and a
// failing call fills it, so the log line after a failure says which file or
// entry was at fault and why.
#include <string>

#include "sound/runtime/audio_runtime.h"

namespace audio_rt::detail {

// Clears the detail; called first by every public entry point.
void BeginCall();

// Sets the detail and hands the result back, so a failure reads
// `return Fail(ERR_FILE_BAD, "...")`.
RESULT Fail(RESULT result, std::string text);

}  // namespace audio_rt::detail
