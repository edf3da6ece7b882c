#include "sound/audio_system.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/log.h"

using namespace audio_rt;

namespace {
AudioSystem* g_audio = nullptr;

// How long start-up waits for one bank to finish loading before it gives up
// on it (the runtime reports an error state long before this for a bad bank).
constexpr double kBankLoadLimitSeconds = 30.0;

// Polls a bank's loading state (sample data or metadata), updating the runtime
// between polls, until it is loaded. A bank that failed (error state, or the
// query itself fails) ends the wait at once; returns whether it loaded.
template <class Query>
bool WaitLoaded(Studio::System* studio, Query query, const char* what) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        Studio::LOADING_STATE state = Studio::LOADING_STATE_UNLOADED;
        if (audio::Check(query(&state)) != OK) return false;
        if (state == Studio::LOADING_STATE_LOADED) return true;
        if (state == Studio::LOADING_STATE_ERROR) return false;
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > kBankLoadLimitSeconds) {
            Print(std::string("Audio: ") + what + " did not finish loading; going on without it");
            return false;
        }
        audio::Check(studio->update());
    }
}
}  // namespace

AudioSystem* GetAudio() { return g_audio; }

namespace audio {

bool ReadListFile(const std::string& path, std::vector<std::string>* lines) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    char buffer[256];
    while (!std::feof(file)) {
        // The line counts only when the read stopped at its line break (or at
        // the buffer's end) rather than at the end of the file.
        if (!std::fgets(buffer, sizeof buffer, file) || std::feof(file)) break;
        const size_t length = std::strlen(buffer);
        lines->push_back(std::string(buffer, length > 0 ? length - 1 : 0));
    }
    std::fclose(file);
    return true;
}

std::string BusNameFromPath(const std::string& path) {
    if (path == "bus:/") return "Master Bus";
    return (path.size() > 5 ? path.substr(5) : std::string()) + " Bus";
}

}  // namespace audio

AudioSystem::AudioSystem() { g_audio = this; }

AudioSystem::~AudioSystem() {
    cues.clear();  // each cue releases its instance and its fade listeners
    if (studio_) audio::Check(studio_->release());
    studio_ = nullptr;
    lowLevel_ = nullptr;
    if (g_audio == this) g_audio = nullptr;
}

void AudioSystem::Initialize(bool nullOutput) {
    audio::Check(Studio::System::create(&studio_, Studio::HEADER_VERSION));
    if (studio_) {
        const RESULT init = studio_->initialize(512, Studio::INIT_NORMAL, nullOutput ? INIT_NULL_OUTPUT : 0, nullptr);
        if (init == ERR_OUTPUT_INIT) {
            // The runtime keeps working without a device; one line says why the
            // game is silent instead of an error on every call.
            hasOutput_ = false;
            const std::string why = LastErrorDetail();
            Print("Audio: no sound device could be opened" + (why.empty() ? std::string() : " (" + why + ")") +
                  "; the game runs without sound.");
        } else {
            audio::Check(init);
        }
        audio::Check(studio_->getLowLevelSystem(&lowLevel_));
    }
    if (lowLevel_) {
        // The first three exist for the runtime's own routing; only the named
        // groups are kept.
        for (const char* name : {"MasterGroup", "SoundGroup", "StreamGroup"}) {
            ChannelGroup group;
            audio::Check(lowLevel_->createChannelGroup(name, &group));
        }
        for (const char* name : {"Master Group", "Music Group", "SFX Group"}) {
            ChannelGroup group;
            audio::Check(lowLevel_->createChannelGroup(name, &group));
            channelGroups_.push_back(group);
        }
    }

    std::vector<std::string> bankLines, stringLines;
    const bool banksOpened = audio::ReadListFile("audio/bankFiles.txt", &bankLines);
    const bool stringsOpened = audio::ReadListFile("audio/stringFiles.txt", &stringLines);
    if (!banksOpened) {
        Print("could't open bankFiles.txt");
        std::exit(-1);
    }
    if (!stringsOpened) {
        Print("could't open stringFiles.txt");
        std::exit(-1);
    }
    if (!studio_) return;

    LoadBanks(bankLines);
    LoadStringBanks(stringLines);
    Discover();
}

