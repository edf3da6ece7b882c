#include "tools/content/shading.h"

#include <algorithm>
#include <cmath>

rgba RampColor(const std::vector<rgba>& ramp, float brightness, int x, int y) {
    static const float bayer[2][2] = {{0.125f, 0.625f}, {0.875f, 0.375f}};
    float scaled = std::clamp(brightness, 0.0f, 1.0f) * float(ramp.size() - 1);
    int base = int(scaled);
    float frac = scaled - float(base);
    int index = frac > bayer[y & 1][x & 1] ? base + 1 : base;
    return ramp[size_t(std::clamp(index, 0, int(ramp.size()) - 1))];
}

HeightField HeightFromSilhouette(const PixelCanvas& shape, int rise, float top) {
    const int w = shape.Width(), h = shape.Height();
    // Two-pass chamfer distance to the nearest transparent pixel (outside counts as transparent).
    std::vector<float> dist(size_t(w) * h);
    const float far = 1e6f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) dist[size_t(y) * w + x] = shape.Get(x, y).a ? far : 0.0f;
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : dist[size_t(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float& d = dist[size_t(y) * w + x];
            d = std::min({d, at(x - 1, y) + 1, at(x, y - 1) + 1, at(x - 1, y - 1) + 1.414f, at(x + 1, y - 1) + 1.414f});
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            float& d = dist[size_t(y) * w + x];
            d = std::min({d, at(x + 1, y) + 1, at(x, y + 1) + 1, at(x + 1, y + 1) + 1.414f, at(x - 1, y + 1) + 1.414f});
        }
    HeightField field(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float t = std::min(dist[size_t(y) * w + x], float(rise)) / float(rise);
            field.Ref(x, y) = top * std::sqrt(std::max(0.0f, 1.0f - (1 - t) * (1 - t)));
        }
    return field;
}

void AddHeight(HeightField& field, const PixelCanvas& shape, float extra) {
    for (int y = 0; y < field.height; ++y)
        for (int x = 0; x < field.width; ++x)
            if (shape.Get(x, y).a) field.Ref(x, y) += extra;
}

PixelCanvas MaskOfColors(const PixelCanvas& pic, std::initializer_list<rgba> glowing) {
    PixelCanvas mask(pic.Width(), pic.Height());
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x) {
            rgba c = pic.Get(x, y);
            if (c.a == 0) continue;
            bool glow = false;
            for (rgba g : glowing) glow = glow || (c.r == g.r && c.g == g.g && c.b == g.b);
            mask.Set(x, y, glow ? Rgb(255, 255, 255, c.a) : Rgb(0, 0, 0, c.a));
        }
    return mask;
}
