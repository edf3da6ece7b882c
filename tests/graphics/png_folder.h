#pragma once
// A temporary texture folder filled with small PNGs made on the spot, pointed
// at by the texture cache for the duration of a test.
#include <filesystem>
#include <string>
#include <vector>

#include <lodepng.h>

#include "graphics/texture_cache.h"

class PngFolder {
public:
    PngFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("qm_textures_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
        ClearTextures();
        SetTextureFolder(path_.string() + "/");
    }
    ~PngFolder() {
        ClearTextures();
        SetTextureFolder("textures/");
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    // A width x height RGBA picture whose pixels all have the given red value.
    void Write(const std::string& name, unsigned width, unsigned height, unsigned char red = 255) {
        std::vector<unsigned char> pixels(size_t(width) * height * 4, 255);
        for (size_t i = 0; i < pixels.size(); i += 4) pixels[i] = red;
        lodepng::encode(File(name), pixels, width, height);
    }
    void WriteBytes(const std::string& name, const std::string& bytes) {
        FILE* f = std::fopen(File(name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    void Remove(const std::string& name) { std::filesystem::remove(File(name)); }
    std::string File(const std::string& name) const { return (path_ / (name + ".png")).string(); }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};
