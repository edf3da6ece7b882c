#include "graphics/renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/frame_profiler.h"
#include "core/events.h"
#include "graphics/composition.h"
#include "graphics/culling.h"
#include "graphics/draw_order.h"
#include "graphics/free_sprite_rect.h"
#include "graphics/lit_pass.h"
#include "graphics/shader_program.h"
#include "graphics/sprite.h"
#include "graphics/tile_map.h"
#include "graphics/unlit_pass.h"

namespace {
Renderer* g_renderer = nullptr;

void ApplyLetterbox() {
    const LetterboxRect r = GetCamera().Letterbox();
    glEnable(GL_SCISSOR_TEST);
    glScissor(r.x, r.y, r.width, r.height);
}

// Clears the window to black (what the bars show), and its depth when
// `depth`, except over `keep`, which the composition is about to write whole.
// At the usual window sizes the scene covers all but a row or none, and a
// clear of the whole window cost as much again as the composition.
void ClearWindowAround(const PixelRect& keep, int width, int height, bool depth) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    const GLbitfield buffers = GL_COLOR_BUFFER_BIT | (depth ? GL_DEPTH_BUFFER_BIT : 0);
    if (depth) glDepthMask(GL_TRUE);
    if (keep.width == 0) {
        glClear(buffers);
        return;
    }
    const int top = keep.y + keep.height, right = keep.x + keep.width;
    const PixelRect bands[4] = {{0, 0, width, keep.y},
                                {0, top, width, height - top},
                                {0, keep.y, keep.x, keep.height},
                                {right, keep.y, width - right, keep.height}};
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& b : bands) {
        if (b.width <= 0 || b.height <= 0) continue;
        glScissor(b.x, b.y, b.width, b.height);
        glClear(buffers);
    }
    glDisable(GL_SCISSOR_TEST);
}
}  // namespace

Renderer* GetRenderer() { return g_renderer; }

Renderer::Renderer(const RendererShared& shared) : shared_(shared) {
    spriteProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag");
    sceneProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                    "#define GBUFFER\n");
    solidSceneProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                         "#define GBUFFER\n#define SOLID_SPRITES\n");
    lightProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                    "#define LIGHT_PASS\n");
    ambientSpriteProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                            "#define NO_LIGHTS\n");
    ambientLightProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                           "#define LIGHT_PASS\n#define NO_LIGHTS\n");
    unlitProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_unlit.vs", "shaders/sprite_unlit.frag");
    composeProgram_ = std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/compose.frag");
    layerClearProgram_ = std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/layer_clear.frag");
    freeComposeProgram_ =
        std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/compose_free.frag", "#define SCENE_UV\n");
    targets_.Create();
    instanceBuffer_.Create(shared.anchoredQuadBuffer);
    composedRects_ = gpu::CreateTwoCoordinateArray();
    tileInstances_.Create(shared.centredQuadBuffer);
    g_renderer = this;
}

Renderer::~Renderer() {
    if (g_renderer == this) g_renderer = nullptr;
    instanceBuffer_.Destroy();
    gpu::DeleteQuadArray(composedRects_);
    tileInstances_.Destroy();
    targets_.Destroy();
}

void Renderer::BatchFrameSprites(float dt, int framebufferWidth, int framebufferHeight) {
    instances_.clear();
    litRuns_.clear();
    freeRuns_.clear();
    unlitRuns_.clear();
    coverage_.Clear();
    const SceneOcclusion occlusion{&coverage_,
                                   GetCamera().ViewMatrix(false, float(kSceneWidth), float(kSceneHeight))};
    const OcclusionCounts occluded = BatchLitSprites(lists_.litClampedSprites, dt, 0, instances_, litRuns_, &occlusion);
    counters_.hiddenSprites = int(occluded.hidden);
    counters_.croppedSprites = int(occluded.cropped);
    for (const SpriteDrawItem& item : lists_.litFreeSprites) {
        // Drawn alone, snapped to whole pixels in the scene; the composition
        // adds back its fraction of a pixel.
        const glm::vec3 p = item.position;
        item.sprite->Animate(dt);
        SpriteRun run;
        run.first = uint32_t(instances_.size());
        run.count = 1;
        run.textures[0] = item.sprite->GetTexture();
        run.textures[1] = item.sprite->GetNormalTexture();
        run.textures[2] = item.sprite->GetSecondTexture();
        freeRuns_.push_back(run);
        instances_.push_back(MakeSpriteInstance(*item.sprite, glm::vec3(std::floor(p.x), std::floor(p.y), p.z)));
    }
    PlanFreeSprites(framebufferWidth, framebufferHeight);
    BatchSprites(lists_.unlitSprites, dt, 1, instances_, unlitRuns_);
    // The light pass's quad: the anchored quad stretched over the whole scene
    // target (clip x 2 qx, y 2 qy - 1), so its world position at each pixel is
    // the pixel's own.
    SpriteInstance light;
    light.model = glm::inverse(occlusion.sceneView) *
                  glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.0f, 0.0f)), glm::vec3(2.0f, 2.0f, 1.0f));
    lightRun_.first = uint32_t(instances_.size());
    lightRun_.count = 1;
    lightRun_.textures[0] = targets_.gBase;
    lightRun_.textures[1] = targets_.gNormalShine;
    instances_.push_back(light);
    instanceBuffer_.Upload(instances_);
}

