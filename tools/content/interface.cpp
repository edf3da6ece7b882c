// The game's interface pictures, all meant to be drawn unlit over the scene by
// the scripts: one small picture per character of the pixel font (scripts
// cannot cut a region out of a texture, so each glyph is its own file), menu
// panels of the sizes the menus use, the selection bar and the lantern icons of
// the counter in the corner.
#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/content/content.h"
#include "tools/content/font.h"
#include "tools/content/palette.h"

namespace {
// Every character the scripts may write; a space needs no picture.
const char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,!?-':/<>()";

const rgba kPanelFill = Rgb(16, 18, 34, 214);
const rgba kPanelEdge = pal::gold1;
const rgba kPanelEdgeDark = Rgb(70, 50, 30, 255);

// A dark translucent panel with a gold rule one pixel in from its edge and
// small diamonds at the corners.
PixelCanvas Panel(int w, int h) {
    PixelCanvas c(w, h);
    c.FillRect(1, 1, w - 2, h - 2, kPanelFill);
    c.FillRect(2, 0, w - 4, 1, kPanelEdgeDark);
    c.FillRect(2, h - 1, w - 4, 1, kPanelEdgeDark);
    c.FillRect(0, 2, 1, h - 4, kPanelEdgeDark);
    c.FillRect(w - 1, 2, 1, h - 4, kPanelEdgeDark);
    c.FillRect(3, 2, w - 6, 1, kPanelEdge);
    c.FillRect(3, h - 3, w - 6, 1, kPanelEdge);
    c.FillRect(2, 3, 1, h - 6, kPanelEdge);
    c.FillRect(w - 3, 3, 1, h - 6, kPanelEdge);
    for (int cx : {2, w - 3})
        for (int cy : {2, h - 3}) {
            c.Set(cx, cy, pal::gold3);
        }
    return c;
}
}  // namespace

// font_<hex code>: one glyph in moonlit white with a dark outline, 7 x 9.
// Text advances 6 pixels per character, so outlines of neighbours overlap.
CONTENT_ASSET(font) {
    for (const char* p = kCharacters; *p; ++p) {
        PixelCanvas c(font::kGlyphW + 2, font::kGlyphH + 2);
        font::DrawTextRows(c, 1, 1, std::string(1, *p), 1, [](int row) {
            return row < 2 ? Rgb(236, 240, 250) : row < 5 ? pal::moonText : Rgb(170, 184, 220);
        });
        c.Outline(pal::ink);
        char name[16];
        std::snprintf(name, sizeof name, "font_%02x", unsigned(static_cast<unsigned char>(*p)));
        out.Texture(name, c);
    }
}

// Panels, by the menus that use them.
CONTENT_ASSET(ui_panels) {
    out.Texture("ui_panel_menu", Panel(150, 112));  // pause menu and options
    out.Texture("ui_panel_title", Panel(132, 76));  // title menu
    out.Texture("ui_panel_small", Panel(104, 32));  // the quit question
    out.Texture("ui_panel_wide", Panel(292, 38));   // hints, two lines
    out.Texture("ui_panel_end", Panel(250, 120));   // the ending
}

// The bar behind the chosen entry: soft gold fading towards both ends.
CONTENT_ASSET(ui_bar) {
    const int w = 128, h = 11;
    PixelCanvas c(w, h);
    for (int x = 0; x < w; ++x) {
        float edge = float(std::min(x, w - 1 - x)) / 24.0f;
        int a = int(110 * std::min(1.0f, edge));
        c.FillRect(x, 1, 1, h - 2, Rgb(214, 150, 60, a));
        c.Set(x, 0, Rgb(250, 208, 110, a));
        c.Set(x, h - 1, Rgb(250, 208, 110, a));
    }
    out.Texture("ui_bar", c);
}

// Lantern icons for the counter: lit (warm glass) and cold.
CONTENT_ASSET(ui_lantern_icons) {
    for (int lit = 0; lit < 2; ++lit) {
        PixelCanvas c(9, 13);
        const rgba iron = Rgb(60, 60, 76);
        c.FillRect(2, 1, 5, 1, iron);
        c.Set(4, 0, iron);
        c.FillRect(1, 2, 7, 8, iron);
        c.FillRect(2, 3, 5, 6, lit ? pal::glowBlue : Rgb(40, 50, 70));
        if (lit) {
            c.Set(4, 5, Rgb(255, 255, 255));
            c.Set(4, 6, Rgb(255, 255, 255));
        }
        c.FillRect(3, 10, 3, 2, iron);
        c.Outline(pal::ink);
        out.Texture(lit ? "ui_lantern_lit" : "ui_lantern_cold", c);
    }
}
