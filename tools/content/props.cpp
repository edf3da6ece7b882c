// Lit props of the forest clearing: trees, rocks, a bush and a log seat. Each is
// modelled as a height field, so the diffuse picture is shaded from the same
// shape that its "_nm" normal map describes and the engine's lights agree with
// the painted light.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/content/content.h"
#include "tools/content/palette.h"
#include "tools/content/shading.h"

namespace {
const rgba kOutlineLeaf = Rgb(12, 24, 28);
const rgba kOutlineStone = Rgb(30, 30, 40);
const rgba kOutlineWood = Rgb(30, 20, 20);
const std::vector<rgba> kLeafRamp = {pal::leaf0, pal::leaf1, pal::leaf2, pal::leaf3, pal::leaf4};
const std::vector<rgba> kPineRamp = {Rgb(16, 36, 40), Rgb(24, 56, 52), Rgb(36, 80, 62), Rgb(56, 106, 70),
                                     Rgb(88, 136, 82)};
const std::vector<rgba> kBarkRamp = {pal::bark0, pal::bark1, pal::bark2, pal::bark3};
const std::vector<rgba> kStoneRamp = {pal::stone0, pal::stone1, pal::stone2, pal::stone3, pal::stone4};

// Paints the opaque pixels of `shape` from a ramp, shaded by the field's normals.
void ShadeFromField(PixelCanvas& pic, const PixelCanvas& shape, const HeightField& field,
                    const std::vector<rgba>& ramp, float ambient, float strength) {
    for (int y = 0; y < shape.Height(); ++y)
        for (int x = 0; x < shape.Width(); ++x) {
            if (!shape.Get(x, y).a) continue;
            float light = LightFromUpperLeft(NormalAt(field, x, y, strength));
            pic.Set(x, y, RampColor(ramp, ambient + (1 - ambient) * light, x, y));
        }
}

// Tree trunk: a vertical cylinder from (cx - w/2) to (cx + w/2), rows y0..y1, with
// roots flaring out over the last rows.
void Trunk(PixelCanvas& shape, HeightField& field, int cx, int w, int y0, int y1) {
    for (int y = y0; y <= y1; ++y) {
        int flare = std::max(0, y - (y1 - 3));
        int half = w / 2 + flare;
        for (int x = cx - half; x < cx + half + (w % 2); ++x) {
            shape.Set(x, y, pal::bark1);
            float u = (x + 0.5f - cx) / float(half + 0.5f);
            field.Ref(x, y) = std::max(field.Ref(x, y), 4.0f * std::sqrt(std::max(0.0f, 1 - u * u)));
        }
    }
}

void SaveLit(ContentOutput& out, const std::string& name, const PixelCanvas& pic, const HeightField& field,
             float strength) {
    out.Texture(name, pic);
    out.Texture(name + "_nm", MakeNormalMap(field, pic, strength));
}

void MakePine(ContentOutput& out, const std::string& name, uint32_t seed) {
    const int W = 40, H = 64, cx = W / 2;
    PixelCanvas shape(W, H), pic(W, H);
    HeightField field(W, H);
    Trunk(shape, field, cx, 6, 48, H - 1);
    ShadeFromField(pic, shape, field, kBarkRamp, 0.15f, 0.8f);
    // Five tiers from the bottom up; each later tier is painted over the one
    // below it, so its drooping skirt overlaps and shades the lower one.
    std::vector<int> owner(size_t(W) * H, -1);
    for (int t = 0; t < 5; ++t) {
        const float baseY = 50.0f - t * 8.5f, apexY = baseY - 18.0f + t * 1.5f;
        const float rx = 19.0f - t * 3.4f;
        PixelCanvas tier(W, H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                float dx = std::fabs(x + 0.5f - cx);
                float jag = (Hash01(x, t, seed) > 0.5f ? 1.0f : 0.0f) + ((x + t) % 3 == 0 ? 1.0f : 0.0f);
                float bottom = baseY + 2.5f * dx / rx - jag;
                float widthHere = rx * (y - apexY) / (bottom - apexY + 0.01f);
                if (y >= apexY && y <= bottom && dx <= widthHere && dx <= rx) tier.Set(x, y, pal::leaf2);
            }
        HeightField th = HeightFromSilhouette(tier, 5, 5.0f);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (tier.Get(x, y).a) {
                    shape.Set(x, y, pal::leaf2);
                    field.Ref(x, y) = th.At(x, y) + 3.0f + t * 0.5f + Hash01(x, y, seed + 7) * 0.7f;
                    owner[size_t(y) * W + x] = t;
                }
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            int t = owner[size_t(y) * W + x];
            if (t < 0) continue;
            float light = LightFromUpperLeft(NormalAt(field, x, y, 1.0f));
            // the tier above hangs over this one: shade the strip just below its skirt
            bool shaded = false;
            for (int up = 1; up <= 2; ++up)
                if (y - up >= 0 && owner[size_t(y - up) * W + x] > t) shaded = true;
            float b = 0.12f + 0.88f * light;
            if (shaded) b *= 0.45f;
            pic.Set(x, y, RampColor(kPineRamp, b, x, y));
        }
    pic.Outline(kOutlineLeaf);
    SaveLit(out, name, pic, field, 1.0f);
}

struct Dome {
    float cx, cy, rx, ry, top;
};

void MakeRoundTree(ContentOutput& out, const std::string& name, const std::vector<Dome>& canopy, int W, int H,
                   int trunkW, int trunkTop, uint32_t seed) {
    PixelCanvas shape(W, H), pic(W, H);
    HeightField field(W, H);
    Trunk(shape, field, W / 2, trunkW, trunkTop, H - 1);
    ShadeFromField(pic, shape, field, kBarkRamp, 0.15f, 0.8f);
    // bark grain: a few dark vertical streaks
    for (int y = trunkTop; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (shape.Get(x, y).a && Hash01(x, y / 3, seed) > 0.8f) pic.Set(x, y, pal::bark0);
    HeightField leaves(W, H);
    for (const Dome& d : canopy) leaves.Dome(d.cx, d.cy, d.rx, d.ry, d.top);
    // Leaf clusters: small domes scattered over the crown give it a clumpy
    // surface that the normal map turns into many little lit tufts.
    Rng rng(seed);
    HeightField tufts(W, H);
    for (int i = 0; i < W * H / 14; ++i) {
        float x = rng.Uniform(0, float(W)), y = rng.Uniform(0, float(H));
        if (leaves.At(int(x), int(y)) > 0) tufts.Dome(x, y, rng.Uniform(2.0f, 3.5f), rng.Uniform(1.6f, 2.6f), 1.5f);
    }
    PixelCanvas canopyShape(W, H);
    float maxH = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            float h = leaves.At(x, y);
            // ragged rim: thin leaves at the very edge drop out at random
            if (h <= 0 || (h < 1.6f && Hash01(x, y, seed + 1) > 0.55f)) continue;
            canopyShape.Set(x, y, pal::leaf2);
            field.Ref(x, y) = h + 6.0f + tufts.At(x, y);
            maxH = std::max(maxH, h);
        }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!canopyShape.Get(x, y).a) continue;
            float light = LightFromUpperLeft(NormalAt(field, x, y, 0.9f));
            // inner parts of the crown, low in the field, get less sky
            float occlusion = 0.6f + 0.4f * leaves.At(x, y) / maxH;
            pic.Set(x, y, RampColor(kLeafRamp, (0.1f + 0.9f * light) * occlusion, x, y));
        }
    pic.Outline(kOutlineLeaf);
    SaveLit(out, name, pic, field, 0.9f);
}

