// Bank handles: loading states, sample loading, and the lists of the bank's
// events and buses.
#include <algorithm>

#include "sound/runtime/studio_state.h"

namespace audio_rt::Studio {

using namespace detail;

RESULT Bank::loadSampleData() {
    BeginCall();
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    if (bank->state != LOADING_STATE_LOADED) return Fail(ERR_FILE_BAD, bank->file + ": the bank did not load");
    // Every file is tried; the result and detail tell of every file that
    // failed, each only the first time.
    RESULT first = OK;
    std::string details;
    for (const EventDescription& ev : bank->events) {
        RESULT r = LoadEventSamples(*State(), ev.slot);
        if (r == OK) continue;
        if (first == OK) first = r;
        details += (details.empty() ? "" : "; ") + std::string(LastErrorDetail());
    }
    bank->sample_state = LOADING_STATE_LOADED;  // a bad file leaves its event silent, the rest plays
    return first == OK ? OK : Fail(first, details);
}

RESULT Bank::getSampleLoadingState(LOADING_STATE* state) const {
    BeginCall();
    if (!state) return Fail(ERR_INVALID_PARAM, "getSampleLoadingState needs a state");
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    // A missing bank reads as failed, so a loop waiting for it ends.
    *state = bank ? bank->sample_state : LOADING_STATE_ERROR;
    return bank ? OK : ERR_INVALID_HANDLE;
}

RESULT Bank::getLoadingState(LOADING_STATE* state) const {
    BeginCall();
    if (!state) return Fail(ERR_INVALID_PARAM, "getLoadingState needs a state");
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    *state = bank ? bank->state : LOADING_STATE_ERROR;
    return bank ? OK : ERR_INVALID_HANDLE;
}

RESULT Bank::getEventCount(int* count) const {
    BeginCall();
    if (!count) return Fail(ERR_INVALID_PARAM, "getEventCount needs a count");
    *count = 0;
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    *count = int(bank->events.size());
    return OK;
}

RESULT Bank::getEventList(EventDescription* array, int capacity, int* count) const {
    BeginCall();
    if (count) *count = 0;
    if (!array || capacity < 0) return Fail(ERR_INVALID_PARAM, "getEventList needs an array");
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    int n = std::min(capacity, int(bank->events.size()));
    for (int i = 0; i < n; ++i) array[i] = bank->events[size_t(i)];
    if (count) *count = n;
    return OK;
}

RESULT Bank::getBusCount(int* count) const {
    BeginCall();
    if (!count) return Fail(ERR_INVALID_PARAM, "getBusCount needs a count");
    *count = 0;
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    *count = int(bank->buses.size());
    return OK;
}

RESULT Bank::getBusList(Bus* array, int capacity, int* count) const {
    BeginCall();
    if (count) *count = 0;
    if (!array || capacity < 0) return Fail(ERR_INVALID_PARAM, "getBusList needs an array");
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    int n = std::min(capacity, int(bank->buses.size()));
    for (int i = 0; i < n; ++i) array[i] = bank->buses[size_t(i)];
    if (count) *count = n;
    return OK;
}

RESULT Bank::getPath(char* path, int size, int* retrieved) const {
    BeginCall();
    BankRecord* bank = Find(&StudioState::banks, slot, generation, "bank");
    if (!bank) return ERR_INVALID_HANDLE;
    return CopyName(bank->path, path, size, retrieved);
}

bool Bank::isValid() const {
    StudioState* s = State();
    return s && s->banks.Get(slot, generation);
}

}  // namespace audio_rt::Studio
