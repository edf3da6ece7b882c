// Audio runtime costs: starting and stopping an effect whose samples are
// loaded (the path every footstep and button takes), and the per-frame
// update with many instances playing. Runs on OpenAL Soft's null driver unless
// ALSOFT_DRIVERS says otherwise, so the OpenAL calls are real.
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound/runtime/audio_runtime.h"

namespace fs = std::filesystem;
using namespace audio_rt;

namespace {

struct Rig {
    fs::path dir;
    Studio::System* system = nullptr;
    Studio::EventDescription effect;

    explicit Rig(int voices) {
        dir = fs::temp_directory_path() / ("qm_bench_audio_" + std::to_string(getpid()));
        fs::create_directories(dir);
        SF_INFO info{};
        info.samplerate = 44100;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* f = sf_open((dir / "step.wav").c_str(), SFM_WRITE, &info);
        std::vector<short> samples(4410);
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = short(8000 * std::sin(double(i) * 0.06));
        sf_writef_short(f, samples.data(), sf_count_t(samples.size()));
        sf_close(f);
        std::ofstream(dir / "Master.bank")
            << R"({"buses": ["bus:/", "bus:/SFX"], "events": [{"path": "event:/SFX/Step", "file": "step.wav",
                  "bus": "bus:/SFX", "loop": true}]})";
        Studio::System::create(&system);
        system->initialize(voices, 0, 0, nullptr);
        Studio::Bank bank;
        system->loadBankFile((dir / "Master.bank").c_str(), 0, &bank);
        bank.loadSampleData();
        system->getEvent("event:/SFX/Step", &effect);
    }
    ~Rig() {
        system->release();
        fs::remove_all(dir);
    }
};

void BM_StartStopLoadedEffect(benchmark::State& state) {
    Rig rig(64);
    Studio::EventInstance inst;
    rig.effect.createInstance(&inst);
    for (auto _ : state) {
        inst.start();
        inst.stop(Studio::STOP_IMMEDIATE);
    }
    inst.release();
}
BENCHMARK(BM_StartStopLoadedEffect);

void BM_UpdateWithPlayingInstances(benchmark::State& state) {
    Rig rig(512);
    std::vector<Studio::EventInstance> insts(size_t(state.range(0)));
    for (auto& inst : insts) {
        rig.effect.createInstance(&inst);
        inst.start();
    }
    for (auto _ : state) rig.system->update();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UpdateWithPlayingInstances)->Arg(16)->Arg(128);

}  // namespace

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
