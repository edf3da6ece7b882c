#include "sound/sound_space.h"

#include "core/events.h"
#include "sound/audio_system.h"

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
    // A level load stops the master bus but leaves its mute alone; the music
    // cues of the new level are the same cue objects. Reapplying both keeps the
    // player's choice whatever the level did in between.
    if (AudioSystem* audio = GetAudio()) audio->ReapplyMutes();
}
