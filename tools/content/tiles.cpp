// Ground tiles (16 x 16): grass variants, and path, stone paving and water each
// with the 14 corner transitions against grass. All patterns repeat every 16
// pixels so neighbouring tiles join without seams.
#include <cmath>
#include <functional>

#include "tools/content/content.h"
#include "tools/content/palette.h"
#include "tools/content/terrain.h"

namespace {
constexpr float kPi = 3.14159265f;
using Material = std::function<rgba(int x, int y)>;

// Grass: a mid-green field with finer darker and lighter patches and scattered
// blades (a light tip over a dark root). Kept low in contrast so the 16-pixel
// repeat does not show as a checker across a lawn.
rgba GrassAt(int x, int y, uint32_t seed) {
    float n = ValueNoise(float(x), float(y), 4, seed, kTileSize) * 0.6f +
              ValueNoise(float(x), float(y), 8, seed + 1, kTileSize) * 0.4f;
    rgba c = n < 0.34f ? pal::grass0 : n < 0.68f ? pal::grass1 : pal::grass2;
    auto bladeAt = [&](int bx, int by) { return Hash01(bx & 15, by & 15, seed + 2) > 0.9f; };
    if (bladeAt(x, y)) c = pal::grass3;
    else if (bladeAt(x, y - 1)) c = pal::grass0;
    return c;
}

rgba PathAt(int x, int y) {
    float n = ValueNoise(float(x), float(y), 8, 21, kTileSize) * 0.6f +
              ValueNoise(float(x), float(y), 4, 22, kTileSize) * 0.4f;
    rgba c = n < 0.4f ? pal::dirt1 : n < 0.68f ? pal::dirt2 : pal::dirt1;
    float pebble = Hash01(x, y, 23);
    if (pebble > 0.95f) c = pal::dirt3;
    else if (pebble < 0.04f) c = pal::dirt0;
    return c;
}

// Paving: irregular cobbles from the nearest of a few periodic seed points,
// mortar where two cobbles meet, a highlight towards the upper left.
rgba StoneAt(int x, int y) {
    static const float seeds[][2] = {{3, 3}, {11, 2}, {7, 8}, {14, 9}, {2, 12}, {10, 14}};
    float best = 1e9f, second = 1e9f;
    int bestIndex = 0;
    float bdx = 0, bdy = 0;
    for (int i = 0; i < 6; ++i)
        for (int oy = -1; oy <= 1; ++oy)
            for (int ox = -1; ox <= 1; ++ox) {
                float dx = x + 0.5f - (seeds[i][0] + ox * kTileSize), dy = y + 0.5f - (seeds[i][1] + oy * kTileSize);
                float d = std::sqrt(dx * dx + dy * dy);
                if (d < best) {
                    second = best;
                    best = d;
                    bestIndex = i;
                    bdx = dx;
                    bdy = dy;
                } else if (d < second) {
                    second = d;
                }
            }
    if (second - best < 1.1f) return pal::stone0;
    float shade = -(bdx + bdy) * 0.08f + (Hash01(bestIndex, 0, 31) - 0.5f) * 0.6f;
    if (second - best < 2.2f && (bdx > 0 || bdy > 0)) return pal::stone1;
    return shade > 0.25f ? pal::stone3 : shade > -0.2f ? pal::stone2 : pal::stone1;
}

rgba WaterAt(int x, int y) {
    float n = ValueNoise(float(x), float(y) * 2.0f, 8, 41, kTileSize);
    rgba c = n < 0.45f ? pal::water0 : pal::water1;
    // short horizontal ripples
    int phase = (y * 7) % kTileSize;
    if ((y % 5 == 1) && ((x + phase) % kTileSize) < 4) c = pal::water2;
    if ((y % 5 == 1) && ((x + phase) % kTileSize) == 1) c = pal::water3;
    return c;
}

Material GroundMaterial(Ground g) {
    switch (g) {
        case Ground::Path: return PathAt;
        case Ground::Stone: return StoneAt;
        case Ground::Water: return WaterAt;
        case Ground::Grass: break;
    }
    return [](int x, int y) { return GrassAt(x, y, 11); };
}

PixelCanvas PlainTile(const Material& m) {
    PixelCanvas pic(kTileSize, kTileSize);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) pic.Set(x, y, m(x, y));
    return pic;
}

