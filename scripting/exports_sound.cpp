// Exports: sound. The audio runtime is not part of this build yet, so these
// accept their arguments and answer with the state a silent game has: nothing
// plays and nothing is muted.
#include "scripting/lb_exports.h"

extern "C" void lb_sounds_play(const char* cue) {}
extern "C" void lb_sounds_stop(const char* cue) {}
extern "C" void lb_sounds_play_hover(void) {}
extern "C" void lb_sounds_play_select(void) {}
extern "C" void lb_sounds_mute_all(bool on) {}
extern "C" bool lb_sounds_all_muted(void) { return false; }
extern "C" void lb_sounds_mute_music(bool on) {}
extern "C" bool lb_sounds_music_muted(void) { return false; }
