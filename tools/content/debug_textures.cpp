// The engine's fallback pictures: "debug" is shown wherever a texture is
// missing, "debug_nm" and "debug_sm" are the companions every sprite starts with.
#include "tools/content/content.h"

// Magenta/black checker that no real asset could be mistaken for, with a white
// arrow pointing to the top of the picture so flipped or rotated drawing shows.
CONTENT_ASSET(debug) {
    PixelCanvas pic(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pic.Set(x, y, ((x / 8) + (y / 8)) % 2 == 0 ? Rgb(255, 0, 255) : Rgb(0, 0, 0));
    PixelCanvas arrow(32, 32);
    const rgba white = Rgb(255, 255, 255);
    for (int row = 0; row < 9; ++row)  // head: a triangle widening downward
        arrow.FillRect(16 - row - 1, 4 + row, 2 * row + 2, 1, white);
    arrow.FillRect(13, 13, 6, 15, white);  // shaft
    arrow.Outline(Rgb(0, 0, 0));
    pic.Paste(arrow, 0, 0);
    out.Texture("debug", pic);
}

// A flat normal: every pixel faces the viewer, so lighting looks as if there were
// no normal map at all.
CONTENT_ASSET(debug_nm) { out.Texture("debug_nm", PixelCanvas(32, 32, Rgb(128, 128, 255))); }

// The "_sm" companion is a specular/emission mask: its grey level says how shiny
// a pixel is (white = fully shiny, glowing in the light; black = matte). The
// neutral default is black, so sprites without their own mask are plain matte.
CONTENT_ASSET(debug_sm) { out.Texture("debug_sm", PixelCanvas(32, 32, Rgb(0, 0, 0))); }
