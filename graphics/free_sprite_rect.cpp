#include "graphics/free_sprite_rect.h"

#include <algorithm>
#include <cmath>

#include <glm/vec2.hpp>

#include "core/camera.h"

namespace {

PixelRect FromBounds(float x0, float y0, float x1, float y1, int margin, int maxWidth, int maxHeight) {
    const int ix0 = std::max(0, int(std::floor(x0)) - margin);
    const int iy0 = std::max(0, int(std::floor(y0)) - margin);
    const int ix1 = std::min(maxWidth, int(std::ceil(x1)) + margin);
    const int iy1 = std::min(maxHeight, int(std::ceil(y1)) + margin);
    if (ix1 <= ix0 || iy1 <= iy0) return {};
    return {ix0, iy0, ix1 - ix0, iy1 - iy0};
}

// The corners of r as two triangles: (x0, y0) (x1, y0) (x1, y1), then
// (x1, y1) (x0, y1) (x0, y0).
template <typename Corner>
void AppendRectCorners(const PixelRect& r, Corner corner) {
    const int x0 = r.x, y0 = r.y, x1 = r.x + r.width, y1 = r.y + r.height;
    corner(x0, y0);
    corner(x1, y0);
    corner(x1, y1);
    corner(x1, y1);
    corner(x0, y1);
    corner(x0, y0);
}

}  // namespace

PixelRect SceneRectOfQuad(const glm::mat4& model, const glm::mat4& sceneView, int margin) {
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    for (float qx : {-0.5f, 0.5f}) {
        for (float qy : {0.0f, 1.0f}) {
            const glm::vec4 clip = sceneView * model * glm::vec4(qx, qy, 0.0f, 1.0f);
            const float x = (clip.x + 1.0f) * 0.5f * float(kSceneWidth);
            const float y = (-clip.y + 1.0f) * 0.5f * float(kSceneHeight);
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    // Anything far off the target (or not a number) leaves nothing to draw.
    if (!(x1 > -1e6f && x0 < 1e6f && y1 > -1e6f && y0 < 1e6f)) return {};
    return FromBounds(x0, y0, x1, y1, margin, kSceneWidth, kSceneHeight);
}

PixelRect WindowRectOfSceneRect(const PixelRect& scene, glm::vec3 shift, int pixelScale, int framebufferWidth,
                                int framebufferHeight) {
    if (scene.width <= 0 || scene.height <= 0) return {};
    // The composition quad maps scene pixel column X to window x
    // w/2 + s (shift.x + X - 249), and row Y (from the bottom) to window y
    // h/2 + s (Y - 140 - shift.y).
    const float s = float(pixelScale);
    const float cx = float(framebufferWidth) / 2.0f, cy = float(framebufferHeight) / 2.0f;
    const float x0 = cx + s * (shift.x + float(scene.x) - kSceneWidth / 2.0f);
    const float x1 = cx + s * (shift.x + float(scene.x + scene.width) - kSceneWidth / 2.0f);
    const float y0 = cy + s * (float(scene.y) - kSceneHeight / 2.0f - shift.y);
    const float y1 = cy + s * (float(scene.y + scene.height) - kSceneHeight / 2.0f - shift.y);
    return FromBounds(x0, y0, x1, y1, 1, framebufferWidth, framebufferHeight);
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

std::vector<FreeSpritePlace> PlaceFreeSprites(const std::vector<PixelRect>& cleared, int maxLayers) {
    std::vector<FreeSpritePlace> places(cleared.size());
    std::vector<std::vector<PixelRect>> layers;  // the current round's rectangles, by layer
    int round = 0;
    for (size_t j = 0; j < cleared.size(); ++j) {
        if (cleared[j].width <= 0 || cleared[j].height <= 0) continue;
        auto fits = [&](const std::vector<PixelRect>& taken) {
            return std::none_of(taken.begin(), taken.end(),
                                [&](const PixelRect& r) { return Intersect(r, cleared[j]).width > 0; });
        };
        size_t l = 0;
        while (l < layers.size() && !fits(layers[l])) ++l;
        if (l == layers.size() && int(l) == maxLayers) {
            ++round;
            layers.clear();
            l = 0;
        }
        if (l == layers.size()) layers.emplace_back();
        layers[l].push_back(cleared[j]);
        places[j] = {round, int(l)};
    }
    return places;
}

void AppendComposedRect(const PixelRect& window, glm::vec3 shift, glm::vec3 sceneShift, int pixelScale,
                        int framebufferWidth, int framebufferHeight, std::vector<float>& out) {
    // The view puts p at window s p + size / 2, y turned over by the vertex
    // shader; the whole quad spans kSceneWidth x kSceneHeight around the shift,
    // its first row (v = 0) at the bottom of the window's picture.
    const double s = pixelScale, halfW = framebufferWidth / 2.0, halfH = framebufferHeight / 2.0;
    auto origin = [&](glm::vec3 t) {
        return glm::dvec2(s * (double(t.x) - kSceneWidth / 2.0) + halfW, halfH - s * (double(t.y) + kSceneHeight / 2.0));
    };
    const glm::dvec2 o = origin(shift), so = origin(sceneShift);
    const double w = kSceneWidth * s, h = kSceneHeight * s;
    auto corner = [&](int x, int y) {
        out.insert(out.end(), {float((x - halfW) / s), float((halfH - y) / s), 0.0f, float((x - o.x) / w),
                               float((y - o.y) / h), float((x - so.x) / w), float((y - so.y) / h)});
    };
    AppendRectCorners(window, corner);
}

void AppendSceneRect(const PixelRect& scene, std::vector<float>& out) {
    // Clip x 2 X / width - 1; clip y likewise from the bottom row, turned
    // over here because the vertex program turns it over again.
    auto corner = [&](int x, int y) {
        out.insert(out.end(), {2.0f * float(x) / kSceneWidth - 1.0f, 1.0f - 2.0f * float(y) / kSceneHeight, 0.0f,
                               0.0f, 0.0f, 0.0f, 0.0f});
    };
    AppendRectCorners(scene, corner);
}

std::vector<ComposeDraw> PlanComposeDraws(const std::vector<PixelRect>& targets, const std::vector<int>& layers) {
    std::vector<ComposeDraw> draws;
    std::vector<size_t> drawOf(targets.size(), 0);
    for (size_t j = 0; j < targets.size(); ++j) {
        // After every draw holding a sprite ahead of it that it meets.
        size_t earliest = 0;
        for (size_t i = 0; i < j; ++i)
            if (Intersect(targets[i], targets[j]).width > 0) earliest = std::max(earliest, drawOf[i] + 1);
        size_t d = earliest;
        while (d < draws.size() && draws[d].layer != layers[j]) ++d;
        if (d == draws.size()) draws.push_back({layers[j], {}});
        draws[d].sprites.push_back(j);
        drawOf[j] = d;
    }
    return draws;
}
