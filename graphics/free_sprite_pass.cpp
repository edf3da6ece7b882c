// Free sprites: lit sprites that keep their sub-pixel position. Each is drawn
// alone into the scene, snapped to whole pixels there, then put on the window
// shifted by its own fraction of a pixel: lit like the scene, yet moving
// smoothly. Around a sprite its layer holds nothing in front of anything, so
// only its own rectangle is composed.
//
// Every switch between the window and a scene-sized target waits for the
// drawing queued before it, so the sprites are not taken one at a time: a
// round draws its layers (sprites whose rectangles miss each other share a
// layer, each layer cleared once), then composes each of its sprites in
// order in one visit to the window. Almost always one round does them all.
// The window sees exactly the drawing of the sprites one by one.
#include <algorithm>
#include <cmath>

#include <epoxy/gl.h>

#include "core/camera.h"
#include "core/engine_state.h"
#include "graphics/composition.h"
#include "graphics/renderer.h"
#include "graphics/shader_program.h"

namespace {
// A round's layers; more sprites meeting at one place start another round.
constexpr int kMaxFreeLayers = 8;
}  // namespace

void Renderer::PlanFreeSprites(int framebufferWidth, int framebufferHeight) {
    freeSprites_.clear();
    if (freeRuns_.empty()) return;
    Camera& camera = GetCamera();
    const glm::vec3 cameraShift = SceneShift(camera.GetPosition());
    const glm::mat4 sceneView = camera.ViewMatrix(false, float(kSceneWidth), float(kSceneHeight));
    const int pixelScale = Camera::PixelScale(framebufferWidth, framebufferHeight);
    PixelRect window{0, 0, framebufferWidth, framebufferHeight};
    if (GetEngineState().mode != EngineMode::Editor) {
        const LetterboxRect r = camera.Letterbox();
        window = {r.x, r.y, r.width, r.height};
    }
    std::vector<PixelRect> cleared;
    for (size_t i = 0; i < freeRuns_.size(); ++i) {
        const glm::mat4& model = instances_[freeRuns_[i].first].model;
        const glm::vec3 p = lists_.litFreeSprites[i].position;
        const glm::vec3 q(std::floor(p.x), std::floor(p.y), p.z);
        FreeSprite f;
        f.shift = (p - q) + cameraShift;
        f.cleared = SceneRectOfQuad(model, sceneView, 2);
        f.target = Intersect(WindowRectOfSceneRect(SceneRectOfQuad(model, sceneView, 1), f.shift, pixelScale,
                                                   framebufferWidth, framebufferHeight),
                             window);
        // Nothing of it reaches the window: not drawn at all.
        if (f.target.width == 0) f.cleared = {};
        cleared.push_back(f.cleared);
        freeSprites_.push_back(f);
    }
    const std::vector<FreeSpritePlace> places = PlaceFreeSprites(cleared, kMaxFreeLayers);
    for (size_t i = 0; i < freeSprites_.size(); ++i) freeSprites_[i].place = places[i];
}

void Renderer::DrawFreeLayers(int round) {
    int layerCount = 0;
    for (const FreeSprite& f : freeSprites_)
        if (f.place.round == round) layerCount = std::max(layerCount, f.place.layer + 1);
    if (layerCount == 0) return;
    targets_.EnsureLayers(size_t(layerCount));

    // Uniforms and lights stay set on the sprite program from the lit pass.
    spriteProgram_->Use();
    glViewport(0, 0, kSceneWidth, kSceneHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, targets_.sMask);
    BoundTextures bound;
    glBindVertexArray(instanceBuffer_.vao);
    for (int layer = 0; layer < layerCount; ++layer) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets_.layers[size_t(layer)].framebuffer);
        glClear(GL_COLOR_BUFFER_BIT);
        for (size_t i = 0; i < freeSprites_.size(); ++i)
            if (freeSprites_[i].place.round == round && freeSprites_[i].place.layer == layer)
                DrawSpriteRun(instanceBuffer_, freeRuns_[i], 3, 1, bound, counters_);
    }
    glActiveTexture(GL_TEXTURE0);
}

void Renderer::ComposeFreeSprites(int framebufferWidth, int framebufferHeight, bool withSceneDepth) {
    if (freeSprites_.empty()) return;
    const bool letterbox = GetEngineState().mode != EngineMode::Editor;
    const glm::vec3 cameraShift = SceneShift(GetCamera().GetPosition());
    glEnable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    const ShaderProgram& compose = *shared_.forwardDepth;
    if (!withSceneDepth) {
        // The scene went on without its depth: give each free sprite's
        // rectangle what the full composition would have left there (depth
        // cleared, then the scene's colour and depth), all before the first
        // free sprite lands on the window.
        BeginComposition(compose, targets_.gColor, targets_.gDepth, framebufferWidth, framebufferHeight);
        for (const FreeSprite& f : freeSprites_) {
            if (f.place.layer < 0) continue;
            glScissor(f.target.x, f.target.y, f.target.width, f.target.height);
            glClear(GL_DEPTH_BUFFER_BIT);
            DrawComposedScene(compose, shared_.centredQuad, cameraShift);
            ++counters_.drawCalls;
        }
    }
    const int rounds = freeSprites_.back().place.round + 1;
    for (int round = 0; round < rounds; ++round) {
        if (std::none_of(freeSprites_.begin(), freeSprites_.end(),
                         [&](const FreeSprite& f) { return f.place.round == round && f.place.layer >= 0; }))
            continue;
        // Each round's layers are drawn once the window has everything
        // before them: a target drawn earlier in the frame and read only
        // here held the rasteriser up longer than the switches it saved.
        DrawFreeLayers(round);
        glEnable(GL_SCISSOR_TEST);
        glEnable(GL_DEPTH_TEST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, framebufferWidth, framebufferHeight);
        const SceneLayer& first = targets_.layers[0];
        BeginComposition(compose, first.color, first.depth, framebufferWidth, framebufferHeight);
        int layer = 0;
        for (const FreeSprite& f : freeSprites_) {
            if (f.place.round != round || f.place.layer < 0) continue;
            if (f.place.layer != layer) {
                layer = f.place.layer;
                BindComposedScene(targets_.layers[size_t(layer)].color, targets_.layers[size_t(layer)].depth);
            }
            glScissor(f.target.x, f.target.y, f.target.width, f.target.height);
            DrawComposedScene(compose, shared_.centredQuad, f.shift);
            ++counters_.drawCalls;
        }
    }
    // Back to the letterbox (or none) for the unlit sprites.
    if (letterbox) {
        const LetterboxRect r = GetCamera().Letterbox();
        glScissor(r.x, r.y, r.width, r.height);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}
