#pragma once
// Fixed sizes of the lit scene. The shaders declare their light arrays with
// kMaxUploadedLights entries; the shadow mask has one bit per shadowed light.
constexpr int kMaxUploadedLights = 45;   // per kind, per pass
constexpr int kMaxShadowedLights = 32;   // bits of the R32UI mask
constexpr int kShadowVerticesPerCaster = 9;
constexpr int kShadowMaskWidth = 498;    // same width as the scene
constexpr int kShadowMaskHeight = 980;   // 280 visible rows + 700 above the view
constexpr int kShadowRowsAboveView = 700;
