// Instances over time: starting and stopping, fades, bus pause, voices
// (pooled, stolen from the quietest/oldest when none is free), streaming
// refills and the gain each voice is given.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sound/runtime/error_detail.h"
#include "sound/runtime/studio_state.h"

namespace audio_rt::detail {

namespace {

constexpr uint32_t kFreeVoice = UINT32_MAX;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

float DistanceGain(const StudioState& s, const InstanceRecord& inst) {
    const VECTOR& a = inst.attributes.position;
    const VECTOR& b = s.listener.position;
    float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    float d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(d > inst.min_distance)) return 1.0f;  // also NaN positions: heard rather than lost
    if (d >= inst.max_distance) return 0.0f;
    return 1.0f - (d - inst.min_distance) / (inst.max_distance - inst.min_distance);
}

bool BusPaused(const StudioState& s, uint32_t bus) {
    for (int b = int(bus); b != kNoBus; b = s.buses.slots[size_t(b)].value.parent)
        if (s.buses.slots[size_t(b)].value.paused) return true;
    return false;
}

void FreeVoice(StudioState& s, InstanceRecord& inst) {
    if (inst.voice == kNoVoice) return;
    s.output->Stop(inst.voice);
    s.voice_owner[size_t(inst.voice)] = kFreeVoice;
    s.free_voices.push_back(inst.voice);
    inst.voice = kNoVoice;
}

// A free voice, or the voice of the quietest (then oldest) playing instance
// when it is quieter than gain (or as quiet, when steal_ties). kNoVoice when
// every voice plays something louder.
int AcquireVoice(StudioState& s, float gain, bool steal_ties) {
    if (!s.free_voices.empty()) {
        int v = s.free_voices.back();
        s.free_voices.pop_back();
        return v;
    }
    int victim = kNoVoice;
    float victim_gain = 0.0f;
    uint64_t victim_serial = 0;
    for (size_t v = 0; v < s.voice_owner.size(); ++v) {
        const InstanceRecord& other = s.instances.slots[s.voice_owner[v]].value;
        if (victim == kNoVoice || other.gain < victim_gain ||
            (other.gain == victim_gain && other.start_serial < victim_serial)) {
            victim = int(v);
            victim_gain = other.gain;
            victim_serial = other.start_serial;
        }
    }
    if (victim == kNoVoice || victim_gain > gain || (victim_gain == gain && !steal_ties)) return kNoVoice;
    // The stolen instance goes on by the clock, silent, until a voice frees up.
    InstanceRecord& robbed = s.instances.slots[s.voice_owner[size_t(victim)]].value;
    s.output->Stop(victim);
    robbed.voice = kNoVoice;
    return victim;
}

void FillStream(StudioState& s, InstanceRecord& inst, const EventRecord& ev) {
    if (!inst.decoder || !inst.decoder->IsOpen()) return;
    const SoundInfo& info = inst.decoder->Info();
    int frames = std::max(1, int(info.sample_rate * kStreamChunkSeconds));
    s.chunk.resize(size_t(frames) * size_t(info.channels));
    // Count the free chunks once: on a voice that ran dry and stopped, OpenAL
    // reports every queued chunk as processed at once, including the ones
    // queued here, so asking again would never end.
    for (int free = s.output->FreeStreamSlots(inst.voice); free > 0; --free) {
        int got = inst.decoder->Read(s.chunk.data(), frames, ev.def.loop);
        if (got <= 0) break;
        s.output->QueueStream(inst.voice, s.chunk.data(), got, info.channels, info.sample_rate);
    }
}

// Gives a voice to a playing instance, from timeline position at_ms.
void SoundOnVoice(StudioState& s, uint32_t slot, InstanceRecord& inst, bool steal_ties, double at_ms) {
    const EventRecord& ev = s.events.slots[inst.event].value;
    const SoundRecord& snd = s.sounds[ev.sound];
    if (snd.failed || (!ev.streams && snd.buffer == 0)) return;
    int v = AcquireVoice(s, inst.gain, steal_ties);
    if (v == kNoVoice) return;
    inst.voice = v;
    inst.moved = false;
    s.voice_owner[size_t(v)] = slot;
    double len = snd.info.LengthMs();
    if (ev.def.loop && len > 0.0) at_ms = std::fmod(at_ms, len);
    if (ev.streams) {
        s.output->BeginStream(v, inst.gain, inst.attributes.position);
        if (inst.decoder) inst.decoder->SeekMs(at_ms);
        FillStream(s, inst, ev);
        s.output->PlayStream(v, inst.frozen);
    } else {
        s.output->PlayBuffer(v, snd.buffer, ev.def.loop, at_ms / 1000.0, inst.gain, inst.attributes.position,
                             inst.frozen);
    }
}

void ToStopped(StudioState& s, InstanceRecord& inst) {
    FreeVoice(s, inst);
    inst.state = Studio::PLAYBACK_STOPPED;
    inst.played_ms = 0.0;
}

bool g_clock_held = false;
Clock::time_point g_held_now;

}  // namespace

