#pragma once
// Culling: which sprites, lights and shadow casters can affect the visible part
// of the world this frame. Everything is tested against the circle around the
// camera that passes through the window's corners (a conservative bound for any
// zoom), with strict inequality: something exactly on the circle is dropped.
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "graphics/render_lists.h"

struct CullView {
    glm::vec3 camera{0.0f};   // c, the camera position
    glm::vec2 topLeft{0.0f};  // k, the world position of the window's top-left corner
    float moonFadeDistance = 100.0f;

    float HalfWidth() const;  // |k.x - c.x|
    float Top() const;        // k.y - c.y (negative: +y points down)
    float Radius2() const;    // squared radius of the cull circle
};

// The view of the shared camera and the level's lighting settings.
CullView CurrentCullView();

// Squared distance from a light at camera-relative position `rel` (offset
// included) with reach R to the view, with the slack that lets lights above the
// top edge (entity camera-relative y `entityDy` < top) throw their shadows down
// into view: the shadow mask reaches 700 rows above the view.
float LightCullDistance2(const CullView& view, glm::vec2 rel, float entityDy, float reach);

// Rebuilds every list from the live entities. Lists are in the entity store's
// live order. Also returns the number of shadow casters kept.
int CullScene(const CullView& view, RenderLists& lists);
