// The gate on the way home: two stone pillars joined by a wooden double gate,
// closed until the valley's lanterns are lit, then standing open. Both pictures
// are 64 x 44 with the same pillars, so the script swaps one for the other.
#include "tools/content/content.h"
#include "tools/content/palette.h"
#include "tools/content/shading.h"

namespace {
constexpr int kW = 64, kH = 44;

void Pillar(PixelCanvas& c, int x) {
    c.FillRect(x, 6, 10, kH - 6, pal::stone2);
    for (int y = 8; y < kH; y += 6) {  // courses of stone
        c.FillRect(x, y, 10, 1, pal::stone1);
        c.Set(x + ((y / 6) % 2 ? 3 : 6), y + 3, pal::stone1);
    }
    c.FillRect(x, 6, 2, kH - 6, pal::stone3);
    c.FillRect(x + 8, 6, 2, kH - 6, pal::stone1);
    c.FillRect(x - 1, 3, 12, 3, pal::stone3);  // cap
    c.FillRect(x - 1, 5, 12, 1, pal::stone1);
    c.FillRect(x + 2, 1, 6, 2, pal::stone2);
}

// One gate leaf of vertical planks between x0 and x1 (exclusive).
void Leaf(PixelCanvas& c, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
        const bool seam = (x - x0) % 4 == 3;
        c.FillRect(x, 14, 1, kH - 16, seam ? pal::bark0 : ((x - x0) % 4 == 0 ? pal::bark3 : pal::bark2));
        c.Set(x, 13 - ((x - x0) % 4 == 1 ? 1 : 0), pal::bark2);  // pointed tops
    }
    c.FillRect(x0, 19, x1 - x0, 2, pal::bark1);  // rails
    c.FillRect(x0, kH - 9, x1 - x0, 2, pal::bark1);
    c.Line(x0, kH - 8, x1 - 1, 20, pal::bark1);  // brace
}

PixelCanvas Gate(bool open) {
    PixelCanvas c(kW, kH);
    if (open) {
        // the leaves swung back against the pillars, seen edge-on
        Leaf(c, 11, 15);
        Leaf(c, kW - 15, kW - 11);
    } else {
        Leaf(c, 11, kW / 2);
        Leaf(c, kW / 2, kW - 11);
        c.FillRect(kW / 2 - 1, 24, 2, 4, Rgb(60, 60, 76));  // latch
        c.Set(kW / 2, 25, pal::stone4);
    }
    Pillar(c, 1);
    Pillar(c, kW - 11);
    c.Outline(Rgb(26, 22, 30));
    return c;
}
}  // namespace

CONTENT_ASSET(gate) {
    for (bool open : {false, true}) {
        PixelCanvas pic = Gate(open);
        const std::string name = open ? "gate_open" : "gate_closed";
        out.Texture(name, pic);
        out.Texture(name + "_nm", MakeNormalMap(HeightFromSilhouette(pic, 2, 3.0f), pic, 1.0f));
    }
}
