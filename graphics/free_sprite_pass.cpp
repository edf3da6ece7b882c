// Free sprites: lit sprites that keep their sub-pixel position. Each is drawn
// alone into the scene, snapped to whole pixels there, then put on the window
// shifted by its own fraction of a pixel: lit like the scene, yet moving
// smoothly. Around a sprite its layer holds nothing in front of anything, so
// only its own rectangle is composed.
//
// Every switch between the window and a scene-sized target waits for the
// drawing queued before it, so the sprites are not taken one at a time: a
// round draws its layers (sprites whose rectangles miss each other share a
// layer, each layer cleared under their rectangles only, in one draw; a
// layer's sprites of one texture in one draw), then composes its sprites in
// one visit to the window, each through a piece of the scene quad covering
// its own rectangle, a layer's sprites in one draw where no sprite passes one
// ahead of it that it meets (PlanComposeDraws). Almost always one round does
// them all. The window sees exactly the drawing of the sprites one by one.
#include <algorithm>
#include <cmath>
#include <numeric>

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

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
    const PixelRect window = SceneWindowRect(framebufferWidth, framebufferHeight);
    std::vector<PixelRect> cleared;
    for (size_t i = 0; i < freeRuns_.size(); ++i) {
        const glm::mat4& model = instances_[freeRuns_[i].first].model;
        const glm::vec3 p = lists_.litFreeSprites[i].position;
        const glm::vec3 q(std::floor(p.x), std::floor(p.y), p.z);
        FreeSprite f;
        f.shift = (p - q) + cameraShift;
        f.cleared = SceneRectOfQuad(model, sceneView, 2);
        // Composed only over the pixels the sprite can cover: elsewhere its
        // layer holds nothing, and the composition would discard it all.
        f.target = Intersect(WindowRectOfSceneRect(SceneRectOfQuad(model, sceneView, 0), f.shift, pixelScale,
                                                   framebufferWidth, framebufferHeight),
                             window);
        // Nothing of it reaches the window: not drawn at all.
        if (f.target.width == 0) f.cleared = {};
        cleared.push_back(f.cleared);
        freeSprites_.push_back(f);
    }
    const std::vector<FreeSpritePlace> places = PlaceFreeSprites(cleared, kMaxFreeLayers);
    for (size_t i = 0; i < freeSprites_.size(); ++i) freeSprites_[i].place = places[i];

    // A layer's sprites never overlap, so their order within it does not
    // matter: its instances go side by side (in drawing order), and its
    // sprites of one texture go out in one draw.
    std::vector<size_t> order(freeSprites_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const FreeSpritePlace &p = freeSprites_[a].place, &q = freeSprites_[b].place;
        return p.round != q.round ? p.round < q.round : p.layer < q.layer;
    });
    const uint32_t base = freeRuns_.front().first;  // one instance each, side by side
    std::vector<SpriteInstance> placed(order.size());
    for (size_t k = 0; k < order.size(); ++k) placed[k] = instances_[base + order[k]];
    for (size_t k = 0; k < order.size(); ++k) {
        instances_[base + k] = placed[k];
        freeRuns_[order[k]].first = base + uint32_t(k);
    }
}

void Renderer::DrawFreeLayers(int round) {
    int layerCount = 0;
    for (const FreeSprite& f : freeSprites_)
        if (f.place.round == round) layerCount = std::max(layerCount, f.place.layer + 1);
    if (layerCount == 0) return;
    targets_.EnsureLayers(size_t(layerCount));

    glViewport(0, 0, kSceneWidth, kSceneHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, targets_.sMask);
    const glm::mat4 identity(1.0f);
    layerClearProgram_->Use();
    layerClearProgram_->SetMat4("view", glm::value_ptr(identity));
    layerClearProgram_->SetMat4("model", glm::value_ptr(identity));
    BoundTextures bound;
    for (int layer = 0; layer < layerCount; ++layer) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets_.layers[size_t(layer)].framebuffer);
        // Cleared only under its sprites' rectangles: clearing the whole layer
        // cost more than drawing its sprites.
        const auto [first, count] = layerClears_[size_t(round * kMaxFreeLayers + layer)];
        layerClearProgram_->Use();
        glBindVertexArray(composedRects_.vao);
        glDrawArrays(GL_TRIANGLES, first, count);
        ++counters_.drawCalls;
        // Uniforms and lights stay set on the sprite program from the lit pass.
        FreeSpriteProgram().Use();
        glBindVertexArray(instanceBuffer_.vao);
        SpriteRun run;  // the layer's sprites that follow each other with the same textures
        for (size_t i = 0; i < freeSprites_.size(); ++i) {
            if (freeSprites_[i].place.round != round || freeSprites_[i].place.layer != layer) continue;
            const SpriteRun& next = freeRuns_[i];
            if (run.count > 0 && next.first == run.first + run.count &&
                std::equal(next.textures, next.textures + 3, run.textures)) {
                run.count += next.count;
                continue;
            }
            if (run.count > 0) DrawSpriteRun(instanceBuffer_, run, 3, 1, bound, counters_);
            run = next;
        }
        if (run.count > 0) DrawSpriteRun(instanceBuffer_, run, 3, 1, bound, counters_);
    }
    glActiveTexture(GL_TEXTURE0);
}

