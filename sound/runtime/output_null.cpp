// The null output: voices exist (so voice limits behave as on a device) but
// nothing is mixed. Streams never ask for chunks, so nothing is decoded.
#include "sound/runtime/output_backend.h"

namespace audio_rt::detail {

namespace {

class NullOutput final : public OutputBackend {
public:
    explicit NullOutput(int voices) : voices_(voices) {}
    const char* Name() const override { return "null"; }
    bool Audible() const override { return false; }
    int VoiceCount() const override { return voices_; }
    uint32_t CreateBuffer(const int16_t*, int64_t, int, int) override { return ++next_buffer_; }
    void SetListener(const _3D_ATTRIBUTES&) override {}
    void PlayBuffer(int, uint32_t, bool, double, float, const VECTOR&, bool) override {}
    void BeginStream(int, float, const VECTOR&) override {}
    int FreeStreamSlots(int) override { return 0; }
    void QueueStream(int, const int16_t*, int, int, int) override {}
    void PlayStream(int, bool) override {}
    void Stop(int) override {}
    void SetPaused(int, bool) override {}
    void SetGain(int, float) override {}
    void SetPosition(int, const VECTOR&) override {}

private:
    int voices_;
    uint32_t next_buffer_ = 0;
};

}  // namespace

std::unique_ptr<OutputBackend> MakeNullOutput(int max_voices) {
    return std::make_unique<NullOutput>(max_voices > 0 ? max_voices : 1);
}

}  // namespace audio_rt::detail
