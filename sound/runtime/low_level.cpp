// The low-level system and its channel groups. The engine keeps named groups
// to stop auditions by name; nothing is routed into them by the studio
// system, so stopping one stops only voices started in it (none).
#include "sound/runtime/studio_state.h"

namespace audio_rt {

using namespace detail;

namespace {

StudioState* Live(const char* call) {
    StudioState* s = State();
    if (!s || !s->initialized) Fail(ERR_NOT_INITIALIZED, std::string(call) + " with no initialized studio system");
    return s && s->initialized ? s : nullptr;
}

}  // namespace

RESULT System::createChannelGroup(const char* name, ChannelGroup* group) {
    BeginCall();
    if (!name || !group) return Fail(ERR_INVALID_PARAM, "createChannelGroup needs a name and a group");
    *group = ChannelGroup();
    StudioState* s = Live("createChannelGroup");
    if (!s) return ERR_NOT_INITIALIZED;
    uint32_t generation = 0;
    uint32_t slot = s->groups.Add(ChannelGroupRecord{name}, &generation);
    *group = ChannelGroup{slot, generation};
    return OK;
}

// Stored and reported only: each event has its own attenuation (min and max
// distance), which the roll-off scale does not change, and events play
// without Doppler.
RESULT System::set3DSettings(float dopplerscale, float distancefactor, float rolloffscale) {
    BeginCall();
    StudioState* s = Live("set3DSettings");
    if (!s) return ERR_NOT_INITIALIZED;
    if (!(dopplerscale >= 0.0f) || !(distancefactor > 0.0f) || !(rolloffscale >= 0.0f))
        return Fail(ERR_INVALID_PARAM, "3D settings: Doppler and roll-off scales 0 or more, distance factor above 0");
    s->doppler_scale = dopplerscale;
    s->distance_factor = distancefactor;
    s->rolloff_scale = rolloffscale;
    return OK;
}

RESULT System::get3DSettings(float* dopplerscale, float* distancefactor, float* rolloffscale) const {
    BeginCall();
    StudioState* s = Live("get3DSettings");
    if (!s) return ERR_NOT_INITIALIZED;
    if (dopplerscale) *dopplerscale = s->doppler_scale;
    if (distancefactor) *distancefactor = s->distance_factor;
    if (rolloffscale) *rolloffscale = s->rolloff_scale;
    return OK;
}

// The studio system's update does the work; this one only checks the system is live.
RESULT System::update() {
    BeginCall();
    return Live("update") ? OK : ERR_NOT_INITIALIZED;
}

RESULT ChannelGroup::getName(char* name, int namelen) const {
    BeginCall();
    ChannelGroupRecord* group = Find(&StudioState::groups, slot, generation, "channel group");
    if (!group) return ERR_INVALID_HANDLE;
    if (!name) return Fail(ERR_INVALID_PARAM, "getName needs a buffer");
    return CopyName(group->name, name, namelen, nullptr);
}

RESULT ChannelGroup::stop() {
    BeginCall();
    return Find(&StudioState::groups, slot, generation, "channel group") ? OK : ERR_INVALID_HANDLE;
}

bool ChannelGroup::isValid() const {
    StudioState* s = State();
    return s && s->groups.Get(slot, generation);
}

}  // namespace audio_rt