void Renderer::ComposeFreeSprites(int framebufferWidth, int framebufferHeight, bool withSceneDepth) {
    if (freeSprites_.empty()) return;
    const glm::vec3 cameraShift = SceneShift(GetCamera().GetPosition());
    const int pixelScale = Camera::PixelScale(framebufferWidth, framebufferHeight);
    // Every sprite's rectangle goes through a piece of the scene quad of its
    // own, all uploaded at once, each round's draws' in order.
    std::vector<float>& pieces = composedRectVertices_;
    pieces.clear();
    struct Draw {
        int round, layer, first, count;  // vertices
    };
    std::vector<Draw> draws;
    const int rounds = freeSprites_.back().place.round + 1;
    for (int round = 0; round < rounds; ++round) {
        std::vector<size_t> sprites;
        std::vector<PixelRect> targets;
        std::vector<int> layers;
        for (size_t i = 0; i < freeSprites_.size(); ++i) {
            if (freeSprites_[i].place.round != round || freeSprites_[i].place.layer < 0) continue;
            sprites.push_back(i);
            targets.push_back(freeSprites_[i].target);
            layers.push_back(freeSprites_[i].place.layer);
        }
        for (const ComposeDraw& d : PlanComposeDraws(targets, layers)) {
            draws.push_back({round, d.layer, int(pieces.size() / kRectVertexFloats), int(6 * d.sprites.size())});
            for (size_t k : d.sprites) {
                const FreeSprite& f = freeSprites_[sprites[k]];
                AppendComposedRect(f.target, f.shift, cameraShift, pixelScale, framebufferWidth, framebufferHeight,
                                   pieces);
            }
        }
    }
    // Then the rectangles each layer is cleared under. A layer's sprites'
    // rectangles miss each other, and its compositions read nothing outside
    // them (a composed rectangle covers the sprite's scene pixels and one
    // window pixel more, the cleared one two scene pixels more).
    layerClears_.clear();
    for (int round = 0; round < rounds; ++round) {
        for (int layer = 0; layer < kMaxFreeLayers; ++layer) {
            const int first = int(pieces.size() / kRectVertexFloats);
            for (const FreeSprite& f : freeSprites_)
                if (f.place.round == round && f.place.layer == layer) AppendSceneRect(f.cleared, pieces);
            layerClears_.emplace_back(first, int(pieces.size() / kRectVertexFloats) - first);
        }
    }
    const size_t bytes = pieces.size() * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, composedRects_.vbo);
    if (bytes > composedRectsBytes_) {
        composedRectsBytes_ = std::max(bytes, 2 * composedRectsBytes_);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(composedRectsBytes_), nullptr, GL_STREAM_DRAW);
    }
    if (bytes > 0) glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), pieces.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    if (!withSceneDepth && !draws.empty()) {
        // The composition left the window's depth alone. The free sprites
        // order themselves on depth 1 under their rectangles, written by
        // drawing the rectangles at depth range [1, 1] (clearing the whole
        // window's depth, or under each rectangle, cost more).
        glDepthFunc(GL_ALWAYS);
        glDepthRange(1.0, 1.0);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        SetCompositionView(*layerClearProgram_, framebufferWidth, framebufferHeight);
        DrawComposedRects(*layerClearProgram_, composedRects_.vao, 0, draws.back().first + draws.back().count);
        ++counters_.drawCalls;
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthRange(0.0, 1.0);
    }
    glDepthFunc(GL_LESS);
    const ShaderProgram& compose = *freeComposeProgram_;
    for (size_t k = 0; k < draws.size(); ++k) {
        const Draw& d = draws[k];
        const bool newRound = k == 0 || draws[k - 1].round != d.round;
        // Each round's layers are drawn once the window has everything before
        // them: a target drawn earlier in the frame and read only here held
        // the rasteriser up longer than the switches it saved.
        if (newRound) DrawFreeLayers(d.round);
        const SceneLayer& layer = targets_.layers[size_t(d.layer)];
        if (newRound) {
            glDisable(GL_SCISSOR_TEST);
            glEnable(GL_DEPTH_TEST);
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glViewport(0, 0, framebufferWidth, framebufferHeight);
            BeginComposition(compose, layer.color, layer.depth, framebufferWidth, framebufferHeight);
            compose.SetInt("scene_depth", 2);
            glActiveTexture(GL_TEXTURE2);
            glBindTexture(GL_TEXTURE_2D, targets_.gDepth);
            glActiveTexture(GL_TEXTURE0);
        } else {
            BindComposedScene(layer.color, layer.depth);
        }
        DrawComposedRects(compose, composedRects_.vao, d.first, d.count);
        ++counters_.drawCalls;
    }
    // Back to the letterbox (or none) for the unlit sprites.
    if (GetEngineState().mode != EngineMode::Editor) {
        const LetterboxRect r = GetCamera().Letterbox();
        glEnable(GL_SCISSOR_TEST);
        glScissor(r.x, r.y, r.width, r.height);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}
