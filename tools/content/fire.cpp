// Things that give light: the campfire and the lantern (animated flicker sheets
// with "_sm" masks marking their flames as glowing), and the fireflies (drawn
// unlit, so their glow is the picture itself).
#include <algorithm>
#include <cmath>

#include "tools/content/content.h"
#include "tools/content/palette.h"
#include "tools/content/shading.h"

namespace {
constexpr float kPi = 3.14159265f;

// The stone ring and crossed logs under the fire; identical in every frame.
void CampfireBase(PixelCanvas& c, HeightField& field) {
    PixelCanvas logs(24, 24);
    logs.Line(4, 21, 18, 16, pal::bark1);
    logs.Line(4, 20, 18, 15, pal::bark2);
    logs.Line(5, 16, 19, 21, pal::bark1);
    logs.Line(5, 15, 19, 20, pal::bark2);
    logs.Set(18, 15, pal::dirt3);
    logs.Set(19, 20, pal::dirt3);
    logs.Set(4, 20, pal::dirt3);
    c.Paste(logs, 0, 0);
    const int stones[][2] = {{2, 20}, {6, 22}, {11, 23}, {16, 22}, {20, 20}, {21, 17}, {1, 17}};
    for (auto [sx, sy] : stones) {
        c.FillEllipse(sx + 0.5f, sy + 0.5f, 2.2f, 1.6f, pal::stone2);
        c.Set(sx - 1, sy - 1, pal::stone3);
        c.Set(sx + 1, sy + 1, pal::stone0);
        field.Dome(sx + 0.5f, sy + 0.5f, 2.2f, 1.6f, 2.0f);
    }
    // embers glowing among the logs
    c.Set(10, 18, pal::ember);
    c.Set(13, 19, pal::fire2);
    c.Set(12, 17, pal::ember);
}

// One frame of flames: a column of fire whose height at each x follows a
// tapered profile, disturbed by noise that moves upward from frame to frame.
void Flames(PixelCanvas& c, int frame, int frames) {
    const float cx = 12.0f, baseY = 18.0f;
    for (int x = 5; x < 19; ++x) {
        float dx = (x + 0.5f - cx) / 6.0f;
        float profile = std::max(0.0f, 1.0f - dx * dx);
        float t = float(frame) / float(frames);
        // slow sway plus narrow tongues that leap in alternate columns
        float wobble = ValueNoise(x * 1.0f, t * 24.0f, 3, 301, 0) * 0.5f + 0.55f +
                       0.15f * std::sin(2 * kPi * (t + x * 0.13f));
        float tongue = (x + frame) % 3 == 0 ? 0.25f * Hash01(x, frame, 302) : 0.0f;
        float height = 15.0f * profile * (wobble + tongue);
        for (int y = int(baseY - height); y <= int(baseY); ++y) {
            float rel = (baseY - y) / std::max(1.0f, height);  // 0 at the base, 1 at the tip
            float core = rel + std::fabs(dx) * 0.9f;
            rgba col = core < 0.35f ? pal::fire4 : core < 0.6f ? pal::fire3 : core < 0.85f ? pal::fire2 : pal::fire1;
            if (rel > 0.92f) col = pal::fire0;
            c.Set(x, y, col);
        }
    }
    // sparks rising
    for (int s = 0; s < 3; ++s) {
        int sx = 7 + int(Hash01(s, frame / 2, 311) * 10);
        int sy = 1 + int(Hash01(s, frame, 312) * 6) + ((frame + s * 2) % frames);
        if (c.Get(sx, sy).a == 0) c.Set(sx, sy, s == 0 ? pal::fire3 : pal::ember);
    }
}
}  // namespace

// Six-frame flicker, one row of 24 x 24 cells (frames 1-6 left to right).
CONTENT_ASSET(campfire) {
    const int frames = 6;
    const SheetLayout sheet{24, 24, frames, 1};
    PixelCanvas pic(sheet.Width(), sheet.Height());
    HeightField field(sheet.Width(), sheet.Height());
    for (int f = 0; f < frames; ++f) {
        PixelCanvas cell(24, 24);
        HeightField cellField(24, 24);
        CampfireBase(cell, cellField);
        Flames(cell, f, frames);
        pic.Paste(cell, sheet.CellX(f), sheet.CellY(0));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) field.Ref(sheet.CellX(f) + x, sheet.CellY(0) + y) = cellField.At(x, y);
    }
    out.Texture("campfire", pic);
    out.Texture("campfire_nm", MakeNormalMap(field, pic, 1.0f));
    out.Texture("campfire_sm",
                MaskOfColors(pic, {pal::fire0, pal::fire1, pal::fire2, pal::fire3, pal::fire4, pal::ember}));
}

