#include "tools/audio/audio_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>


namespace synth {

namespace {
std::string WriteWith(const std::string& path, const PcmData& pcm, int format, double quality) {
    SF_INFO info{};
    info.samplerate = pcm.rate;
    info.channels = pcm.channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return std::string("cannot open for writing: ") + sf_strerror(nullptr);
    if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_VORBIS) {
        double q = quality;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &q, sizeof q);
    }
    // Clip rather than wrap should anything overshoot.
    int on = SF_TRUE;
    sf_command(file, SFC_SET_CLIPPING, &on, sizeof on);
    // In blocks: the Vorbis encoder takes its analysis buffer from the stack,
    // so one call with a whole minute of sound overflows it.
    constexpr sf_count_t kBlock = 4096;
    const sf_count_t frames = pcm.Frames();
    std::string error;
    for (sf_count_t at = 0; at < frames && error.empty(); at += kBlock) {
        const sf_count_t n = std::min(kBlock, frames - at);
        if (sf_writef_float(file, pcm.samples.data() + at * pcm.channels, n) != n)
            error = std::string("short write: ") + sf_strerror(file);
    }
    sf_close(file);
    return error;
}

// The Ogg page checksum: CRC-32, polynomial 0x04c11db7, no reflection, zero start.
uint32_t OggCrc(const uint8_t* data, size_t size) {
    static const auto table = [] {
        std::vector<uint32_t> t(256);
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04c11db7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xff];
    return crc;
}

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
}  // namespace

std::string WriteOgg(const std::string& path, const PcmData& pcm, double quality) {
    std::string error = WriteWith(path, pcm, SF_FORMAT_OGG | SF_FORMAT_VORBIS, quality);
    if (!error.empty()) return error;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return "cannot read back " + path;
    in.close();
    if (!FixOggSerial(bytes, 0x51554D31u)) return "the encoder wrote a malformed Ogg stream";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) return "cannot rewrite " + path;
    return "";
}

std::string WriteWav16(const std::string& path, const PcmData& pcm) {
    return WriteWith(path, pcm, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.0);
}

bool FixOggSerial(std::vector<uint8_t>& bytes, uint32_t serial) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 27 || std::memcmp(&bytes[pos], "OggS", 4) != 0) return false;
        const size_t segments = bytes[pos + 26];
        if (bytes.size() - pos < 27 + segments) return false;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) body += bytes[pos + 27 + i];
        const size_t pageSize = 27 + segments + body;
        if (bytes.size() - pos < pageSize) return false;
        uint8_t* page = &bytes[pos];
        PutLe32(page + 14, serial);
        PutLe32(page + 22, 0);
        PutLe32(page + 22, OggCrc(page, pageSize));
        pos += pageSize;
    }
    return !bytes.empty();
}

bool ReadSound(const std::string& path, PcmData& out, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = sf_strerror(nullptr);
        return false;
    }
    out.channels = info.channels;
    out.rate = info.samplerate;
    out.samples.assign(size_t(info.frames) * size_t(info.channels), 0.0f);
    const sf_count_t got = sf_readf_float(file, out.samples.data(), info.frames);
    sf_close(file);
    if (got != info.frames) {
        error = "decoded " + std::to_string(got) + " of " + std::to_string(info.frames) + " frames";
        return false;
    }
    return true;
}

uint64_t PcmHash(const PcmData& pcm) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&](uint8_t b) {
        h ^= b;
        h *= 1099511628211ull;
    };
    mix(uint8_t(pcm.channels));
    for (float v : pcm.samples) {
        const int16_t q = int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
        mix(uint8_t(q & 0xff));
        mix(uint8_t((q >> 8) & 0xff));
    }
    return h;
}

}  // namespace synth
