#pragma once
// A small RGBA picture that the content generator paints into, plus the helpers
// every asset needs: deterministic noise, sprite-sheet cell placement and normal
// maps derived from height fields.
//
// Coordinates are image pixels, (0, 0) at the top-left, y growing downward, the
// same order in which the PNG rows are stored.
#include <cstdint>
#include <string>
#include <vector>

struct rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};
constexpr rgba kClear{0, 0, 0, 0};

inline constexpr rgba Rgb(int r, int g, int b, int a = 255) {
    return rgba{uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a)};
}
// Linear mix of two colours, t in [0, 1] (0 gives a, 1 gives b).
rgba Mix(rgba a, rgba b, float t);
// Multiplies the colour channels by f (clamped), alpha unchanged.
rgba Scale(rgba c, float f);

class PixelCanvas {
public:
    PixelCanvas() = default;
    PixelCanvas(int width, int height, rgba fill = kClear);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    rgba Get(int x, int y) const;            // outside reads as transparent
    void Set(int x, int y, rgba c);          // outside is ignored
    void Blend(int x, int y, rgba c);        // source-over with the colour's alpha
    void FillRect(int x, int y, int w, int h, rgba c);
    void FillEllipse(float cx, float cy, float rx, float ry, rgba c);
    void Line(int x0, int y0, int x1, int y1, rgba c);
    // Copies every non-transparent pixel of src with its top-left at (x, y).
    void Paste(const PixelCanvas& src, int x, int y);
    // Draws a one-pixel outline of colour c around every opaque region.
    void Outline(rgba c);
    PixelCanvas FlippedX() const;

    const std::vector<rgba>& Pixels() const { return pixels_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<rgba> pixels_;
};

// A sheet of rows x columns equal cells. The engine numbers frames from the
// bottom strip of the image upward (grid row 0 is the bottom strip), so cells are
// addressed here the same way: CellX/CellY give the image pixel of the top-left
// corner of the cell in the given column and grid row.
struct SheetLayout {
    int cellW, cellH, columns, rows;
    int Width() const { return cellW * columns; }
    int Height() const { return cellH * rows; }
    int CellX(int column) const { return column * cellW; }
    int CellY(int gridRow) const { return (rows - 1 - gridRow) * cellH; }
};

// Deterministic hash noise: the same inputs give the same value on every run
// and machine. Hash01 is in [0, 1).
uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed);
float Hash01(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1) on a lattice of the given cell size; with
// period > 0 it repeats every period pixels so tiles join without seams.
float ValueNoise(float x, float y, float cell, uint32_t seed, int period = 0);

// Small sequential generator for placement (PCG-style, fixed seed).
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 6364136223846793005ull + 1442695040888963407ull) {}
    uint32_t Next();
    float Uniform(float lo, float hi);
    int Range(int lo, int hiInclusive);

private:
    uint64_t state_;
};

// Height field (in pixels of height) the size of a picture; used to shade the
// diffuse picture and to derive its "_nm" normal map.
struct HeightField {
    int width = 0, height = 0;
    std::vector<float> h;
    HeightField(int w, int hgt) : width(w), height(hgt), h(size_t(w) * hgt, 0.0f) {}
    float At(int x, int y) const;  // clamped to the edge
    float& Ref(int x, int y) { return h[size_t(y) * width + x]; }
    // Raises the field to a half-ellipsoid dome (max, not sum, so domes merge).
    void Dome(float cx, float cy, float rx, float ry, float top);
};

// Surface normal at a pixel, x right, y up the picture, z out of the screen.
struct Normal {
    float x, y, z;
};
Normal NormalAt(const HeightField& field, int x, int y, float strength);

// Normal map picture: R = x (right), G = y (up the picture), B = z (towards the
// viewer), each mapped from [-1, 1] to [0, 255]; a flat surface is (128, 128, 255).
// Pixels transparent in `shape` stay flat and transparent.
PixelCanvas MakeNormalMap(const HeightField& field, const PixelCanvas& shape, float strength);

// Shading term of a normal lit from the upper left, in [0, 1].
float LightFromUpperLeft(Normal n);

// PNG encoding (lodepng), written atomically. Returns false on failure.
bool SavePng(const PixelCanvas& canvas, const std::string& path);
