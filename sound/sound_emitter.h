#pragma once
// SoundEmitter: plays one sound cue's event at its entity. Within the enclosed
// distance of the camera the sound is heard at full strength; beyond it the
// sound fades out over the fall-off distance. The emitter restarts its sound
// whenever it stops, so emitters loop.
//
// JSON members: "Sound Emitter Cue" (string), "Sound Emitter Distance" and
// "Sound Emitter Fall Off Rate" (numbers, world units). A member that is absent
// keeps its default; reading never starts the sound.
#include <string>

#include <glm/vec3.hpp>

#include "ecs/root_component.h"

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
    // The audio runtime's event instance; null until the emitter first starts.
    // Copies share it (both emitters then drive the same instance).
    void* instance = nullptr;

    ~SoundEmitter() override;
    void Initialize() override;  // connects "UpdateEmitterPosition<id>" to "LogicUpdate"
    void Remove() override;      // disconnects it
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // The per-frame step run by the "LogicUpdate" listener.
    void Update();

    std::string ListenerName() const;
};
