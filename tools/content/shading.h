#pragma once
// Shared painting helpers for lit props: colour ramps with ordered dithering,
// and height fields grown from a silhouette for pictures that are not modelled
// from domes.
#include <initializer_list>
#include <vector>

#include "tools/content/pixel_canvas.h"

// Picks a colour from a dark-to-light ramp for a brightness in [0, 1], with a
// 2 x 2 ordered dither so shading bands break up the way hand-placed pixels do.
rgba RampColor(const std::vector<rgba>& ramp, float brightness, int x, int y);

// Height that rises with the distance from the picture's transparent pixels (up
// to `rise` pixels in), scaled to `top`: a soft pillow shape for any silhouette.
HeightField HeightFromSilhouette(const PixelCanvas& shape, int rise, float top);

// Adds `extra` height to every opaque pixel of `shape` (layers drawn over others).
void AddHeight(HeightField& field, const PixelCanvas& shape, float extra);

// A picture of the same size where the listed colours of `pic` become white and
// everything else opaque black (transparent stays transparent): used for "_sm" masks.
PixelCanvas MaskOfColors(const PixelCanvas& pic, std::initializer_list<rgba> glowing);