Clock::time_point Now() { return g_clock_held ? g_held_now : Clock::now(); }

void HoldClock(bool held) {
    if (held && !g_clock_held) g_held_now = Clock::now();
    g_clock_held = held;
}

void AdvanceClock(double ms) {
    g_held_now += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(ms));
}

double TimelineMs(const InstanceRecord& inst, Clock::time_point now) {
    if (inst.state == Studio::PLAYBACK_STOPPED) return 0.0;
    if (inst.frozen) return inst.played_ms;
    return inst.played_ms + Ms(now - inst.since);
}

bool BusIsBelow(const StudioState& s, uint32_t bus, uint32_t ancestor) {
    for (int b = int(bus); b != kNoBus; b = s.buses.slots[size_t(b)].value.parent)
        if (uint32_t(b) == ancestor) return true;
    return false;
}

float FinalGain(const StudioState& s, const InstanceRecord& inst, Clock::time_point now) {
    const EventRecord& ev = s.events.slots[inst.event].value;
    float gain = inst.volume * ev.def.volume;
    for (int b = int(ev.bus); b != kNoBus; b = s.buses.slots[size_t(b)].value.parent) {
        const BusRecord& bus = s.buses.slots[size_t(b)].value;
        if (bus.mute) return 0.0f;
        gain *= bus.volume;
    }
    if (inst.state == Studio::PLAYBACK_STOPPING && inst.fade_ms > 0.0) {
        double left = 1.0 - (TimelineMs(inst, now) - inst.fade_start_ms) / inst.fade_ms;
        gain *= float(std::clamp(left, 0.0, 1.0));
    }
    return gain * DistanceGain(s, inst);
}

RESULT LoadEventSamples(StudioState& s, uint32_t event) {
    EventRecord& ev = s.events.slots[event].value;
    if (ev.samples_loaded) return OK;
    SoundRecord& snd = s.sounds[ev.sound];
    if (snd.failed) {
        ev.samples_loaded = true;  // already reported for this file
        return OK;
    }
    std::string why;
    if (!snd.probed) {
        if (!ProbeSound(snd.file, &snd.info, &why)) {
            struct stat st{};
            bool missing = stat(snd.file.c_str(), &st) != 0;
            snd.failed = true;
            ev.samples_loaded = true;
            return Fail(missing ? ERR_FILE_NOT_FOUND : ERR_FILE_BAD,
                        snd.file + ": " + why + " (event " + ev.def.path + " stays silent)");
        }
        snd.probed = true;
    }
    ev.streams = ev.def.stream || snd.info.LengthMs() > kStreamAboveSeconds * 1000.0;
    if (!ev.streams && snd.buffer == 0) {
        std::vector<int16_t> samples;
        if (!DecodeSound(snd.file, &snd.info, &samples, &why)) {
            snd.failed = true;
            ev.samples_loaded = true;
            return Fail(ERR_FILE_BAD, snd.file + ": " + why + " (event " + ev.def.path + " stays silent)");
        }
        snd.buffer = s.output->CreateBuffer(samples.data(), snd.info.frames, snd.info.channels,
                                            snd.info.sample_rate);
        if (snd.buffer == 0) {
            snd.failed = true;
            ev.samples_loaded = true;
            return Fail(ERR_MEMORY, snd.file + ": the output could not take the decoded sound");
        }
    }
    ev.samples_loaded = true;
    return OK;
}

