#pragma once
// SoundEmitter: plays one sound cue's event at its entity. Within the enclosed
// distance of the camera the sound is heard at full strength; beyond it the
// sound fades out over the fall-off distance. The emitter restarts its sound
// whenever it stops, so emitters loop.
//
// JSON members: "Sound Emitter Cue" (string), "Sound Emitter Distance" and
// "Sound Emitter Fall Off Rate" (numbers, world units). A member that is absent
// keeps its default; reading never starts the sound. A negative distance, or a
// fall-off rate that makes the distance plus fall-off negative, is read as 0
// with one line naming where it came from.
#include <string>

#include <glm/vec3.hpp>

#include "ecs/root_component.h"
#include "sound/runtime/audio_runtime.h"

class SoundEmitter : public BaseComponent<SoundEmitter> {
public:
    glm::vec3 position{0.0f, 0.0f, 0.0f};  // last position handed to the runtime
    glm::vec3 velocity{0.0f, 0.0f, 0.0f};  // last velocity handed to the runtime
    glm::vec3 forward{0.0f, 1.0f, 0.0f};
    glm::vec3 up{0.0f, 0.0f, 1.0f};
    float enclosedDistance = 30.0f;  // world units of full-strength sound; the runtime's minimum distance
    float fallOffRate = 10.0f;       // world units added to enclosedDistance for the maximum distance
    bool held = false;               // true: not restarted automatically
    std::string cueName;             // empty: silent
    // The emitter's own instance of the cue's event; empty until the emitter
    // first starts. Copies share it (both emitters then drive the same
    // instance); a released or stale handle counts as stopped.
    audio_rt::Studio::EventInstance instance;

    // Stops the instance with the event's own fade-out and releases it.
    ~SoundEmitter() override;
    void Initialize() override;  // connects "UpdateEmitterPosition<id>" to "LogicUpdate"
    void Remove() override;      // disconnects it
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // Starts the cue's event afresh at the entity (also the "Play Emit"
    // button). Clears held; an empty or unknown cue name leaves it silent.
    void Start();

    // The per-frame step run by the "LogicUpdate" listener: within the
    // enclosed distance of the camera the sound is placed at the listener
    // (undiminished); beyond it at the entity, with the runtime's minimum
    // distance = enclosedDistance and maximum = enclosedDistance + fallOffRate.
    // A stopped (or not yet started) instance is started again unless held.
    void Update();

    // The inspector's actions. ChooseCue sets the cue name; a cue that is not
    // loaded prints "Error In Getting Cue for emitter" and holds the emitter.
    // PlayEmit unpauses "Music Bus" and "SFX Bus", stops everything on
    // "Master Bus" and starts the emitter.
    void ChooseCue(const std::string& name);
    void PlayEmit();

    std::string ListenerName() const;
};