// A lantern on a wooden post, in one row of 12 x 32 cells; `glass` is the
// colour of its glass in each frame and `flame` whether a flame burns in it.
static PixelCanvas LanternSheet(const rgba (&glass)[4], bool flame) {
    const int frames = 4;
    const SheetLayout sheet{12, 32, frames, 1};
    PixelCanvas pic(sheet.Width(), sheet.Height());
    const rgba iron = Rgb(44, 44, 56), ironLight = Rgb(82, 84, 100);
    for (int f = 0; f < frames; ++f) {
        PixelCanvas c(12, 32);
        c.FillRect(5, 12, 2, 20, pal::bark1);  // post
        c.FillRect(5, 12, 1, 20, pal::bark2);
        c.FillRect(4, 30, 4, 2, pal::bark0);
        c.FillRect(3, 2, 6, 1, iron);  // cap
        c.FillRect(4, 1, 4, 1, iron);
        c.Set(5, 0, iron);
        c.Set(6, 0, ironLight);
        c.FillRect(3, 3, 6, 7, iron);  // frame
        c.FillRect(4, 4, 4, 5, glass[f]);
        if (flame) {
            c.Set(5 + (f % 2), 6, Rgb(255, 255, 255));  // flame core
            c.Set(5 + (f % 2), 7, Rgb(255, 255, 255));
        }
        c.FillRect(3, 10, 6, 1, iron);
        c.FillRect(4, 11, 4, 1, ironLight);
        c.Outline(Rgb(20, 18, 28));
        pic.Paste(c, sheet.CellX(f), sheet.CellY(0));
    }
    return pic;
}

// The lantern with a cold blue flame; four frames of flicker.
CONTENT_ASSET(lantern) {
    const rgba glass[] = {Rgb(150, 196, 240), pal::glowBlue, Rgb(226, 242, 255), pal::glowBlue};
    PixelCanvas pic = LanternSheet(glass, true);
    out.Texture("lantern", pic);
    out.Texture("lantern_nm", MakeNormalMap(HeightFromSilhouette(pic, 2, 2.0f), pic, 1.0f));
    out.Texture("lantern_sm", MaskOfColors(pic, {glass[0], glass[1], glass[2], Rgb(255, 255, 255)}));
}

// The same lantern before it is lit: dark glass and no flame, with the same
// sheet layout so a script can swap one texture for the other.
CONTENT_ASSET(lantern_cold) {
    const rgba dark = Rgb(46, 58, 80);
    const rgba glass[] = {dark, dark, dark, dark};
    PixelCanvas pic = LanternSheet(glass, false);
    out.Texture("lantern_cold", pic);
    out.Texture("lantern_cold_nm", MakeNormalMap(HeightFromSilhouette(pic, 2, 2.0f), pic, 1.0f));
    out.Texture("lantern_cold_sm", MaskOfColors(pic, {}));
}

// The game's icon (the desktop entry and the package show it): the lit
// lantern, drawn two pixels per pixel, glowing on a round night sky, 64 x 64.
CONTENT_ASSET(icon) {
    const rgba glass[] = {Rgb(150, 196, 240), pal::glowBlue, Rgb(226, 242, 255), pal::glowBlue};
    const PixelCanvas lantern = LanternSheet(glass, true);
    PixelCanvas c(64, 64);
    c.FillEllipse(31.5f, 31.5f, 31.5f, 31.5f, Rgb(20, 24, 48));
    c.FillEllipse(31.5f, 27.5f, 25.0f, 23.0f, Rgb(34, 46, 84));
    c.FillEllipse(31.5f, 16.5f, 15.0f, 14.0f, Rgb(70, 98, 150));
    c.FillEllipse(31.5f, 16.5f, 8.0f, 8.0f, Rgb(120, 160, 210));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 12; ++x) {
            const rgba p = lantern.Get(x, y);
            if (p.a == 0) continue;
            c.FillRect(20 + 2 * x, 2 * y, 2, 2, p);
        }
    out.Texture("icon", c);
}

// A firefly: a bright dot with a soft halo that swells and fades over six
// frames (one row of 8 x 8 cells). Meant to be drawn unlit.
CONTENT_ASSET(firefly) {
    const int frames = 6;
    const float glow[frames] = {1.0f, 0.8f, 0.45f, 0.15f, 0.4f, 0.75f};
    const SheetLayout sheet{8, 8, frames, 1};
    PixelCanvas pic(sheet.Width(), sheet.Height());
    for (int f = 0; f < frames; ++f) {
        PixelCanvas c(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                float dx = x + 0.5f - 4.0f, dy = y + 0.5f - 4.0f;
                float d = std::sqrt(dx * dx + dy * dy);
                float a = std::clamp((3.6f - d) / 3.6f, 0.0f, 1.0f) * glow[f];
                a = a * a * 0.9f;
                if (a > 0.02f) c.Set(x, y, Rgb(pal::firefly.r, pal::firefly.g, pal::firefly.b, int(a * 255)));
            }
        rgba core = Mix(pal::grass3, Rgb(255, 255, 220), glow[f]);
        c.FillRect(3, 3, 2, 2, core);
        if (glow[f] < 0.3f) c.FillRect(3, 3, 2, 2, Rgb(core.r, core.g, core.b, 170));
        pic.Paste(c, sheet.CellX(f), sheet.CellY(0));
    }
    out.Texture("firefly", pic);
}