void AudioSystem::LoadBanks(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string path = ("audio/" + line).substr(0, 255);
        Studio::Bank bank;
        if (audio::Check(studio_->loadBankFile(path.c_str(), Studio::LOAD_BANK_NORMAL, &bank)) != OK) continue;
        audio::Check(bank.loadSampleData());
        const bool loaded = WaitLoaded(
            studio_, [&](Studio::LOADING_STATE* s) { return bank.getSampleLoadingState(s); }, path.c_str());
        // A bank whose samples failed has been reported; the game goes on
        // without it.
        if (loaded) banks_.push_back(bank);
    }
}

void AudioSystem::LoadStringBanks(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string path = ("audio/" + line).substr(0, 255);
        Studio::Bank bank;
        audio::Check(studio_->loadBankFile(path.c_str(), Studio::LOAD_BANK_NORMAL, &bank));
    }
}

void AudioSystem::Discover() {
    int total = 0;
    for (const Studio::Bank& bank : banks_) {
        int events = 0, buses = 0;
        audio::Check(bank.getEventCount(&events));
        audio::Check(bank.getBusCount(&buses));
        total += events + buses;
    }
    std::vector<Studio::EventDescription> descriptions(static_cast<size_t>(total));
    std::vector<Studio::Bus> busList(static_cast<size_t>(total));

    for (Studio::Bank& bank : banks_) {
        char path[256] = "";
        int retrieved = 0;
        audio::Check(bank.getPath(path, sizeof path, &retrieved));
        Print(path);
        audio::Check(bank.loadSampleData());
        WaitLoaded(studio_, [&](Studio::LOADING_STATE* s) { return bank.getLoadingState(s); }, path);

        int eventCount = 0, busCount = 0;
        audio::Check(bank.getEventList(descriptions.data(), total, &eventCount));
        audio::Check(bank.getBusList(busList.data(), total, &busCount));

        for (int i = 0; i < busCount; ++i) {
            char busPath[256] = "";
            audio::Check(busList[size_t(i)].getPath(busPath, sizeof busPath, &retrieved));
            Print(std::string("bus path name") + busPath);
            const std::string name = audio::BusNameFromPath(busPath);
            if (std::strcmp(busPath, "bus:/") != 0) Print("BUS name " + name);
            buses_.push_back({name, busList[size_t(i)]});
        }
        for (int i = 0; i < eventCount; ++i) {
            char eventPath[128] = "";
            audio::Check(descriptions[size_t(i)].getPath(eventPath, sizeof eventPath, &retrieved));
            NamedEvent event;
            event.path = eventPath;
            event.description = descriptions[size_t(i)];
            events_.push_back(event);
        }
    }
}

void AudioSystem::Update() {
    if (!studio_) return;
    if (lowLevel_) audio::Check(lowLevel_->set3DSettings(1.0f, 1.0f, 0.1f));
    audio::Check(studio_->setListenerAttributes(0, &listener_));
    // Cues sound at the listener wherever the camera goes.
    bool anyInstance = false;
    for (const auto& cue : cues) anyInstance = anyInstance || cue->instance.generation != 0;
    if (anyInstance) {
        const _3D_ATTRIBUTES at = RuntimeListener();
        for (const auto& cue : cues)
            if (cue->instance.generation != 0) audio::Check(cue->instance.set3DAttributes(&at));
    }
    if (lowLevel_) audio::Check(lowLevel_->update());
    audio::Check(studio_->update());
}

void AudioSystem::SetListener(glm::vec3 position, glm::vec3 velocity, glm::vec3 forward, glm::vec3 up) {
    listener_.position = {position.x, position.y, position.z};
    listener_.velocity = {velocity.x, velocity.y, velocity.z};
    listener_.forward = {forward.x, forward.y, forward.z};
    listener_.up = {up.x, up.y, up.z};
}

