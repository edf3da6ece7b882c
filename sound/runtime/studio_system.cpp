// The studio system: creation and shut-down, the output, bank loading (turning
// a parsed bank into buses, events and shared sounds), look-ups by path, the
// listener and the per-frame update.
#include <cstring>

#include "sound/runtime/studio_state.h"

namespace audio_rt {

namespace detail {

namespace {
StudioState* g_state = nullptr;
Studio::System* g_system = nullptr;
uint32_t g_generation = 0;
}  // namespace

StudioState* State() { return g_state; }

uint32_t NextGeneration() {
    if (++g_generation == 0) ++g_generation;  // 0 marks the empty handle
    return g_generation;
}

RESULT CopyName(const std::string& name, char* out, int size, int* retrieved) {
    int needed = int(name.size()) + 1;
    if (retrieved) *retrieved = needed;
    if (!out) return OK;
    if (size <= 0) return Fail(ERR_INVALID_PARAM, "the name buffer has no room");
    if (needed <= size) {
        std::memcpy(out, name.c_str(), size_t(needed));
        return OK;
    }
    std::memcpy(out, name.data(), size_t(size - 1));
    out[size - 1] = '\0';
    return Fail(ERR_TRUNCATED, "\"" + name + "\" needs " + std::to_string(needed) + " bytes, the buffer has " +
                                   std::to_string(size));
}

namespace {

bool SystemIsLive(const Studio::System* system) { return system && system == g_system && g_state; }

// The bus with this path, made (with the buses above it) when new.
uint32_t EnsureBus(StudioState& s, const std::string& path) {
    auto found = s.bus_by_path.find(path);
    if (found != s.bus_by_path.end()) return found->second;
    int parent = kNoBus;
    if (path != "bus:/") {
        size_t slash = path.find_last_of('/');
        std::string above = slash <= 4 ? std::string("bus:/") : path.substr(0, slash);
        parent = int(EnsureBus(s, above));
    }
    BusRecord bus;
    bus.path = path;
    bus.parent = parent;
    uint32_t generation = 0;
    uint32_t slot = s.buses.Add(std::move(bus), &generation);
    s.bus_by_path[path] = slot;
    return slot;
}

uint32_t EnsureSound(StudioState& s, const std::string& file) {
    auto found = s.sound_by_file.find(file);
    if (found != s.sound_by_file.end()) return found->second;
    SoundRecord snd;
    snd.file = file;
    s.sounds.push_back(std::move(snd));
    s.sound_by_file[file] = uint32_t(s.sounds.size() - 1);
    return uint32_t(s.sounds.size() - 1);
}

std::string DefaultBankPath(const std::string& file) {
    size_t slash = file.find_last_of('/');
    std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return "bank:/" + (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
}

}  // namespace
}  // namespace detail

namespace Studio {

using namespace detail;

RESULT System::create(System** system, unsigned headerversion) {
    BeginCall();
    if (!system) return Fail(ERR_INVALID_PARAM, "create needs somewhere to put the system");
    *system = nullptr;
    if (headerversion != HEADER_VERSION)
        return Fail(ERR_INVALID_PARAM, "the caller was built against another audio runtime header version");
    if (g_state) return Fail(ERR_INITIALIZED, "a studio system exists already; release it first");
    g_state = new StudioState();
    g_system = new System();
    *system = g_system;
    return OK;
}

RESULT System::initialize(int maxchannels, unsigned studioflags, unsigned flags, void* extradriverdata) {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    StudioState& s = *g_state;
    if (s.initialized) return Fail(ERR_INITIALIZED, "initialize was called before");
    if (maxchannels <= 0) return Fail(ERR_INVALID_PARAM, "maxchannels must be at least 1");
    RESULT result = OK;
    std::string why;
    if (!(flags & INIT_NULL_OUTPUT))
        s.output = OpenOpenALOutput(maxchannels, static_cast<const char*>(extradriverdata), &why);
    if (!s.output) {
        s.output = MakeNullOutput(maxchannels);
        if (!(flags & INIT_NULL_OUTPUT)) result = Fail(ERR_OUTPUT_INIT, why + "; playing on the silent null output");
    }
    s.voice_owner.assign(size_t(s.output->VoiceCount()), UINT32_MAX);
    s.free_voices.clear();
    for (int v = s.output->VoiceCount() - 1; v >= 0; --v) s.free_voices.push_back(v);
    EnsureBus(s, "bus:/");
    s.initialized = true;
    return result;
}

RESULT System::getLowLevelSystem(audio_rt::System** system) {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (!system) return Fail(ERR_INVALID_PARAM, "getLowLevelSystem needs somewhere to put the system");
    static audio_rt::System low_level;  // stateless: it works on the live system
    *system = &low_level;
    return OK;
}

RESULT System::loadBankFile(const char* filename, unsigned flags, Bank* bank) {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    StudioState& s = *g_state;
    if (!s.initialized) return Fail(ERR_NOT_INITIALIZED, "loadBankFile before initialize");
    if (!filename || !bank) return Fail(ERR_INVALID_PARAM, "loadBankFile needs a file name and a bank");
    *bank = Bank();
    std::string file = filename;

    // The same file again: the bank it made (a failed one is tried afresh).
    uint32_t retry_slot = UINT32_MAX;
    for (uint32_t slot = 0; slot < s.banks.slots.size(); ++slot) {
        if (!s.banks.Alive(slot) || s.banks.slots[slot].value.file != file) continue;
        if (s.banks.slots[slot].value.state == LOADING_STATE_LOADED) {
            *bank = Bank{slot, s.banks.slots[slot].generation};
            return Fail(ERR_BANK_ALREADY_LOADED, file + ": this bank file is loaded already");
        }
        retry_slot = slot;
    }

    BankDefinition def;
    std::string why;
    auto bus_known = [&s](const std::string& path) { return s.bus_by_path.count(path) > 0; };
    RESULT result = ParseBankFile(file, bus_known, &def, &why);
    if (result == OK) {
        for (uint32_t slot = 0; slot < s.banks.slots.size() && result == OK; ++slot) {
            if (s.banks.Alive(slot) && s.banks.slots[slot].value.state == LOADING_STATE_LOADED &&
                s.banks.slots[slot].value.path == def.path) {
                why = file + ": its path " + def.path + " is taken by the loaded bank " +
                      s.banks.slots[slot].value.file;
                result = ERR_BANK_ALREADY_LOADED;
            }
        }
        for (size_t i = 0; i < def.events.size() && result == OK; ++i) {
            if (s.event_by_path.count(def.events[i].path)) {
                why = file + ": events[" + std::to_string(i) + "] (" + def.events[i].path +
                      "): the event is already defined by another bank";
                result = ERR_FILE_BAD;
            }
        }
    }

    BankRecord record;
    record.file = file;
    if (result != OK) {
        // Kept, in the error state, so whoever polls its loading state stops waiting.
        record.path = DefaultBankPath(file);
        record.state = LOADING_STATE_ERROR;
        record.sample_state = LOADING_STATE_ERROR;
        uint32_t generation = 0;
        if (retry_slot != UINT32_MAX) s.banks.Remove(retry_slot);
        uint32_t slot = s.banks.Add(std::move(record), &generation);
        *bank = Bank{slot, generation};
        return Fail(result, why);
    }

    record.path = def.path;
    record.state = LOADING_STATE_LOADED;
    for (const std::string& path : def.buses) {
        uint32_t slot = EnsureBus(s, path);
        record.buses.push_back(Bus{slot, s.buses.slots[slot].generation});
    }
    for (EventDefinition& ev : def.events) {
        EventRecord event;
        event.bus = EnsureBus(s, ev.bus);
        event.sound = EnsureSound(s, ev.file);
        event.def = std::move(ev);
        std::string path = event.def.path;
        uint32_t generation = 0;
        uint32_t slot = s.events.Add(std::move(event), &generation);
        s.event_by_path[path] = slot;
        record.events.push_back(EventDescription{slot, generation});
    }
    if (retry_slot != UINT32_MAX) s.banks.Remove(retry_slot);
    uint32_t generation = 0;
    uint32_t slot = s.banks.Add(std::move(record), &generation);
    *bank = Bank{slot, generation};
    return OK;
}

RESULT System::getEvent(const char* path, EventDescription* description) const {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (!path || !description) return Fail(ERR_INVALID_PARAM, "getEvent needs a path and a description");
    *description = EventDescription();
    auto found = g_state->event_by_path.find(path);
    if (found == g_state->event_by_path.end())
        return Fail(ERR_EVENT_NOT_FOUND, std::string("no loaded bank has the event ") + path);
    *description = EventDescription{found->second, g_state->events.slots[found->second].generation};
    return OK;
}

RESULT System::getBus(const char* path, Bus* bus) const {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (!path || !bus) return Fail(ERR_INVALID_PARAM, "getBus needs a path and a bus");
    *bus = Bus();
    auto found = g_state->bus_by_path.find(path);
    if (found == g_state->bus_by_path.end())
        return Fail(ERR_BUS_NOT_FOUND, std::string("no loaded bank has the bus ") + path);
    *bus = Bus{found->second, g_state->buses.slots[found->second].generation};
    return OK;
}

RESULT System::update() {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (!g_state->initialized) return Fail(ERR_NOT_INITIALIZED, "update before initialize");
    UpdatePlayback(*g_state);
    return OK;
}

RESULT System::setListenerAttributes(int listener, const _3D_ATTRIBUTES* attributes) {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (listener != 0 || !attributes) return Fail(ERR_INVALID_PARAM, "there is one listener, 0, and it needs attributes");
    g_state->listener = *attributes;
    return OK;
}

RESULT System::getListenerAttributes(int listener, _3D_ATTRIBUTES* attributes) const {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released");
    if (listener != 0 || !attributes) return Fail(ERR_INVALID_PARAM, "there is one listener, 0, and it needs attributes");
    *attributes = g_state->listener;
    return OK;
}

RESULT System::release() {
    BeginCall();
    if (!SystemIsLive(this)) return Fail(ERR_INVALID_HANDLE, "the studio system was released already");
    StudioState* s = g_state;
    if (s->output) {
        StopAllVoices(*s);
        for (uint32_t slot = 0; slot < s->instances.slots.size(); ++slot)
            if (s->instances.Alive(slot)) s->instances.slots[slot].value.decoder.reset();
        s->output.reset();  // deletes the sources, then the buffers, the context; closes the device
    }
    delete s;
    g_state = nullptr;
    g_system = nullptr;
    delete this;
    return OK;
}

}  // namespace Studio
}  // namespace audio_rt
