#include "sound/sound_emitter.h"

#include <imgui.h>

#include "engine/events.h"

SoundEmitter::~SoundEmitter() {
    // Once the audio runtime exists this stops the instance with its own
    // fade-out and releases it; until then there is never an instance.
    held = true;
}

std::string SoundEmitter::ListenerName() const {
    return "UpdateEmitterPosition" + std::to_string(owner.GetEntityID());
}

void SoundEmitter::Initialize() {
    events::Connect<float>("LogicUpdate", ListenerName(), [this](float) { Update(); });
}

void SoundEmitter::Remove() { events::Disconnect("LogicUpdate", ListenerName()); }

void SoundEmitter::Update() {
    // Positioning and the restart rule need the audio runtime; without one an
    // emitter stays silent.
}

void SoundEmitter::Copy(RootComponent* source) {
    const SoundEmitter& other = *static_cast<SoundEmitter*>(source);
    position = other.position;
    velocity = other.velocity;
    forward = other.forward;
    up = other.up;
    enclosedDistance = other.enclosedDistance;
    fallOffRate = other.fallOffRate;
    held = other.held;
    cueName = other.cueName;
    instance = other.instance;
}

Json::Value SoundEmitter::Serialize() {
    Json::Value json;
    json["Sound Emitter Cue"] = cueName;
    json["Sound Emitter Distance"] = double(enclosedDistance);
    json["Sound Emitter Fall Off Rate"] = double(fallOffRate);
    return json;
}

void SoundEmitter::Deserialize(Json::Value json) {
    if (json.isMember("Sound Emitter Cue")) cueName = json["Sound Emitter Cue"].asString();
    if (json.isMember("Sound Emitter Distance")) enclosedDistance = json["Sound Emitter Distance"].asFloat();
    if (json.isMember("Sound Emitter Fall Off Rate"))
        fallOffRate = json["Sound Emitter Fall Off Rate"].asFloat();
}

void SoundEmitter::EditInfoDisplay() {
    ImGui::InputFloat("Enclosed Distance", &enclosedDistance);
    ImGui::InputFloat("Fall Off Rate", &fallOffRate);
}
