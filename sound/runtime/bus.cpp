// Bus handles. Mute, pause and volume apply to every instance routed through
// the bus or any bus below it; the change is given to playing voices at once.
#include "sound/runtime/studio_state.h"

namespace audio_rt::Studio {

using namespace detail;

namespace {

// Runs fn on every live instance whose event's bus is bus or below it.
template <class Fn>
void ForInstancesBelow(StudioState& s, uint32_t bus, Fn fn) {
    for (uint32_t i = 0; i < s.instances.slots.size(); ++i) {
        if (!s.instances.Alive(i)) continue;
        InstanceRecord& inst = s.instances.slots[i].value;
        if (BusIsBelow(s, s.events.slots[inst.event].value.bus, bus)) fn(inst);
    }
}

}  // namespace

RESULT Bus::getPath(char* path, int size, int* retrieved) const {
    BeginCall();
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    return CopyName(bus->path, path, size, retrieved);
}

RESULT Bus::setMute(bool mute) {
    BeginCall();
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    bus->mute = mute;
    StudioState& s = *State();
    auto now = Now();
    ForInstancesBelow(s, slot, [&](InstanceRecord& inst) { ApplyGain(s, inst, now); });
    return OK;
}

RESULT Bus::getMute(bool* mute) const {
    BeginCall();
    if (!mute) return Fail(ERR_INVALID_PARAM, "getMute needs somewhere to put the answer");
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    *mute = bus->mute;
    return OK;
}

RESULT Bus::setPaused(bool paused) {
    BeginCall();
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    bus->paused = paused;
    StudioState& s = *State();
    auto now = Now();
    ForInstancesBelow(s, slot, [&](InstanceRecord& inst) {
        if (inst.state != PLAYBACK_STOPPED) RefreshPause(s, inst, now);
    });
    return OK;
}

RESULT Bus::getPaused(bool* paused) const {
    BeginCall();
    if (!paused) return Fail(ERR_INVALID_PARAM, "getPaused needs somewhere to put the answer");
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    *paused = bus->paused;
    return OK;
}

RESULT Bus::setVolume(float volume) {
    BeginCall();
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    if (!(volume >= 0.0f) || volume > 1e6f) return Fail(ERR_INVALID_PARAM, "a bus volume is a factor of 0 or more");
    bus->volume = volume;
    StudioState& s = *State();
    auto now = Now();
    ForInstancesBelow(s, slot, [&](InstanceRecord& inst) { ApplyGain(s, inst, now); });
    return OK;
}

RESULT Bus::stopAllEvents(STOP_MODE mode) {
    BeginCall();
    BusRecord* bus = Find(&StudioState::buses, slot, generation, "bus");
    if (!bus) return ERR_INVALID_HANDLE;
    StudioState& s = *State();
    ForInstancesBelow(s, slot, [&](InstanceRecord& inst) { StopInstance(s, inst, mode); });
    return OK;
}

bool Bus::isValid() const {
    StudioState* s = State();
    return s && s->buses.Get(slot, generation);
}

}  // namespace audio_rt::Studio
