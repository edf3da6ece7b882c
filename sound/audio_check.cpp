#include "sound/audio_check.h"

#include <string>

#include "core/log.h"

using namespace audio_rt;

namespace audio {

RESULT Check(RESULT result) {
    if (result == OK) return result;
    const std::string detail = LastErrorDetail();
    Print("error" + std::to_string(int(result)) + ErrorString(result));
    if (!detail.empty()) Print(detail);
    return result;
}

}  // namespace audio
