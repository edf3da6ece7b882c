// The cue table (Audio/SoundStorage.json) as whatever is on disk: loading it
// either makes cues or ends in the engine's exception with the reader's words,
// never anything worse; and whatever was loaded is written back and reads back
// as as many cues. (Names are compared only when they are plain ASCII: the JSON
// writer re-encodes bytes that are not UTF-8, so such a name comes back
// spelled differently.)
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
        FILE* list = std::fopen("audio/bankFiles.txt", "w");
        std::fputs("Master.bank\n", list);
        std::fclose(list);
        std::fclose(std::fopen("audio/stringFiles.txt", "w"));
        FILE* bank = std::fopen("audio/Master.bank", "w");
        std::fputs(R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX"], "events": [
            {"path": "event:/Music/Title", "file": "none.ogg", "bus": "bus:/Music"},
            {"path": "event:/SFX/Door", "file": "none.wav", "bus": "bus:/SFX"},
            {"path": "event:/Ambience/Lake", "file": "none.ogg"}]})",
                   bank);
        std::fclose(bank);
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
        for (unsigned char c : t)
            if (c < 0x20 || c > 0x7e) return false;
        return true;
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
