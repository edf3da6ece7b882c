// End to end through a real mix: the test re-runs itself with OpenAL Soft's
// wave writer as the device (ALSOFT_DRIVERS is read once per process, hence
// the child), plays a tone near, then far, then nothing, then a short file
// as a looping stream for longer than the chunks queued at its start (so it
// must be refilled), and reads the file back both with libsndfile and with
// the integration tests' qm_audio.py.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

constexpr const char* kChildDirVar = "QM_WAVE_CAPTURE_DIR";

// Over every channel's samples, so panning (constant power) does not change it.
double Rms(const std::vector<float>& samples, int channels, int rate, double from_s, double to_s) {
    size_t a = size_t(from_s * rate) * size_t(channels);
    size_t b = std::min(samples.size(), size_t(to_s * rate) * size_t(channels));
    if (b <= a) return 0.0;
    double sum = 0.0;
    for (size_t i = a; i < b; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(b - a));
}

std::string RunAndRead(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
}

// The child's half, run instead of the tests when the parent started this
// executable with kChildDirVar set: plays through the wave writer and exits
// with 0 when every call succeeded.
int PlayNearFarSilent(const std::string& dir) {
    WriteTone(dir + "/tone.wav", 0.2);
    WriteTone(dir + "/blip.wav", 0.1, 2);
    WriteText(dir + "/Master.bank", R"({"events": [{"path": "event:/SFX/Tone", "file": "tone.wav",
        "loop": true, "min_distance": 10, "max_distance": 30},
        {"path": "event:/Music/Blip", "file": "blip.wav", "loop": true, "stream": true}]})");
    Studio::System* system = nullptr;
    if (Studio::System::create(&system) != OK || system->initialize(8, 0, 0, nullptr) != OK) return 1;
    Studio::Bank bank;
    Studio::EventDescription desc;
    Studio::EventInstance inst;
    // Both positions straight ahead of the listener (forward +z by default),
    // so only the distance differs, not the panning.
    _3D_ATTRIBUTES near, far;
    near.position = {0, 0, 5};   // within the minimum distance: full volume
    far.position = {0, 0, 25};   // three quarters of the way to silence
    bool ok = system->loadBankFile((dir + "/Master.bank").c_str(), 0, &bank) == OK &&
              system->getEvent("event:/SFX/Tone", &desc) == OK && desc.createInstance(&inst) == OK &&
              inst.set3DAttributes(&near) == OK && inst.start() == OK && system->update() == OK;
    Sleep(150);
    ok = ok && inst.set3DAttributes(&far) == OK && system->update() == OK;
    Sleep(150);
    ok = ok && inst.stop(Studio::STOP_IMMEDIATE) == OK && system->update() == OK;
    Sleep(150);
    Studio::EventInstance music;
    ok = ok && system->getEvent("event:/Music/Blip", &desc) == OK && desc.createInstance(&music) == OK &&
         music.start() == OK;
    for (int frame = 0; frame < 70; ++frame) {  // 1.4 s of 20 ms frames
        Sleep(20);
        ok = ok && system->update() == OK;
    }
    // Panning: the listener as the engine sets it (facing -y, up +z, world +x
    // to the right of the screen) hears a tone at +x on the right.
    ok = ok && music.stop(Studio::STOP_IMMEDIATE) == OK;
    _3D_ATTRIBUTES listener;
    listener.forward = {0, -1, 0};
    listener.up = {0, 0, 1};
    _3D_ATTRIBUTES right;
    right.position = {8, 0, 0};  // within the minimum distance: full volume, panned
    ok = ok && system->setListenerAttributes(0, &listener) == OK && inst.set3DAttributes(&right) == OK &&
         inst.start() == OK && system->update() == OK;
    Sleep(200);
    ok = ok && inst.stop(Studio::STOP_IMMEDIATE) == OK && system->update() == OK;
    ok = system->release() == OK && ok;  // closing the device completes the file
    return ok ? 0 : 1;
}

