#include "graphics/renderer.h"

#include <cmath>
#include <vector>

#include <epoxy/gl.h>

#include "engine/engine_state.h"
#include "engine/events.h"
#include "graphics/camera.h"
#include "graphics/composition.h"
#include "graphics/culling.h"
#include "graphics/draw_order.h"
#include "graphics/lit_pass.h"
#include "graphics/shader_program.h"
#include "graphics/tile_map.h"
#include "graphics/unlit_pass.h"
#include "level/level_file.h"

namespace {
Renderer* g_renderer = nullptr;

void ApplyLetterbox() {
    const LetterboxRect r = GetCamera().Letterbox();
    glEnable(GL_SCISSOR_TEST);
    glScissor(r.x, r.y, r.width, r.height);
}
}  // namespace

Renderer* GetRenderer() { return g_renderer; }

Renderer::Renderer(const RendererShared& shared) : shared_(shared) {
    shadowProgram_ = std::make_unique<ShaderProgram>("shaders/shadow_shader.vs", "shaders/shadow_shader.frag");
    spriteProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag");
    targets_.Create();
    shadowGeometry_.Create();
    g_renderer = this;
}

Renderer::~Renderer() {
    if (g_renderer == this) g_renderer = nullptr;
    shadowGeometry_.Destroy();
    targets_.Destroy();
}

void Renderer::Draw(float dt, int framebufferWidth, int framebufferHeight) {
    if (GetEngineState().skipDrawing) return;
    counters_.drawCalls = 0;
    counters_.textureBinds = 0;
    counters_.instances = 0;

    counters_.shadowCasters = CullScene(CurrentCullView(), lists_);
    SortUnlitBackToFront(lists_.unlitSprites);

    glDisable(GL_BLEND);
    DrawShadowMasks(lists_, targets_, *shadowProgram_, shadowGeometry_, tables_, shadowBatchCasters_, counters_);

    // The lit scene. The gBuffer has no depth buffer, so the depth test stays
    // off while it is bound; the stencil lets the first fragment that reaches
    // a pixel keep it, which is why the lit sprites go front to back.
    glBindFramebuffer(GL_FRAMEBUFFER, targets_.gFramebuffer);
    glViewport(0, 0, kSceneWidth, kSceneHeight);
    glDisable(GL_DEPTH_TEST);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearStencil(0);
    glStencilMask(0xFF);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);

    SortLitFrontToBack(lists_.litClampedSprites);
    LitPassState lit = BeginLitSprites(*spriteProgram_, targets_.sMask[0], lists_, counters_);
    DrawLitSprites(*spriteProgram_, lists_.litClampedSprites, shared_.anchoredQuad, dt, lit, counters_);
    if (TileMap* map = GetTileMap()) map->Draw();
    glDisable(GL_STENCIL_TEST);

    // Onto the window.
    glEnable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, framebufferWidth, framebufferHeight);
    const bool letterbox = GetEngineState().mode != EngineMode::Editor;
    if (letterbox) ApplyLetterbox();
    BeginComposition(*shared_.forwardDepth, targets_, framebufferWidth, framebufferHeight);
    DrawComposedScene(*shared_.forwardDepth, shared_.centredQuad, SceneShift(GetCamera().GetPosition()));
    ++counters_.drawCalls;

    // The letterbox stays applied for the free sprites too, so nothing ever
    // lands in the black bars.
    DrawFreeSprites(dt, framebufferWidth, framebufferHeight);

    std::vector<engine::entity_handle> unlit;
    unlit.reserve(lists_.unlitSprites.size());
    for (const SpriteDrawItem& item : lists_.unlitSprites) unlit.push_back(item.handle);
    DrawUnlitSprites(unlit, *shared_.forward, shared_.anchoredQuad, dt);
    counters_.drawCalls += int(unlit.size());

    glBindVertexArray(0);
    glDisable(GL_DEPTH_TEST);
    events::Call("PostDraw");
    if (letterbox) glDisable(GL_SCISSOR_TEST);
}

void Renderer::DrawFreeSprites(float dt, int framebufferWidth, int framebufferHeight) {
    if (lists_.litFreeSprites.empty()) return;
    const glm::vec3 cameraShift = SceneShift(GetCamera().GetPosition());
    // Uniforms and lights stay set on the sprite program from the lit pass.
    LitPassState lit;
    lit.modelLocation = spriteProgram_->GetUniformLocation("model");
    lit.tintLocation = spriteProgram_->GetUniformLocation("tint");
    for (const SpriteDrawItem& item : lists_.litFreeSprites) {
        // Each sprite alone in the scene, snapped to whole pixels there, then
        // put on the window shifted by its own fraction of a pixel: lit like
        // the scene, yet moving smoothly.
        const glm::vec3 p = item.position;
        const glm::vec3 q(std::floor(p.x), std::floor(p.y), p.z);
        spriteProgram_->Use();
        glBindFramebuffer(GL_FRAMEBUFFER, targets_.gFramebuffer);
        glViewport(0, 0, kSceneWidth, kSceneHeight);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, targets_.sMask[0]);
        lit.textures[0] = lit.textures[1] = lit.textures[2] = 0;  // composition used units 0 and 1
        lit.vertexArray = 0;
        DrawLitSprite(*spriteProgram_, item, q, shared_.anchoredQuad, dt, lit, counters_);
        glActiveTexture(GL_TEXTURE0);

        glEnable(GL_DEPTH_TEST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, framebufferWidth, framebufferHeight);
        if (GetEngineState().mode != EngineMode::Editor) ApplyLetterbox();
        BeginComposition(*shared_.forwardDepth, targets_, framebufferWidth, framebufferHeight);
        DrawComposedScene(*shared_.forwardDepth, shared_.centredQuad, (p - q) + cameraShift);
        ++counters_.drawCalls;
    }
}
