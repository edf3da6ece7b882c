// Event instance handles: start and stop, volume, timeline, state, 3D
// attributes and the per-instance distance properties.
#include <cmath>

#include "sound/runtime/studio_state.h"

namespace audio_rt::Studio {

using namespace detail;

namespace {

InstanceRecord* FindInstance(uint32_t slot, uint32_t generation) {
    return Find(&StudioState::instances, slot, generation, "event instance");
}

bool Finite(const VECTOR& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

RESULT EventInstance::start() {
    BeginCall();
    if (!FindInstance(slot, generation)) return ERR_INVALID_HANDLE;
    return StartInstance(*State(), slot);
}

RESULT EventInstance::stop(STOP_MODE mode) {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (mode != STOP_IMMEDIATE && mode != STOP_ALLOWFADEOUT) return Fail(ERR_INVALID_PARAM, "unknown stop mode");
    StopInstance(*State(), *inst, mode);
    return OK;
}

RESULT EventInstance::release() {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (inst->state == PLAYBACK_STOPPED)
        State()->instances.Remove(slot);
    else
        inst->release_pending = true;  // update() removes it once it has stopped
    return OK;
}

RESULT EventInstance::setVolume(float volume) {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (!(volume >= 0.0f) || volume > 1e6f) return Fail(ERR_INVALID_PARAM, "a volume is a factor of 0 or more");
    inst->volume = volume;
    ApplyGain(*State(), *inst, Now());
    return OK;
}

RESULT EventInstance::getVolume(float* volume, float* finalvolume) const {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (volume) *volume = inst->volume;
    if (finalvolume) *finalvolume = inst->state == PLAYBACK_STOPPED ? 0.0f : FinalGain(*State(), *inst, Now());
    return OK;
}

RESULT EventInstance::getTimelinePosition(int* position) const {
    BeginCall();
    if (!position) return Fail(ERR_INVALID_PARAM, "getTimelinePosition needs a position");
    *position = 0;
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    *position = int(TimelineMs(*inst, Now()));
    return OK;
}

RESULT EventInstance::getPlaybackState(PLAYBACK_STATE* state) const {
    BeginCall();
    if (!state) return Fail(ERR_INVALID_PARAM, "getPlaybackState needs a state");
    InstanceRecord* inst = FindInstance(slot, generation);
    // A missing instance reads as stopped: nothing of it is playing.
    *state = inst ? inst->state : PLAYBACK_STOPPED;
    return inst ? OK : ERR_INVALID_HANDLE;
}

RESULT EventInstance::set3DAttributes(const _3D_ATTRIBUTES* attributes) {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (!attributes) return Fail(ERR_INVALID_PARAM, "set3DAttributes needs attributes");
    if (!Finite(attributes->position) || !Finite(attributes->velocity))
        return Fail(ERR_INVALID_PARAM, "3D attributes must be finite numbers");
    inst->attributes = *attributes;
    inst->moved = true;
    ApplyGain(*State(), *inst, Now());
    return OK;
}

RESULT EventInstance::get3DAttributes(_3D_ATTRIBUTES* attributes) const {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (!attributes) return Fail(ERR_INVALID_PARAM, "get3DAttributes needs somewhere to put them");
    *attributes = inst->attributes;
    return OK;
}

RESULT EventInstance::setProperty(EVENT_PROPERTY index, float value) {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (!(value >= 0.0f) || !std::isfinite(value)) return Fail(ERR_INVALID_PARAM, "a distance is 0 or more");
    if (index == EVENT_PROPERTY_MINIMUM_DISTANCE)
        inst->min_distance = value;
    else if (index == EVENT_PROPERTY_MAXIMUM_DISTANCE)
        inst->max_distance = value;
    else
        return Fail(ERR_INVALID_PARAM, "unknown event property");
    ApplyGain(*State(), *inst, Now());
    return OK;
}

RESULT EventInstance::getProperty(EVENT_PROPERTY index, float* value) const {
    BeginCall();
    InstanceRecord* inst = FindInstance(slot, generation);
    if (!inst) return ERR_INVALID_HANDLE;
    if (!value) return Fail(ERR_INVALID_PARAM, "getProperty needs a value");
    if (index == EVENT_PROPERTY_MINIMUM_DISTANCE)
        *value = inst->min_distance;
    else if (index == EVENT_PROPERTY_MAXIMUM_DISTANCE)
        *value = inst->max_distance;
    else
        return Fail(ERR_INVALID_PARAM, "unknown event property");
    return OK;
}

bool EventInstance::isValid() const {
    StudioState* s = State();
    return s && s->instances.Get(slot, generation);
}

}  // namespace audio_rt::Studio
