#pragma once
// The check every audio runtime call goes through: a failure is printed and
// the game goes on, so a broken sound never stops it.
#include "sound/runtime/audio_runtime.h"

namespace audio {

// Prints "error" + the code in decimal + the runtime's text for it when result
// is not OK, and on a second line what the failure was about (the runtime's
// LastErrorDetail) when it says anything. Returns result.
audio_rt::RESULT Check(audio_rt::RESULT result);

}  // namespace audio