_3D_ATTRIBUTES AudioSystem::RuntimeListener() const {
    _3D_ATTRIBUTES at;
    if (studio_) audio::Check(studio_->getListenerAttributes(0, &at));
    return at;
}

Studio::Bus AudioSystem::FindBus(const std::string& name) {
    for (const NamedBus& bus : buses_)
        if (bus.name == name) return bus.bus;
    Print("couldn't find bus name " + name + "check to make sure you spelt it right ");
    return Studio::Bus();
}

void AudioSystem::SetBusMute(const std::string& name, bool mute) {
    allMuted = mute;
    audio::Check(FindBus(name).setMute(mute));
}

void AudioSystem::SetBusPaused(const std::string& name, bool paused) {
    audio::Check(FindBus(name).setPaused(paused));
}

void AudioSystem::StopBus(const std::string& name) {
    Studio::Bus bus = FindBus(name);
    if (bus.isValid()) audio::Check(bus.stopAllEvents(Studio::STOP_IMMEDIATE));
}

void AudioSystem::StopChannelGroup(const std::string& name) {
    for (ChannelGroup& group : channelGroups_) {
        char groupName[256] = "";
        audio::Check(group.getName(groupName, sizeof groupName));
        if (name == groupName) audio::Check(group.stop());
    }
}

void AudioSystem::ReapplyMutes() {
    if (allMuted) SetBusMute("Master Bus", true);
    if (musicMuted) MuteMusic(*this);
}

Studio::EventDescription AudioSystem::FindEventDescription(const std::string& path) const {
    for (const NamedEvent& event : events_)
        if (event.path == path) return event.description;
    return Studio::EventDescription();
}

SoundCue* MakeCue(AudioSystem& audio, const std::string& path, const std::string& name) {
    if (path.size() < 8) {
        Print("couldn't make cue \"" + name + "\": event path \"" + path + "\" is shorter than event:/ and a letter");
        return nullptr;
    }
    auto cue = std::make_unique<SoundCue>();
    cue->eventPath = path;
    cue->description = audio.FindEventDescription(path);
    if (cue->description.generation == 0)
        Print("couldn't find bank " + path + ", is it in the audio folder?");
    audio::Check(cue->description.loadSampleData());
    audio::Check(cue->description.createInstance(&cue->instance));
    cue->kind = CueKindFromPath(path);
    cue->name = name;
    audio.cues.push_back(std::move(cue));
    return audio.cues.back().get();
}

SoundCue* GetCue(AudioSystem& audio, const std::string& name) {
    for (const auto& cue : audio.cues)
        if (cue->name == name) return cue.get();
    Print("Cue \"" + name + "\" Doesn't exist");
    return nullptr;
}

void PlayCue(AudioSystem& audio, SoundCue& cue, float volume) {
    // Of cues sharing a name (a hand-edited table) the first is the one played,
    // whichever of them is asked for: two of them fading at once would connect
    // the same listener names twice.
    SoundCue* played = &cue;
    for (const auto& c : audio.cues)
        if (c->name == cue.name) {
            played = c.get();
            break;
        }
    played->Play(volume, audio.cues, audio.RuntimeListener());
}

void PlayCue(AudioSystem& audio, const std::string& name, float volume) {
    if (SoundCue* cue = GetCue(audio, name))
        PlayCue(audio, *cue, volume);
    else
        Print("Attempted to play invalid cue!");
}

void StopCue(AudioSystem& audio, const std::string& name) {
    if (SoundCue* cue = GetCue(audio, name))
        cue->Stop();
    else
        Print("Attempted to stop invalid cue!");
}

void MuteMusic(AudioSystem& audio) {
    audio.musicMuted = true;
    for (const auto& cue : audio.cues)
        if (cue->kind == 1 || cue->kind == 3) cue->SetMute(true);
}

void UnmuteMusic(AudioSystem& audio) {
    audio.musicMuted = false;
    for (const auto& cue : audio.cues)
        if (cue->kind == 1 || cue->kind == 3) cue->SetMute(false);
}
