#include "sound/sound_space.h"

#include "engine/events.h"

namespace {

// Sound spaces currently initialised; the listener exists exactly while this is
// above 0.
int& LiveSpaces() {
    static int count = 0;
    return count;
}

}  // namespace

void SoundSpace::Initialize() {
    // Connect anew each time; a listener missing while spaces are counted means
    // the event registry was rebuilt under them (a new engine, tests), so the
    // count starts again.
    if (events::IsRegistered("LevelLoad") && !events::Disconnect("LevelLoad", kListenerName)) LiveSpaces() = 0;
    events::Connect<Json::Value*>("LevelLoad", kListenerName, [](Json::Value*) { OnLevelLoad(); });
    ++LiveSpaces();
}

void SoundSpace::Remove() {
    if (LiveSpaces() > 0) --LiveSpaces();
    if (LiveSpaces() == 0) events::Disconnect("LevelLoad", kListenerName);
}

void SoundSpace::OnLevelLoad() {
    // Re-applies the player's mutes once the audio runtime exists; until then
    // there is nothing to mute.
}
