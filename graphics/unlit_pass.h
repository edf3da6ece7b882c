#pragma once
// The unlit forward pass: sprites drawn straight into the window's framebuffer
// at window resolution, alpha-blended, after the scene. Also used for every
// sprite while the lit pipeline is not in place.
#include <vector>

#include "ecs/entity_handle.h"

class ShaderProgram;

// Back to front: ascending z of the entity position; when two z differ by less
// than 1e-5, descending y (the lower one on screen first).
void SortBackToFront(std::vector<engine::entity_handle>& sprites);

// Every live entity that has a Sprite, in live-list order.
std::vector<engine::entity_handle> CollectSprites();

// Draws the sprites in the given order with the forward program: diffuse on
// unit 0, animated by dt, the shared anchored quad or the sprite's own frame
// quad, "model" from the sprite and "view" = the camera view for the window.
// Leaves blending on.
void DrawUnlitSprites(const std::vector<engine::entity_handle>& sprites, const ShaderProgram& forward,
                      uint32_t anchoredQuad, float dt);
