// make_content: paints every texture of the game and writes the opening level.
//
//   make_content <game folder>
//
// Writes <game>/textures/*.png and <game>/levels/veltrane_splash.json. Every
// picture comes from fixed seeds, so running it twice gives identical files.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "core/file_util.h"
#include "tools/content/content.h"

namespace {
std::map<std::string, AssetFunction>& AssetTable() {
    static std::map<std::string, AssetFunction> table;
    return table;
}
}  // namespace

int RegisterAsset(const char* name, AssetFunction fn) {
    AssetTable()[name] = fn;
    return int(AssetTable().size());
}

void MakeAllAssets(ContentOutput& out) {
    for (const auto& [name, fn] : AssetTable()) fn(out);
}

void ContentOutput::Texture(const std::string& name, const PixelCanvas& picture) {
    const std::string path = folder_ + "/textures/" + name + ".png";
    if (SavePng(picture, path)) {
        ++written_;
    } else {
        std::fprintf(stderr, "make_content: could not write %s\n", path.c_str());
        ++failures_;
    }
}

void ContentOutput::Text(const std::string& relativePath, const std::string& content) {
    const std::string path = folder_ + "/" + relativePath;
    if (WriteFileAtomically(path, content)) {
        ++written_;
    } else {
        std::fprintf(stderr, "make_content: could not write %s\n", path.c_str());
        ++failures_;
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_content <game folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code ec;
    for (const char* sub : {"/textures", "/levels"}) {
        std::filesystem::create_directories(folder + sub, ec);
        if (ec) {
            std::fprintf(stderr, "make_content: cannot create %s%s: %s\n", folder.c_str(), sub, ec.message().c_str());
            return 1;
        }
    }
    ContentOutput out(folder);
    MakeAllAssets(out);
    std::printf("make_content: wrote %d files into %s\n", out.FilesWritten(), folder.c_str());
    return out.Failures() == 0 ? 0 : 1;
}
