#pragma once
// The editor's "Sound" panel: audition the loaded events, make cues from them,
// and play, stop, delete and re-level the cues. The cue table is saved whenever
// the set of cues changes.
//
// The panel's actions are plain functions on the audio system, so they run
// (and are tested) without a window.
#include <cstddef>

class AudioSystem;

namespace editor {

void DrawSoundPanel();

// "Play <i>" on an event: unpauses "Music Bus" and "SFX Bus", stops "Master
// Bus", then starts a new instance of the event at the listener. The instance
// is not kept (it is released once it ends).
void AuditionEvent(AudioSystem& audio, size_t eventIndex);
// "Make Cue": a cue named by the event's name field. A name already in use
// prints "cue already exists" and makes nothing; so do an empty name, the
// field's placeholder "Enter Name" (with a message) and a full table. Saves
// the cue table when a cue was made; returns whether one was.
bool MakeCueFromEvent(AudioSystem& audio, size_t eventIndex);
// "Play Cue <i>": unpauses the two buses, stops "Master Bus", plays the cue at
// its own volume.
void AuditionCue(AudioSystem& audio, size_t cueIndex);
// "Stop Cue <i>": stops "Master Bus", then the channel group "Master Group".
void StopAuditions(AudioSystem& audio);
// "Delete Cue <i>": stops everything, removes the cue and saves the table.
void DeleteCue(AudioSystem& audio, size_t cueIndex);

}  // namespace editor
