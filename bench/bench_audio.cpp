// Audio costs: the per-frame audio work (fades and emitters on "LogicUpdate",
// then the runtime update) with a busy scene, loading a large cue table, and
// starting and stopping an effect. Each runs in a throw-away content folder
// with generated sounds; run with ALSOFT_DRIVERS=null (no device needed).
//
// Goals: BM_AudioUpdate64 under 50 us, BM_CueTableLoad1000 under 20 ms,
// BM_StartStopEffect under 20 us.
#include <benchmark/benchmark.h>

#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <json/value.h>

#include "core/camera.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "sound/audio_system.h"
#include "sound/cue_table.h"
#include "sound/sound_cue.h"
#include "sound/sound_emitter.h"

namespace fs = std::filesystem;

namespace {

void WriteTone(const std::string& path, double seconds) {
    fs::create_directories(fs::path(path).parent_path());
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) std::abort();
    std::vector<float> samples(size_t(seconds * info.samplerate));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = float(0.3 * std::sin(0.1 * double(i)));
    sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A content folder for one benchmark: banks of `eventsPerBank` looping effect
// events each, all on one short sound, the two lists and a cue table naming
// `cues` of the events. The folder goes when the object does.
class ContentFolder {
public:
    ContentFolder(int banks, int eventsPerBank, int cues) {
        original_ = fs::current_path();
        char pattern[] = "/tmp/qm_bench_audio_XXXXXX";
        folder_ = mkdtemp(pattern);
        fs::current_path(folder_);
        fs::create_directories("Audio");
        WriteTone("audio/sfx/tone.wav", 0.5);
        std::string list;
        for (int b = 0; b < banks; ++b) {
            Json::Value bank;
            bank["path"] = "bank:/Bank" + std::to_string(b);
            for (const char* bus : {"bus:/", "bus:/Music", "bus:/SFX"}) bank["buses"].append(bus);
            for (int e = 0; e < eventsPerBank; ++e) {
                Json::Value ev;
                ev["path"] = EventPath(b * eventsPerBank + e);
                ev["file"] = "sfx/tone.wav";
                ev["bus"] = "bus:/SFX";
                ev["loop"] = true;
                bank["events"].append(ev);
            }
            const std::string name = "Bank" + std::to_string(b) + ".bank";
            WriteText("audio/" + name, bank.toStyledString());
            list += name + "\n";
        }
        WriteText("audio/bankFiles.txt", list);
        WriteText("audio/stringFiles.txt", "");
        Json::Value sounds;
        sounds["Cue Number"] = cues;
        for (int i = 0; i < cues; ++i) {
            sounds["Sound" + std::to_string(i)] = "Cue " + std::to_string(i);
            sounds["Evt" + std::to_string(i)] = EventPath(i);
            sounds["Vol" + std::to_string(i)] = 0.5;
        }
        Json::Value root;
        root["Sounds"] = sounds;
        WriteText(kCueTablePath, root.toStyledString());
    }
    ~ContentFolder() {
        fs::current_path(original_);
        fs::remove_all(folder_);
    }

    static std::string EventPath(int i) { return "event:/SFX/Effect " + std::to_string(i); }

private:
    fs::path original_;
    std::string folder_;
};

void RegisterEvents() {
    events::ClearRegistryForTesting();
    events::Register<float>("LogicUpdate");
    events::Register<Json::Value*>("LevelLoad");
}

void BM_AudioUpdate64(benchmark::State& state) {
    RegisterEvents();
    ContentFolder content(1, 64, 64);
    auto audio = std::make_unique<AudioSystem>();
    audio->Initialize();
    LoadCueTable(*audio);
    for (const auto& cue : audio->cues) PlayCue(*audio, *cue, 1.0f);
    // Half the emitters near the camera, half beyond their enclosed distance.
    for (int i = 0; i < 16; ++i) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(float(i * 8), 0.0f, 0.0f);
        Json::Value json;
        json["Sound Emitter Cue"] = "Cue " + std::to_string(i);
        e.AddComponent("SoundEmitter", json);
    }
    GetCamera().SetPosition(0, 0, 0);
    events::Call<float>("LogicUpdate", 0.016f);  // emitters start
    audio->Update();
    ClearLog();

    for (auto _ : state) {
        events::Call<float>("LogicUpdate", 0.016f);
        audio->Update();
    }
    if (GetLog().size() > 0) state.SkipWithError(("log: " + GetLog().front()).c_str());
    engine::DestroyAllEntities();
    audio.reset();
}
BENCHMARK(BM_AudioUpdate64)->Unit(benchmark::kMicrosecond);

void BM_CueTableLoad1000(benchmark::State& state) {
    RegisterEvents();
    ContentFolder content(10, 100, 1000);
    auto audio = std::make_unique<AudioSystem>();
    audio->Initialize();
    for (auto _ : state) {
        LoadCueTable(*audio);
        benchmark::DoNotOptimize(audio->cues.data());
    }
    if (audio->cues.size() != 1000) state.SkipWithError("the table did not load 1000 cues");
    audio.reset();
}
BENCHMARK(BM_CueTableLoad1000)->Unit(benchmark::kMillisecond);

void BM_StartStopEffect(benchmark::State& state) {
    RegisterEvents();
    ContentFolder content(1, 1, 1);
    auto audio = std::make_unique<AudioSystem>();
    audio->Initialize();
    LoadCueTable(*audio);
    audio_rt::Studio::EventInstance& instance = audio->cues[0]->instance;
    for (auto _ : state) {
        audio::Check(instance.start());
        audio::Check(instance.stop(audio_rt::Studio::STOP_IMMEDIATE));
    }
    audio.reset();
}
BENCHMARK(BM_StartStopEffect)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // No device: the mixing thread would only add noise to the figures.
    setenv("ALSOFT_DRIVERS", "null", 0);
    components::RegisterBuiltinComponents();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
