// make_audio: synthesises every piece of music and every sound of the game and
// writes them with their banks and the cue table.
//
//   make_audio <game folder>     writes <game>/audio/... and <game>/Audio/SoundStorage.json
//   make_audio --decode <file>   prints "<channels> <rate> <frames> <peak> <pcm hash>" of a sound file
//
// Everything comes from fixed seeds, so two runs write identical files.
// <game>/audio/manifest.txt records a fingerprint of the samples synthesised
// for each file, before encoding.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/file_util.h"
#include "tools/audio/audio_file.h"
#include "tools/audio/banks.h"
#include "tools/audio/sound_table.h"

namespace {
constexpr double kMusicQuality = 0.3;     // Vorbis, about 100 kbit/s stereo
constexpr double kAmbienceQuality = 0.2;  // mono, mostly noise

int Decode(const std::string& path) {
    synth::PcmData pcm;
    std::string error;
    if (!synth::ReadSound(path, pcm, error)) {
        std::fprintf(stderr, "make_audio: cannot decode %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    float peak = 0.0f;
    for (float v : pcm.samples) peak = std::max(peak, std::fabs(v));
    std::printf("%d %d %lld %.4f %016" PRIx64 "\n", pcm.channels, pcm.rate, static_cast<long long>(pcm.Frames()),
                peak, synth::PcmHash(pcm));
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--decode") return Decode(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_audio <game folder> | make_audio --decode <file>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code ec;
    for (const char* sub : {"/audio/music", "/audio/ambience", "/audio/sfx", "/Audio"}) {
        std::filesystem::create_directories(folder + sub, ec);
        if (ec) {
            std::fprintf(stderr, "make_audio: cannot create %s%s: %s\n", folder.c_str(), sub, ec.message().c_str());
            return 1;
        }
    }
    int failures = 0, written = 0;
    std::string manifest;
    for (const synth::SoundDef& def : synth::SoundTable()) {
        const synth::PcmData pcm = def.make();
        const std::string path = folder + "/audio/" + def.file;
        std::string error;
        switch (def.kind) {
        case synth::SoundKind::Music: error = synth::WriteOgg(path, pcm, kMusicQuality); break;
        case synth::SoundKind::Ambience: error = synth::WriteOgg(path, pcm, kAmbienceQuality); break;
        case synth::SoundKind::Effect: error = synth::WriteWav16(path, pcm); break;
        }
        if (!error.empty()) {
            std::fprintf(stderr, "make_audio: %s: %s\n", path.c_str(), error.c_str());
            ++failures;
            continue;
        }
        ++written;
        char line[256];
        std::snprintf(line, sizeof line, "%s %d %lld %016" PRIx64 "\n", def.file.c_str(), pcm.channels,
                      static_cast<long long>(pcm.Frames()), synth::PcmHash(pcm));
        manifest += line;
        std::printf("make_audio: %s (%.1f s)\n", def.file.c_str(), double(pcm.Frames()) / pcm.rate);
    }
    auto files = synth::BankFiles();
    files["audio/manifest.txt"] = manifest;
    for (const auto& [relative, content] : files) {
        if (WriteFileAtomically(folder + "/" + relative, content)) {
            ++written;
        } else {
            std::fprintf(stderr, "make_audio: could not write %s/%s\n", folder.c_str(), relative.c_str());
            ++failures;
        }
    }
    std::printf("make_audio: wrote %d files into %s\n", written, folder.c_str());
    return failures == 0 ? 0 : 1;
}