class WaveCaptureChild : public ::testing::Environment {
public:
    void SetUp() override {
        if (const char* dir = std::getenv(kChildDirVar)) std::exit(PlayNearFarSilent(dir));
    }
};

const auto* const kChild = ::testing::AddGlobalTestEnvironment(new WaveCaptureChild);

}  // namespace

TEST_F(RuntimeTest, WaveCaptureHoldsTheMix) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("qm_wave_capture_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string wav = (dir / "out.wav").string();
    WriteText((dir / "alsoft.conf").string(), "[wave]\nfile = " + wav + "\n");
    std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string command = std::string(kChildDirVar) + "='" + dir.string() + "' ALSOFT_DRIVERS=wave ALSOFT_CONF='" +
                          (dir / "alsoft.conf").string() + "' '" + self +
                          "' >'" +
                          (dir / "child.log").string() + "' 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child failed; see " << dir / "child.log";

    SF_INFO info{};
    SNDFILE* f = sf_open(wav.c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    // The capture begins when the device opens, a variable while before the
    // tone: measure from the first sample that is not silence.
    size_t first = 0;
    while (first < frames.size() && std::fabs(frames[first]) < 0.01f) ++first;
    double onset = double(first / size_t(info.channels)) / info.samplerate;
    ASSERT_GE(double(info.frames) / info.samplerate, onset + 1.8);
    // Windows well inside each 150 ms phase, leaving room for the mixer's lead.
    double near = Rms(frames, info.channels, info.samplerate, onset + 0.03, onset + 0.11);
    double far = Rms(frames, info.channels, info.samplerate, onset + 0.18, onset + 0.26);
    double after = Rms(frames, info.channels, info.samplerate, onset + 0.34, onset + 0.40);
    EXPECT_GT(near, 0.05);
    EXPECT_NEAR(near / far, 4.0, 0.5);  // gain 0.25 at 25 units between 10 and 30
    EXPECT_LT(after, 1e-4);
    // The stream sounds evenly, 100 ms window by 100 ms window, well past the
    // second of chunks queued at its start.
    double first_window = Rms(frames, info.channels, info.samplerate, onset + 0.5, onset + 0.6);
    EXPECT_GT(first_window, 0.05);
    for (double t = onset + 0.6; t < onset + 1.75; t += 0.1) {
        double level = Rms(frames, info.channels, info.samplerate, t, t + 0.1);
        EXPECT_NEAR(level, first_window, first_window * 0.05) << "stream window at " << t - onset << " s";
    }

    // The panned tone is the last sound of the file (however long the loaded
    // machine made the stream phase): inside its 200 ms it is louder on the
    // right.
    if (info.channels == 2) {
        size_t last = frames.size() / 2;
        while (last > 0 && std::fabs(frames[2 * last - 1]) < 0.01f && std::fabs(frames[2 * last - 2]) < 0.01f) --last;
        size_t a = last - std::min(last, size_t(0.15 * info.samplerate)), b = last - size_t(0.03 * info.samplerate);
        double left = 0.0, right = 0.0;
        for (size_t i = a; i < b && 2 * i + 1 < frames.size(); ++i) {
            left += double(frames[2 * i]) * frames[2 * i];
            right += double(frames[2 * i + 1]) * frames[2 * i + 1];
        }
        EXPECT_GT(right, 2.0 * left) << "a tone at +x must pan right";
    }

    // The integration tests' reader agrees.
    std::string script = fs::path(QM_TEST_DATA).parent_path() / "integration" / "qm_audio.py";
    auto span = [&](double a, double b) { return " " + std::to_string(onset + a) + " " + std::to_string(onset + b); };
    std::string py_near = RunAndRead("python3 '" + script + "' rms '" + wav + "'" + span(0.03, 0.11));
    std::string py_after = RunAndRead("python3 '" + script + "' rms '" + wav + "'" + span(0.34, 0.40));
    EXPECT_NEAR(std::atof(py_near.c_str()), near, 1e-4) << py_near;
    EXPECT_NEAR(std::atof(py_after.c_str()), after, 1e-4) << py_after;
    if (!HasFailure()) fs::remove_all(dir);
}
