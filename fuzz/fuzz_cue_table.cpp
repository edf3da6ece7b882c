// The cue table (Audio/SoundStorage.json) as whatever is on disk: loading it
// makes cues or throws the engine's exception, never worse; what was loaded is
// written back and reads back as the same cues (names compared when plain
// ASCII: the JSON writer re-encodes bytes that are not UTF-8).
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/debug_exception.h"
#include "fuzz/fuzz_world.h"
#include "sound/audio_system.h"
#include "sound/cue_table.h"
#include "sound/sound_cue.h"

namespace {

// One audio system on the silent output, over a bank with a few events (their
// files are missing, which the runtime reports once and plays as silence).
AudioSystem& Audio() {
    static AudioSystem* audio = [] {
        std::filesystem::create_directories("audio");
        std::filesystem::create_directories("Audio");
        fuzz::WriteFile("audio/bankFiles.txt", "Master.bank\n");
        fuzz::WriteFile("audio/stringFiles.txt", "");
        fuzz::WriteFile("audio/Master.bank", R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX"], "events": [
            {"path": "event:/Music/Title", "file": "none.ogg", "bus": "bus:/Music"},
            {"path": "event:/SFX/Door", "file": "none.wav", "bus": "bus:/SFX"},
            {"path": "event:/Ambience/Lake", "file": "none.ogg"}]})");
        auto* a = new AudioSystem();
        a->Initialize(true);
        return a;
    }();
    return *audio;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SetUpWorld();
    AudioSystem& audio = Audio();
    fuzz::WriteFile("Audio/fuzz.json", data, size);
    try {
        LoadCueTable(audio, "Audio/fuzz.json");
    } catch (const debug::exception&) {
        return 0;  // a broken table ends start-up with the reader's message
    }
    if (audio.cues.size() > kMaxCues) std::abort();
    auto ascii = [](const std::string& t) {
        return std::all_of(t.begin(), t.end(), [](unsigned char c) { return c >= 0x20 && c <= 0x7e; });
    };
    std::vector<std::pair<std::string, std::string>> loaded;
    for (const auto& cue : audio.cues) loaded.emplace_back(cue->name, cue->eventPath);
    if (!SaveCueTable(audio, "Audio/fuzz_saved.json")) std::abort();
    LoadCueTable(audio, "Audio/fuzz_saved.json");  // must not throw
    std::vector<std::pair<std::string, std::string>> again;
    for (const auto& cue : audio.cues) again.emplace_back(cue->name, cue->eventPath);
    bool same = again.size() == loaded.size();
    for (size_t i = 0; same && i < loaded.size(); ++i)
        if (ascii(loaded[i].first) && ascii(loaded[i].second)) same = again[i] == loaded[i];
    if (!same) {
        std::fprintf(stderr, "the saved table does not read back as the cues loaded\n");
        std::abort();
    }
    return 0;
}
