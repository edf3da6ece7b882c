#include "sound/runtime/sound_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace audio_rt::detail {

namespace {

// Opens path for reading, or explains why not in words a content author can act on.
SNDFILE* OpenSound(const std::string& path, SoundInfo* info, std::string* why) {
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) {
        *why = std::string("cannot open: ") + std::strerror(errno);
        return nullptr;
    }
    if (S_ISDIR(st.st_mode)) {
        *why = "is a folder, not a sound file";
        return nullptr;
    }
    if (st.st_size == 0) {
        *why = "the file is empty";
        return nullptr;
    }
    SF_INFO sf{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sf);
    if (!file) {
        *why = std::string("not a sound file libsndfile can read: ") + sf_strerror(nullptr);
        return nullptr;
    }
    if (sf.frames <= 0 || sf.samplerate <= 0) {
        sf_close(file);
        *why = "holds no audio frames";
        return nullptr;
    }
    if (sf.channels != 1 && sf.channels != 2) {
        sf_close(file);
        *why = "has " + std::to_string(sf.channels) + " channels; only mono and stereo are played";
        return nullptr;
    }
    info->frames = sf.frames;
    info->channels = sf.channels;
    info->sample_rate = sf.samplerate;
    return file;
}

// Reads up to frames frames as 16-bit samples. Read as float and clamped,
// because lossy decoders may overshoot full scale, which a direct integer
// read would wrap around into a loud click.
sf_count_t ReadShorts(SNDFILE* file, int channels, int16_t* out, sf_count_t frames) {
    float scratch[4096];
    sf_count_t per = sf_count_t(sizeof scratch / sizeof scratch[0]) / channels;
    sf_count_t done = 0;
    while (done < frames) {
        sf_count_t want = std::min(per, frames - done);
        sf_count_t got = sf_readf_float(file, scratch, want);
        if (got <= 0) break;
        int16_t* dst = out + done * channels;
        for (sf_count_t i = 0; i < got * channels; ++i)
            dst[i] = int16_t(std::lrint(std::clamp(scratch[i], -1.0f, 1.0f) * 32767.0f));
        done += got;
        if (got < want) break;  // the end of the file
    }
    return done;
}

}  // namespace

bool ProbeSound(const std::string& path, SoundInfo* info, std::string* why) {
    SNDFILE* file = OpenSound(path, info, why);
    if (!file) return false;
    sf_close(file);
    return true;
}

bool DecodeSound(const std::string& path, SoundInfo* info, std::vector<int16_t>* samples, std::string* why) {
    SNDFILE* file = OpenSound(path, info, why);
    if (!file) return false;
    samples->assign(size_t(info->frames) * info->channels, 0);
    sf_count_t got = ReadShorts(file, info->channels, samples->data(), info->frames);
    sf_close(file);
    if (got <= 0) {
        *why = "could not decode any audio frames";
        return false;
    }
    // Some formats report an estimate; keep what was really decoded.
    info->frames = got;
    samples->resize(size_t(got) * info->channels);
    return true;
}

StreamDecoder::~StreamDecoder() {
    if (file_) sf_close(file_);
}

bool StreamDecoder::Open(const std::string& path, std::string* why) {
    if (file_) sf_close(file_);
    file_ = OpenSound(path, &info_, why);
    return file_ != nullptr;
}

void StreamDecoder::SeekMs(double ms) {
    if (!file_) return;
    double len = info_.LengthMs();
    if (len > 0.0) ms = std::fmod(std::max(ms, 0.0), len);
    sf_count_t frame = sf_count_t(ms * info_.sample_rate / 1000.0);
    if (frame >= info_.frames) frame = 0;
    sf_seek(file_, frame, SEEK_SET);
}

int StreamDecoder::Read(int16_t* out, int frames, bool loop) {
    if (!file_) return 0;
    int done = 0;
    bool rewound = false;
    while (done < frames) {
        sf_count_t got = ReadShorts(file_, info_.channels, out + size_t(done) * info_.channels, frames - done);
        if (got > 0) {
            done += int(got);
            rewound = false;
            continue;
        }
        // End of file: carry on from the start within the same chunk so the
        // loop point has no gap; give up if the file yields nothing at all.
        if (!loop || rewound) break;
        sf_seek(file_, 0, SEEK_SET);
        rewound = true;
    }
    return done;
}

}  // namespace audio_rt::detail
