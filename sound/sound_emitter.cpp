#include "sound/sound_emitter.h"

#include <algorithm>
#include <sstream>

#include <glm/geometric.hpp>
#include <imgui.h>
#include <json/json.h>

#include "core/camera.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/json_text.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "ecs/member_location.h"
#include "physics/rigid_body.h"
#include "sound/audio_check.h"
#include "sound/audio_system.h"
#include "sound/cue_table.h"
#include "sound/sound_cue.h"

using namespace audio_rt;

namespace {

VECTOR ToVector(glm::vec3 v) { return {v.x, v.y, v.z}; }

// The owner's rigid-body velocity in the plane, or none.
glm::vec3 OwnerVelocity(engine::entity_handle owner) {
    if (!owner.Has<RigidBody>()) return {0.0f, 0.0f, 0.0f};
    const glm::vec2 v = owner.Get<RigidBody>()->velocity;
    return {v.x, v.y, 0.0f};
}

// The cue names of the table on disk, in table order (the inspector offers
// what the designer has saved, whether or not it is loaded).
std::vector<std::string> CueNamesOnDisk() {
    std::vector<std::string> names;
    const std::optional<std::string> text = ReadWholeFile(kCueTablePath);
    Json::Value root;
    std::string errors;
    if (!text || !ParseJsonText(*text, root, errors) || !root.isObject()) return names;
    const Json::Value& sounds = root["Sounds"];
    if (!sounds.isObject() || !sounds["Cue Number"].isUInt()) return names;
    const unsigned n = std::min(sounds["Cue Number"].asUInt(), kMaxCues);
    for (unsigned i = 0; i < n; ++i) {
        const Json::Value& name = sounds["Sound" + std::to_string(i)];
        if (name.isString()) names.push_back(name.asString());
    }
    return names;
}

}  // namespace

SoundEmitter::~SoundEmitter() {
    if (instance.generation != 0 && instance.isValid()) {
        audio::Check(instance.stop(Studio::STOP_ALLOWFADEOUT));
        audio::Check(instance.release());
    }
    held = true;
}

std::string SoundEmitter::ListenerName() const {
    return "UpdateEmitterPosition" + std::to_string(owner.GetEntityID());
}

void SoundEmitter::Initialize() {
    events::Connect<float>("LogicUpdate", ListenerName(), [this](float) { Update(); });
}

void SoundEmitter::Remove() { events::Disconnect("LogicUpdate", ListenerName()); }

void SoundEmitter::Start() {
    held = false;
    if (cueName.empty()) return;
    AudioSystem* audio = GetAudio();
    if (!audio) return;
    SoundCue* cue = GetCue(*audio, cueName);
    if (!cue || cue->description.generation == 0) return;

    if (instance.generation != 0 && instance.isValid()) {
        audio::Check(instance.stop(Studio::STOP_ALLOWFADEOUT));
        audio::Check(instance.release());
    }
    instance = Studio::EventInstance();
    audio::Check(cue->description.createInstance(&instance));

    _3D_ATTRIBUTES at;
    at.position = ToVector(owner.GetPosition());
    at.velocity = ToVector(OwnerVelocity(owner));
    at.forward = ToVector(forward);
    at.up = ToVector(up);
    audio::Check(instance.set3DAttributes(&at));
    audio::Check(instance.start());
}

void SoundEmitter::Update() {
    AudioSystem* audio = GetAudio();
    if (!audio) return;

    // An emitter without a live instance (never started, or its shared
    // instance released by a copy) counts as stopped, so it starts by itself.
    const bool live = instance.generation != 0 && instance.isValid();
    Studio::PLAYBACK_STATE state = Studio::PLAYBACK_STOPPED;
    if (live) audio::Check(instance.getPlaybackState(&state));

    if (live) {
        const glm::vec3 entityPosition = owner.GetPosition();
        const float d = glm::distance(GetCamera().GetPosition(), entityPosition);
        if (d <= enclosedDistance) {
            audio::Check(instance.set3DAttributes(&audio->Listener()));
        } else {
            position = entityPosition;
            velocity = OwnerVelocity(owner);
            const _3D_ATTRIBUTES at{ToVector(position), ToVector(velocity), ToVector(forward), ToVector(up)};
            audio::Check(instance.set3DAttributes(&at));
            audio::Check(instance.setProperty(Studio::EVENT_PROPERTY_MINIMUM_DISTANCE, enclosedDistance));
            audio::Check(instance.setProperty(Studio::EVENT_PROPERTY_MAXIMUM_DISTANCE, enclosedDistance + fallOffRate));
        }
    }

    if (state == Studio::PLAYBACK_STOPPED && !held) Start();
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

    // The runtime refuses a negative minimum or maximum distance, and Update
    // hands both over on every frame the camera is out of range: one line now
    // instead of errors on every frame.
    auto clamp = [this](float& value, const char* member, const char* what) {
        std::ostringstream line;
        line << MemberLocation(owner, "SoundEmitter", member) << ": " << value << what << "; read as 0";
        Print(line.str());
        value = 0.0f;
    };
    if (enclosedDistance < 0.0f) clamp(enclosedDistance, "Sound Emitter Distance", " is below 0");
    if (enclosedDistance + fallOffRate < 0.0f)
        clamp(fallOffRate, "Sound Emitter Fall Off Rate", " makes the distance plus fall-off rate below 0");
}

void SoundEmitter::ChooseCue(const std::string& name) {
    cueName = name;
    AudioSystem* audio = GetAudio();
    if (!audio || !GetCue(*audio, name)) {
        Print("Error In Getting Cue for emitter");
        held = true;
    }
}

void SoundEmitter::PlayEmit() {
    if (AudioSystem* audio = GetAudio()) {
        audio->SetBusPaused("Music Bus", false);
        audio->SetBusPaused("SFX Bus", false);
        audio->StopBus("Master Bus");
    }
    Start();
}

void SoundEmitter::EditInfoDisplay() {
    const std::vector<std::string> names = CueNamesOnDisk();
    if (ImGui::Button("Select Cue")) ImGui::OpenPopup("Get Cue");
    if (ImGui::BeginPopup("Get Cue")) {
        for (const std::string& name : names)
            if (ImGui::Selectable(name.c_str())) ChooseCue(name);
        ImGui::EndPopup();
    }
    if (ImGui::Button("Play Emit")) PlayEmit();
    ImGui::InputFloat("Enclosed Distance", &enclosedDistance);
    ImGui::InputFloat("Fall Off Rate", &fallOffRate);
    // Typed values are held to what Deserialize accepts from a level file.
    enclosedDistance = std::max(0.0f, enclosedDistance);
    fallOffRate = std::max(-enclosedDistance, fallOffRate);
}