// A boulder: overlapping domes with their heights stepped, which gives the flat
// facets that read as stone rather than as a soft blob; moss on the upward faces.
void MakeRock(ContentOutput& out, const std::string& name, int W, int H, const std::vector<Dome>& domes,
              uint32_t seed) {
    HeightField field(W, H);
    for (const Dome& d : domes) field.Dome(d.cx, d.cy, d.rx, d.ry, d.top);
    PixelCanvas shape(W, H), pic(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (field.At(x, y) > 0) {
                shape.Set(x, y, pal::stone2);
                field.Ref(x, y) = std::floor(field.At(x, y) / 1.5f) * 1.5f + 1.0f;
            }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!shape.Get(x, y).a) continue;
            Normal n = NormalAt(field, x, y, 0.9f);
            rgba c = RampColor(kStoneRamp, 0.1f + 0.9f * LightFromUpperLeft(n), x, y);
            if (n.y > 0.35f && Hash01(x, y, seed) > 0.45f) c = n.x < 0 ? pal::leaf3 : pal::leaf2;
            if (Hash01(x, y, seed + 1) > 0.93f) c = pal::stone0;  // pits
            pic.Set(x, y, c);
        }
    pic.Outline(kOutlineStone);
    SaveLit(out, name, pic, field, 0.9f);
}
}  // namespace