void Renderer::Draw(float dt, int framebufferWidth, int framebufferHeight) {
    if (GetEngineState().skipDrawing) return;
    counters_.drawCalls = 0;
    counters_.textureBinds = 0;
    counters_.instances = 0;

    // What is not charged to a pass below is composition.
    ProfileScope composition(ProfileSection::Composition);
    {
        ProfileScope scope(ProfileSection::CullingSorting);
        counters_.shadowCasters = CullScene(CurrentCullView(), lists_);
        SortUnlitBackToFront(lists_.unlitSprites);
        SortLitFrontToBack(lists_.litClampedSprites);
        BatchFrameSprites(dt, framebufferWidth, framebufferHeight);
    }

    glDisable(GL_BLEND);
    {
        ProfileScope scope(ProfileSection::Shadows);
        DrawShadowMasks(lists_, targets_, shadowGeometry_, tables_);
    }
    ProfileScope litPass(ProfileSection::LitPass);

    // The lit scene is laid down first: the first fragment that reaches a
    // pixel in front-to-back order keeps it, by a depth test on each sprite's
    // rank (SceneRankDepth), the tile map ranking behind every sprite. Nothing
    // there is lit yet: overlapping sprites cost their cheap fragments only.
    TileMap* map = GetTileMap();
    const bool layDown = !litRuns_.empty() || (map && map->CanDraw());
    glBindFramebuffer(GL_FRAMEBUFFER, targets_.gFramebuffer);
    glViewport(0, 0, kSceneWidth, kSceneHeight);
    const float nothing[4] = {0.0f, 0.0f, 0.0f, 0.0f}, farthest[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glClearBufferfv(GL_COLOR, 1, farthest);
    size_t tiles = 0;
    if (layDown) {
        glClearBufferfv(GL_COLOR, 0, nothing);
        glClearBufferfv(GL_COLOR, 2, nothing);
        glClearDepth(1.0);
        glDepthMask(GL_TRUE);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);

        // The solid runs first, by the program without the discard, so the
        // depth test rejects what they cover before it is shaded; the rank
        // depths keep the picture what the front-to-back order gives.
        glBindVertexArray(instanceBuffer_.vao);
        BoundTextures litBound;
        if (std::any_of(litRuns_.begin(), litRuns_.end(), [](const SpriteRun& r) { return r.solid; })) {
            BeginSceneSprites(*solidSceneProgram_);
            DrawLitRuns(instanceBuffer_, litRuns_, true, litBound, counters_);
        }
        BeginSceneSprites(*sceneProgram_);
        DrawLitRuns(instanceBuffer_, litRuns_, false, litBound, counters_);
        if (map) tiles = map->Draw(tileInstances_, TileRankDepth(), counters_);
        glDisable(GL_DEPTH_TEST);
    }

    // Then every pixel laid down is lit once, by one quad over the scene; a
    // scene with nothing laid down is all clear colour.
    glBindFramebuffer(GL_FRAMEBUFFER, targets_.lightFramebuffer);
    // The lights go up in every frame, for the editor's counts.
    BeginLitSprites(AmbientOnly() ? *ambientLightProgram_ : *lightProgram_, targets_.sMask, lists_, counters_);
    if (litRuns_.empty() && tiles == 0) {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    } else {
        glBindVertexArray(instanceBuffer_.vao);
        BoundTextures lightBound;
        DrawSpriteRun(instanceBuffer_, lightRun_, 3, 1, lightBound, counters_);
        glActiveTexture(GL_TEXTURE0);
    }
    // The free sprites are lit as they are drawn, alone, by the sprite program.
    if (!freeRuns_.empty()) BeginLitSprites(FreeSpriteProgram(), targets_.sMask, lists_, counters_);
    litPass.End();

    // Onto the window. The scene's depth is only needed where sprites are
    // depth-tested against it afterwards (unlit ones anywhere, free ones in
    // their own rectangles; "PostDraw" listeners run with the depth test off):
    // without unlit sprites the window's depth buffer is neither cleared nor
    // written here, and the scene goes on with the plain compose program,
    // which gives the same colours. The window is cleared around what the
    // composition writes; with the depth it leaves the pixels the scene
    // holds nothing at to the clear, so then all of it is.
    const bool needDepth = !unlitRuns_.empty();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, framebufferWidth, framebufferHeight);
    const bool letterbox = GetEngineState().mode != EngineMode::Editor;
    const PixelRect written =
        needDepth ? PixelRect{}
                  : ComposedSceneInterior(framebufferWidth, framebufferHeight,
                                          SceneWindowRect(framebufferWidth, framebufferHeight));
    ClearWindowAround(written, framebufferWidth, framebufferHeight, needDepth);
    if (needDepth)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    if (letterbox) ApplyLetterbox();
    const ShaderProgram& compose = needDepth ? *shared_.forwardDepth : *composeProgram_;
    BeginComposition(compose, targets_.gColor, targets_.gDepth, framebufferWidth, framebufferHeight);
    DrawComposedScene(compose, shared_.centredQuad, SceneShift(GetCamera().GetPosition()));
    ++counters_.drawCalls;

    // The letterbox stays applied for the free sprites too, so nothing ever
    // lands in the black bars.
    ComposeFreeSprites(framebufferWidth, framebufferHeight, needDepth);

    glBindVertexArray(instanceBuffer_.vao);
    DrawUnlitRuns(*unlitProgram_, instanceBuffer_, unlitRuns_, counters_);

    glBindVertexArray(0);
    glDisable(GL_DEPTH_TEST);
    events::Call("PostDraw");
    if (letterbox) glDisable(GL_SCISSOR_TEST);
}
