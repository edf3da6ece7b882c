#pragma once
// The renderer's off-screen framebuffers.
//
// gBuffer: the 498 x 280 scene as the lit sprites and tiles lay it down.
// Colour 0 RGBA32F (colour times tint, exactly as the lighting reads it),
// colour 1 R32F (window-space depth, so the composition can depth-test later
// sprites against the scene), colour 2 RGBA8 (the "_nm" texel and the shine),
// a 32-bit float depth buffer for the first-fragment rule (it holds draw
// ranks, not the pictures' depth). The light pass writes the lit colour to
// gColor, RGBA8: the window keeps 8 bits a channel and clips at 1 anyway, so
// a wider scene would only cost its conversions and memory traffic. sBuffer:
// the 498 x 980 shadow mask, R32UI (bit i = in the shadow of point light i).
// Nearest filtering everywhere: one texel is one world unit.
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
    uint32_t gFramebuffer = 0;  // what the lit sprites and tiles lay down
    uint32_t gBase = 0;         // texture, colour attachment 0
    uint32_t gDepth = 0;        // texture, colour attachment 1
    uint32_t gNormalShine = 0;  // texture, colour attachment 2
    uint32_t gRankDepth = 0;    // renderbuffer
    uint32_t lightFramebuffer = 0;  // the light pass's output
    uint32_t gColor = 0;            // texture, its colour attachment 0
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
