#pragma once
// The content generator's asset table. Each asset is one function that paints
// its pictures and hands them to the output; CONTENT_ASSET registers it, so adding
// an asset is writing that one function in any file of this folder.
//
//   CONTENT_ASSET(rock) {
//       PixelCanvas pic(24, 16);
//       ...
//       out.Texture("rock", pic);
//   }
#include <string>

#include "tools/content/pixel_canvas.h"

class ContentOutput {
public:
    explicit ContentOutput(std::string gameFolder) : folder_(std::move(gameFolder)) {}
    // Writes <game>/textures/<name>.png.
    void Texture(const std::string& name, const PixelCanvas& picture);
    // Writes <game>/<relativePath> (text files such as levels).
    void Text(const std::string& relativePath, const std::string& content);

    int FilesWritten() const { return written_; }
    int Failures() const { return failures_; }

private:
    std::string folder_;
    int written_ = 0;
    int failures_ = 0;
};

using AssetFunction = void (*)(ContentOutput&);
int RegisterAsset(const char* name, AssetFunction fn);
// Runs every registered asset in name order (so the output never depends on link order).
void MakeAllAssets(ContentOutput& out);

#define CONTENT_ASSET(id)                                                  \
    static void MakeAsset_##id(ContentOutput& out);                        \
    static const int assetRegistration_##id = RegisterAsset(#id, MakeAsset_##id); \
    static void MakeAsset_##id(ContentOutput& out)