RESULT StartInstance(StudioState& s, uint32_t slot) {
    InstanceRecord& inst = s.instances.slots[slot].value;
    RESULT loaded = LoadEventSamples(s, inst.event);
    const EventRecord& ev = s.events.slots[inst.event].value;
    FreeVoice(s, inst);  // a playing instance restarts from the beginning
    inst.release_pending = false;
    if (s.sounds[ev.sound].failed) {
        inst.state = Studio::PLAYBACK_STOPPED;
        inst.played_ms = 0.0;
        return loaded;
    }
    auto now = Now();
    inst.state = Studio::PLAYBACK_PLAYING;
    inst.played_ms = 0.0;
    inst.since = now;
    inst.frozen = BusPaused(s, ev.bus);
    inst.start_serial = ++s.start_serial;
    inst.gain = FinalGain(s, inst, now);
    if (ev.streams && !inst.decoder) {
        inst.decoder = std::make_unique<StreamDecoder>();
        std::string why;
        if (!inst.decoder->Open(s.sounds[ev.sound].file, &why)) {
            s.sounds[ev.sound].failed = true;
            ToStopped(s, inst);
            return Fail(ERR_FILE_BAD, s.sounds[ev.sound].file + ": " + why);
        }
    }
    SoundOnVoice(s, slot, inst, true, 0.0);
    return loaded;
}

void StopInstance(StudioState& s, InstanceRecord& inst, Studio::STOP_MODE mode) {
    if (inst.state == Studio::PLAYBACK_STOPPED) return;
    const EventRecord& ev = s.events.slots[inst.event].value;
    if (mode == Studio::STOP_IMMEDIATE || ev.def.fade_out <= 0.0f) {
        ToStopped(s, inst);
        return;
    }
    if (inst.state == Studio::PLAYBACK_STOPPING) return;  // one fade at a time
    inst.state = Studio::PLAYBACK_STOPPING;
    inst.fade_start_ms = TimelineMs(inst, Now());
    inst.fade_ms = double(ev.def.fade_out) * 1000.0;
}

void RefreshPause(StudioState& s, InstanceRecord& inst, Clock::time_point now) {
    bool frozen = BusPaused(s, s.events.slots[inst.event].value.bus);
    if (frozen == inst.frozen) return;
    if (frozen) {
        inst.played_ms = TimelineMs(inst, now);
    } else {
        inst.since = now;
    }
    inst.frozen = frozen;
    if (inst.voice != kNoVoice) s.output->SetPaused(inst.voice, frozen);
}

void ApplyGain(StudioState& s, InstanceRecord& inst, Clock::time_point now) {
    float gain = FinalGain(s, inst, now);
    if (gain == inst.gain) return;
    inst.gain = gain;
    if (inst.voice != kNoVoice) s.output->SetGain(inst.voice, gain);
}

void UpdatePlayback(StudioState& s) {
    auto now = Now();
    s.output->SetListener(s.listener);
    for (uint32_t slot = 0; slot < s.instances.slots.size(); ++slot) {
        if (!s.instances.Alive(slot)) continue;
        InstanceRecord& inst = s.instances.slots[slot].value;
        if (inst.state != Studio::PLAYBACK_STOPPED) {
            const EventRecord& ev = s.events.slots[inst.event].value;
            double t = TimelineMs(inst, now);
            double len = s.sounds[ev.sound].info.LengthMs();
            if ((inst.state == Studio::PLAYBACK_STOPPING && t >= inst.fade_start_ms + inst.fade_ms) ||
                (!ev.def.loop && len > 0.0 && t >= len)) {
                ToStopped(s, inst);
            } else {
                ApplyGain(s, inst, now);
                if (inst.voice != kNoVoice) {
                    if (inst.moved) s.output->SetPosition(inst.voice, inst.attributes.position);
                    inst.moved = false;
                    if (ev.streams) {
                        FillStream(s, inst, ev);
                        s.output->PlayStream(inst.voice, inst.frozen);  // again, if it ran dry
                    }
                } else if (inst.gain > 0.0f) {
                    SoundOnVoice(s, slot, inst, false, t);
                }
            }
        }
        if (inst.state == Studio::PLAYBACK_STOPPED && inst.release_pending) s.instances.Remove(slot);
    }
}

void StopAllVoices(StudioState& s) {
    for (uint32_t slot = 0; slot < s.instances.slots.size(); ++slot)
        if (s.instances.Alive(slot)) ToStopped(s, s.instances.slots[slot].value);
}

}  // namespace audio_rt::detail
