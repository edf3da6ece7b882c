#include "tools/content/pixel_canvas.h"

#include <algorithm>
#include <cmath>

#include <lodepng.h>

#include "core/file_util.h"

static uint8_t ClampByte(float v) { return uint8_t(std::clamp(std::lround(v), 0l, 255l)); }

rgba Mix(rgba a, rgba b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return rgba{ClampByte(a.r + (b.r - a.r) * t), ClampByte(a.g + (b.g - a.g) * t),
                ClampByte(a.b + (b.b - a.b) * t), ClampByte(a.a + (b.a - a.a) * t)};
}

rgba Scale(rgba c, float f) { return rgba{ClampByte(c.r * f), ClampByte(c.g * f), ClampByte(c.b * f), c.a}; }

PixelCanvas::PixelCanvas(int width, int height, rgba fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

rgba PixelCanvas::Get(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : kClear; }

void PixelCanvas::Set(int x, int y, rgba c) {
    if (Inside(x, y)) pixels_[size_t(y) * width_ + x] = c;
}

void PixelCanvas::Blend(int x, int y, rgba c) {
    if (!Inside(x, y) || c.a == 0) return;
    rgba& d = pixels_[size_t(y) * width_ + x];
    float a = c.a / 255.0f;
    float outA = a + d.a / 255.0f * (1 - a);
    if (outA <= 0) return;
    auto ch = [&](uint8_t s, uint8_t dst) {
        return ClampByte((s * a + dst * (d.a / 255.0f) * (1 - a)) / outA);
    };
    d = rgba{ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), ClampByte(outA * 255)};
}

void PixelCanvas::FillRect(int x, int y, int w, int h, rgba c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void PixelCanvas::FillEllipse(float cx, float cy, float rx, float ry, rgba c) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) Set(x, y, c);
        }
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, rgba c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void PixelCanvas::Paste(const PixelCanvas& src, int x, int y) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i) {
            rgba c = src.Get(i, j);
            if (c.a == 255) Set(x + i, y + j, c);
            else if (c.a > 0) Blend(x + i, y + j, c);
        }
}

void PixelCanvas::Outline(rgba c) {
    PixelCanvas copy = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (copy.Get(x, y).a != 0) continue;
            bool edge = copy.Get(x - 1, y).a > 128 || copy.Get(x + 1, y).a > 128 || copy.Get(x, y - 1).a > 128 ||
                        copy.Get(x, y + 1).a > 128;
            if (edge) Set(x, y, c);
        }
}

PixelCanvas PixelCanvas::FlippedX() const {
    PixelCanvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, Get(x, y));
    return out;
}

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u ^ x * 0x85EBCA6Bu ^ y * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Hash01(int x, int y, uint32_t seed) { return (Hash(uint32_t(x), uint32_t(y), seed) >> 8) / 16777216.0f; }

float ValueNoise(float x, float y, float cell, uint32_t seed, int period) {
    float fx = x / cell, fy = y / cell;
    int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    float tx = fx - x0, ty = fy - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int wrap = period > 0 ? std::max(1, int(std::lround(period / cell))) : 0;
    auto corner = [&](int cx, int cy) {
        if (wrap) {
            cx = ((cx % wrap) + wrap) % wrap;
            cy = ((cy % wrap) + wrap) % wrap;
        }
        return Hash01(cx, cy, seed);
    };
    float a = corner(x0, y0), b = corner(x0 + 1, y0), c = corner(x0, y0 + 1), d = corner(x0 + 1, y0 + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

uint32_t Rng::Next() {
    uint64_t old = state_;
    state_ = old * 6364136223846793005ull + 1442695040888963407ull;
    uint32_t xorshifted = uint32_t(((old >> 18u) ^ old) >> 27u);
    uint32_t rot = uint32_t(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

float Rng::Uniform(float lo, float hi) { return lo + (hi - lo) * ((Next() >> 8) / 16777216.0f); }

int Rng::Range(int lo, int hiInclusive) { return lo + int(Next() % uint32_t(hiInclusive - lo + 1)); }

float HeightField::At(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return h[size_t(y) * width + x];
}

void HeightField::Dome(float cx, float cy, float rx, float ry, float top) {
    for (int y = std::max(0, int(cy - ry) - 1); y < std::min(height, int(cy + ry) + 2); ++y)
        for (int x = std::max(0, int(cx - rx) - 1); x < std::min(width, int(cx + rx) + 2); ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float d2 = dx * dx + dy * dy;
            if (d2 < 1.0f) Ref(x, y) = std::max(Ref(x, y), top * std::sqrt(1.0f - d2));
        }
}

Normal NormalAt(const HeightField& f, int x, int y, float strength) {
    // Central differences; image y grows downward, the normal's y points up.
    float dx = (f.At(x + 1, y) - f.At(x - 1, y)) * 0.5f * strength;
    float dy = (f.At(x, y + 1) - f.At(x, y - 1)) * 0.5f * strength;
    float nx = -dx, ny = dy, nz = 1.0f;
    float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    return Normal{nx / len, ny / len, nz / len};
}

PixelCanvas MakeNormalMap(const HeightField& field, const PixelCanvas& shape, float strength) {
    PixelCanvas out(shape.Width(), shape.Height(), Rgb(128, 128, 255, 0));
    for (int y = 0; y < shape.Height(); ++y)
        for (int x = 0; x < shape.Width(); ++x) {
            uint8_t a = shape.Get(x, y).a;
            if (a == 0) continue;
            Normal n = NormalAt(field, x, y, strength);
            out.Set(x, y, rgba{ClampByte((n.x * 0.5f + 0.5f) * 255), ClampByte((n.y * 0.5f + 0.5f) * 255),
                               ClampByte((n.z * 0.5f + 0.5f) * 255), a});
        }
    return out;
}

float LightFromUpperLeft(Normal n) {
    const float lx = -0.5f, ly = 0.6f, lz = 0.62f;
    return std::clamp(n.x * lx + n.y * ly + n.z * lz, 0.0f, 1.0f);
}

bool SavePng(const PixelCanvas& canvas, const std::string& path) {
    std::vector<unsigned char> raw;
    raw.reserve(canvas.Pixels().size() * 4);
    for (rgba c : canvas.Pixels()) {
        raw.push_back(c.r);
        raw.push_back(c.g);
        raw.push_back(c.b);
        raw.push_back(c.a);
    }
    std::vector<unsigned char> png;
    if (lodepng::encode(png, raw, unsigned(canvas.Width()), unsigned(canvas.Height())) != 0) return false;
    return WriteFileAtomically(path, std::string(png.begin(), png.end()));
}
