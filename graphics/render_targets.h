#pragma once
// The renderer's off-screen framebuffers.
//
// gBuffer: the 498 x 280 scene. Colour 0 RGBA8 (the lit colour; the window
// keeps 8 bits a channel and clips at 1 anyway, so a wider scene would only
// cost its conversions and twice the memory traffic), colour 1
// R32F (window-space depth, so the composition can depth-test later sprites
// against the scene), a 32-bit float depth buffer for the first-fragment rule
// (it holds draw ranks, not the pictures' depth). sBuffer: the 498 x 980
// shadow mask, R32UI (bit i = in the shadow of point light i). Nearest
// filtering everywhere: one texel is one world unit.
#include <cstdint>
#include <vector>

// A scene-sized target a free sprite is drawn into alone: colour and depth
// as the gBuffer's, no depth buffer (nothing is depth-tested there).
struct SceneLayer {
    uint32_t framebuffer = 0;
    uint32_t color = 0;  // texture, colour attachment 0
    uint32_t depth = 0;  // texture, colour attachment 1
};

struct RenderTargets {
    uint32_t gFramebuffer = 0;
    uint32_t gColor = 0;    // texture, colour attachment 0
    uint32_t gDepth = 0;    // texture, colour attachment 1
    uint32_t gRankDepth = 0;  // renderbuffer
    uint32_t sFramebuffer = 0;
    uint32_t sMask = 0;  // texture

    // Needs a current GL context. An incomplete framebuffer is reported on the
    // console ("gBuffer not complete!", "sBuffer0 not complete!") once, here,
    // and drawing goes on with whatever the driver gives.
    void Create();
    void Destroy();

    // Free-sprite layers, made the first time a frame needs so many.
    std::vector<SceneLayer> layers;
    void EnsureLayers(size_t count);
};
