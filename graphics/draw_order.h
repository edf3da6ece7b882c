#pragma once
// The order in which each pass draws its sprites.
//
// Lit pass, front to back: every off-screen pixel keeps the first fragment that
// reaches it (a depth test on the rank in this order), so the nearest sprite
// must come first. Descending z; for
// z within 1e-4, ascending y + y offset (the one higher on the screen is drawn
// first and so wins the pixels the two share); then ascending x.
//
// Unlit pass, back to front with blending: ascending z; for z within 1e-5,
// descending y.
//
// The tolerances make these comparisons intransitive, so both use a merge sort
// (std::stable_sort), which stays in bounds whatever the comparator says, and
// keeps the culling order between sprites that compare equal.
#include <vector>

#include "graphics/render_lists.h"

void SortLitFrontToBack(std::vector<SpriteDrawItem>& items);
void SortUnlitBackToFront(std::vector<SpriteDrawItem>& items);
