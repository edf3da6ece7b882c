#pragma once
// A tiny built-in 5 x 7 pixel font (capitals, digits and a little punctuation),
// so titles and signs need no font files. Lower-case letters draw as capitals;
// characters the font lacks draw as a blank of the normal advance.
#include <string>

#include "tools/content/pixel_canvas.h"

namespace font {
constexpr int kGlyphW = 5, kGlyphH = 7;

// Width in pixels of text drawn at the given scale with `spacing` blank columns
// (before scaling) between glyphs.
int TextWidth(const std::string& text, int scale, int spacing = 1);
// Draws text with its top-left at (x, y); each font pixel becomes a scale x scale block.
void DrawText(PixelCanvas& canvas, int x, int y, const std::string& text, int scale, rgba color, int spacing = 1);
// Like DrawText but the colour is chosen per font-pixel row (0 = top, kGlyphH - 1 = bottom),
// for vertical gradients.
template <typename ColorOfRow>
void DrawTextRows(PixelCanvas& canvas, int x, int y, const std::string& text, int scale, ColorOfRow colorOfRow,
                  int spacing = 1);
// The glyph's rows, 5 characters each, '#' set; nullptr when the font lacks it.
const char* const* Glyph(char c);
}  // namespace font

template <typename ColorOfRow>
void font::DrawTextRows(PixelCanvas& canvas, int x, int y, const std::string& text, int scale, ColorOfRow colorOfRow,
                        int spacing) {
    int penX = x;
    for (char c : text) {
        if (const char* const* rows = Glyph(c)) {
            for (int gy = 0; gy < kGlyphH; ++gy)
                for (int gx = 0; gx < kGlyphW; ++gx)
                    if (rows[gy][gx] == '#')
                        canvas.FillRect(penX + gx * scale, y + gy * scale, scale, scale, colorOfRow(gy));
        }
        penX += (kGlyphW + spacing) * scale;
    }
}