// Whether pixel (x, y) of a transition tile shows the material: bilinear blend of
// the corner flags, disturbed by noise that fades to zero at the tile border so
// that the boundary meets the neighbouring tile at the same place.
bool IsMaterial(int mask, int x, int y, uint32_t seed) {
    float u = (x + 0.5f) / kTileSize, v = (y + 0.5f) / kTileSize;
    float tl = mask & 1, tr = (mask >> 1) & 1, bl = (mask >> 2) & 1, br = (mask >> 3) & 1;
    float f = (tl * (1 - u) + tr * u) * (1 - v) + (bl * (1 - u) + br * u) * v;
    float window = std::sin(kPi * std::clamp(u, 0.0f, 1.0f)) * std::sin(kPi * std::clamp(v, 0.0f, 1.0f));
    float noise = (ValueNoise(float(x), float(y), 4, seed) - 0.5f) * 0.55f * window;
    return f + noise > 0.5f;
}

// Which decoration a pixel near the boundary gets.
struct EdgeStyle {
    rgba materialRim;   // material pixel touching grass
    rgba materialRim2;  // material pixel two steps from grass (alpha 0: none)
    rgba grassRim;      // grass pixel touching the material
};

EdgeStyle GroundEdge(Ground g) {
    switch (g) {
        case Ground::Path: return {pal::dirt0, kClear, pal::grass3};
        case Ground::Stone: return {pal::stone0, kClear, pal::grass0};
        case Ground::Water: return {pal::foam, pal::water3, pal::dirt0};
        case Ground::Grass: break;
    }
    return {};
}

PixelCanvas TransitionTile(Ground g, int mask) {
    const Material material = GroundMaterial(g);
    const EdgeStyle edge = GroundEdge(g);
    const uint32_t seed = 100 + uint32_t(g);
    auto inside = [&](int x, int y) { return IsMaterial(mask, x, y, seed); };
    auto near = [&](int x, int y, bool want, int dist) {
        for (int d = 1; d <= dist; ++d)
            if (inside(x + d, y) == want || inside(x - d, y) == want || inside(x, y + d) == want ||
                inside(x, y - d) == want)
                return true;
        return false;
    };
    PixelCanvas pic(kTileSize, kTileSize);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) {
            rgba c;
            if (inside(x, y)) {
                c = material(x, y);
                if (near(x, y, false, 1)) c = edge.materialRim;
                else if (edge.materialRim2.a && near(x, y, false, 2)) c = edge.materialRim2;
            } else {
                c = GrassAt(x, y, 11);
                if (near(x, y, true, 1)) c = edge.grassRim;
            }
            pic.Set(x, y, c);
        }
    return pic;
}

void GroundSet(ContentOutput& out, Ground g) {
    out.Texture(GroundTileName(g, 15), PlainTile(GroundMaterial(g)));
    for (int mask = 1; mask < 15; ++mask) out.Texture(GroundTileName(g, mask), TransitionTile(g, mask));
}
}  // namespace

CONTENT_ASSET(tiles_grass) {
    out.Texture("grass", PlainTile([](int x, int y) { return GrassAt(x, y, 11); }));
    out.Texture("grass_b", PlainTile([](int x, int y) { return GrassAt(x, y, 12); }));
    // tufts: little upright blades, light tip over a dark root
    PixelCanvas tuft = PlainTile([](int x, int y) { return GrassAt(x, y, 13); });
    for (auto [tx, ty] : {std::pair{3, 5}, {10, 11}, {12, 3}}) {
        tuft.Set(tx, ty, pal::grass4);
        tuft.Set(tx, ty + 1, pal::grass3);
        tuft.Set(tx - 1, ty + 1, pal::grass3);
        tuft.Set(tx + 1, ty + 1, pal::grass3);
        tuft.Set(tx, ty + 2, pal::grass0);
        tuft.Set(tx - 1, ty + 2, pal::grass0);
        tuft.Set(tx + 1, ty + 2, pal::grass0);
    }
    out.Texture("grass_tuft", tuft);
    PixelCanvas flowers = PlainTile([](int x, int y) { return GrassAt(x, y, 14); });
    const rgba petals[] = {pal::petalBlue, pal::petalWhite, pal::petalPink};
    const int spots[][2] = {{4, 4}, {11, 9}, {5, 13}};
    for (int i = 0; i < 3; ++i) {
        int fx = spots[i][0], fy = spots[i][1];
        flowers.Set(fx, fy - 1, petals[i]);
        flowers.Set(fx - 1, fy, petals[i]);
        flowers.Set(fx + 1, fy, petals[i]);
        flowers.Set(fx, fy + 1, petals[i]);
        flowers.Set(fx, fy, pal::fire3);
        flowers.Set(fx, fy + 2, pal::grass0);
    }
    out.Texture("grass_flowers", flowers);
}

CONTENT_ASSET(tiles_path) { GroundSet(out, Ground::Path); }
CONTENT_ASSET(tiles_stone) { GroundSet(out, Ground::Stone); }
CONTENT_ASSET(tiles_water) { GroundSet(out, Ground::Water); }
