// Event description handles: the event's path, its sample data and new instances.
#include "sound/runtime/studio_state.h"

namespace audio_rt::Studio {

using namespace detail;

RESULT EventDescription::getPath(char* path, int size, int* retrieved) const {
    BeginCall();
    EventRecord* ev = Find(&StudioState::events, slot, generation, "event description");
    if (!ev) return ERR_INVALID_HANDLE;
    return CopyName(ev->def.path, path, size, retrieved);
}

RESULT EventDescription::loadSampleData() {
    BeginCall();
    if (!Find(&StudioState::events, slot, generation, "event description")) return ERR_INVALID_HANDLE;
    return LoadEventSamples(*State(), slot);
}

RESULT EventDescription::createInstance(EventInstance* instance) const {
    BeginCall();
    if (!instance) return Fail(ERR_INVALID_PARAM, "createInstance needs somewhere to put the instance");
    *instance = EventInstance();
    EventRecord* ev = Find(&StudioState::events, slot, generation, "event description");
    if (!ev) return ERR_INVALID_HANDLE;
    InstanceRecord inst;
    inst.event = slot;
    inst.min_distance = ev->def.min_distance;
    inst.max_distance = ev->def.max_distance;
    uint32_t gen = 0;
    uint32_t s = State()->instances.Add(std::move(inst), &gen);
    *instance = EventInstance{s, gen};
    return OK;
}

bool EventDescription::isValid() const {
    StudioState* s = State();
    return s && s->events.Get(slot, generation);
}

}  // namespace audio_rt::Studio