CONTENT_ASSET(tree_pine) {
    MakePine(out, "tree_pine", 51);
    MakePine(out, "tree_pine_b", 52);
}

CONTENT_ASSET(tree_oak) {
    MakeRoundTree(out, "tree_oak",
                  {{28, 22, 17, 14, 9}, {15, 30, 12, 10, 7}, {41, 30, 12, 10, 7}, {21, 12, 11, 9, 8},
                   {36, 13, 11, 9, 8}, {28, 37, 15, 7, 6}, {9, 22, 7, 7, 5}, {47, 21, 7, 7, 5}},
                  56, 64, 8, 38, 61);
}

CONTENT_ASSET(bush) {
    MakeRoundTree(out, "bush", {{8, 9, 7, 6, 5}, {16, 8, 8, 7, 6}, {12, 5, 6, 5, 5}, {20, 11, 5, 4, 4}}, 26, 16, 2,
                  15, 71);
}

CONTENT_ASSET(rock) {
    MakeRock(out, "rock", 26, 18, {{12, 10, 11, 7.5f, 8}, {7, 12, 6.5f, 5, 5}, {19, 12, 6.5f, 5.5f, 6}}, 81);
    MakeRock(out, "rock_small", 14, 10, {{7, 5.5f, 6, 4, 5}, {4, 6, 3.5f, 3, 3}}, 82);
}

// A felled log to sit on by the fire: a horizontal cylinder, bark on the
// round face, the sawn end showing its rings on the right.
CONTENT_ASSET(log_seat) {
    const int W = 30, H = 12;
    PixelCanvas pic(W, H);
    HeightField field(W, H);
    for (int y = 1; y < H - 1; ++y)
        for (int x = 1; x < W - 5; ++x) {
            float v = (y + 0.5f - H / 2.0f) / (H / 2.0f - 1);
            field.Ref(x, y) = 5.0f * std::sqrt(std::max(0.0f, 1 - v * v));
            pic.Set(x, y, pal::bark1);
        }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!pic.Get(x, y).a) continue;
            float light = LightFromUpperLeft(NormalAt(field, x, y, 1.0f));
            rgba c = RampColor(kBarkRamp, 0.1f + 0.9f * light, x, y);
            if ((x * 7 + y * 3) % 11 == 0) c = pal::bark0;
            pic.Set(x, y, c);
        }
    // sawn end: concentric rings
    for (int y = 1; y < H - 1; ++y)
        for (int x = W - 9; x < W - 1; ++x) {
            float dx = (x + 0.5f - (W - 5)) / 3.6f, dy = (y + 0.5f - H / 2.0f) / 5.0f;
            float r = std::sqrt(dx * dx + dy * dy);
            if (r > 1) continue;
            pic.Set(x, y, r > 0.8f ? pal::bark2 : (int(r * 5) % 2 ? pal::dirt2 : pal::dirt3));
            field.Ref(x, y) = 5.0f;
        }
    pic.Outline(kOutlineWood);
    SaveLit(out, "log_seat", pic, field, 1.0f);
}
