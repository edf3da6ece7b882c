// Title screen lettering, drawn with the built-in pixel font. Both pictures are
// meant for unlit sprites, so they keep their colours whatever the lighting.
#include <algorithm>

#include "tools/content/content.h"
#include "tools/content/font.h"
#include "tools/content/palette.h"

namespace {
// Gold letters shading from pale at the top to deep at the bottom, as if lit
// from above.
rgba GoldRow(int row) {
    static const rgba rows[font::kGlyphH] = {pal::gold3, pal::gold3, pal::gold2, pal::gold2,
                                             pal::gold1, pal::gold1, pal::gold0};
    return rows[std::clamp(row, 0, font::kGlyphH - 1)];
}

// A sprig of three leaves on a curling stem, drawn facing right.
void Sprig(PixelCanvas& c, int x, int y) {
    const rgba stem = pal::gold1, leaf = pal::gold2;
    for (int i = 0; i < 16; ++i) c.Set(x + i, y + (i < 4 ? 1 : 0) - (i > 12 ? 1 : 0), stem);
    for (int k = 0; k < 3; ++k) {
        int lx = x + 3 + k * 4;
        c.Set(lx, y - 1, leaf);
        c.Set(lx + 1, y - 2, leaf);
        c.Set(lx + 1, y + 2, leaf);
        c.Set(lx + 2, y + 3, leaf);
    }
    c.Set(x + 16, y - 2, pal::gold3);
}
}  // namespace

// "QUILLMERE" at three times the font size, gold with a dark outline and a drop
// shadow, framed by leafy sprigs and a rule with a diamond underneath.
CONTENT_ASSET(title_banner) {
    const std::string title = "QUILLMERE";
    const int scale = 3;
    const int textW = font::TextWidth(title, scale), textH = font::kGlyphH * scale;
    const int W = textW + 2 * 24, H = textH + 14;
    const int tx = (W - textW) / 2, ty = 3;
    PixelCanvas letters(W, H);
    font::DrawTextRows(letters, tx, ty, title, scale, [](int row) { return GoldRow(row); });
    // light catching the upper-left edge of each letter stroke
    PixelCanvas lit = letters;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (letters.Get(x, y).a && !letters.Get(x - 1, y).a && !letters.Get(x, y - 1).a)
                lit.Set(x, y, pal::gold3);
    PixelCanvas pic(W, H);
    PixelCanvas shadow(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (lit.Get(x, y).a) shadow.Set(x, y, pal::inkSoft);
    shadow.Outline(pal::inkSoft);
    pic.Paste(shadow, 2, 2);
    lit.Outline(pal::ink);
    pic.Paste(lit, 0, 0);
    // ornaments
    PixelCanvas orn(W, H);
    const int ruleY = ty + textH + 5;
    for (int x = tx + 10; x < tx + textW - 10; ++x) orn.Set(x, ruleY, pal::gold1);
    const int mid = W / 2;
    for (int d = 0; d <= 2; ++d) {
        orn.FillRect(mid - d, ruleY - 2 + d, 2 * d + 1, 1, pal::gold2);
        orn.FillRect(mid - d, ruleY + 2 - d, 2 * d + 1, 1, pal::gold2);
    }
    orn.Set(mid, ruleY, pal::gold3);
    PixelCanvas sprig(20, 8);
    Sprig(sprig, 1, 4);
    orn.Paste(sprig.FlippedX(), 2, ty + textH / 2 - 4);
    orn.Paste(sprig, W - 22, ty + textH / 2 - 4);
    orn.Outline(pal::ink);
    pic.Paste(orn, 0, 0);
    out.Texture("title_banner", pic);
}

// "PRESS ANY KEY" in two frames (one row of two cells): bright, then dimmed, so a
// slow frame time makes it pulse.
CONTENT_ASSET(title_press_key) {
    const std::string text = "PRESS ANY KEY";
    const int cellW = font::TextWidth(text, 1) + 4, cellH = font::kGlyphH + 4;
    const SheetLayout sheet{cellW, cellH, 2, 1};
    PixelCanvas pic(sheet.Width(), sheet.Height());
    const rgba colors[2] = {pal::moonText, Rgb(120, 132, 170)};
    for (int f = 0; f < 2; ++f) {
        PixelCanvas c(cellW, cellH);
        font::DrawText(c, 2, 2, text, 1, colors[f]);
        c.Outline(pal::ink);
        pic.Paste(c, sheet.CellX(f), sheet.CellY(0));
    }
    out.Texture("title_press_key", pic);
}
