#include "graphics/renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <epoxy/gl.h>

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
}  // namespace

Renderer* GetRenderer() { return g_renderer; }

Renderer::Renderer(const RendererShared& shared) : shared_(shared) {
    shadowProgram_ = std::make_unique<ShaderProgram>("shaders/shadow_shader.vs", "shaders/shadow_shader.frag");
    spriteProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag");
    solidSpriteProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_shader.vs", "shaders/sprite_shader.frag",
                                                          "#define SOLID_SPRITES\n");
    unlitProgram_ = std::make_unique<ShaderProgram>("shaders/sprite_unlit.vs", "shaders/sprite_unlit.frag");
    composeProgram_ = std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/compose.frag");
    targets_.Create();
    shadowGeometry_.Create();
    instanceBuffer_.Create(shared.anchoredQuadBuffer);
    tileInstances_.Create(shared.centredQuadBuffer);
    g_renderer = this;
}

Renderer::~Renderer() {
    if (g_renderer == this) g_renderer = nullptr;
    instanceBuffer_.Destroy();
    tileInstances_.Destroy();
    shadowGeometry_.Destroy();
    targets_.Destroy();
}

void Renderer::BatchFrameSprites(float dt) {
    instances_.clear();
    litRuns_.clear();
    freeRuns_.clear();
    unlitRuns_.clear();
    coverage_.Clear();
    const SceneOcclusion occlusion{&coverage_,
                                   GetCamera().ViewMatrix(false, float(kSceneWidth), float(kSceneHeight))};
    counters_.hiddenSprites = int(BatchLitSprites(lists_.litClampedSprites, dt, 0, instances_, litRuns_, &occlusion));
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
    BatchSprites(lists_.unlitSprites, dt, 1, instances_, unlitRuns_);
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
        BatchFrameSprites(dt);
    }

    glDisable(GL_BLEND);
    {
        ProfileScope scope(ProfileSection::Shadows);
        DrawShadowMasks(lists_, targets_, *shadowProgram_, shadowGeometry_, tables_, counters_);
    }
    ProfileScope litPass(ProfileSection::LitPass);

    // The lit scene: the first fragment that reaches a pixel in front-to-back
    // order keeps it, by a depth test on each sprite's rank (SceneRankDepth),
    // the tile map ranking behind every sprite.
    glBindFramebuffer(GL_FRAMEBUFFER, targets_.gFramebuffer);
    glViewport(0, 0, kSceneWidth, kSceneHeight);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);

    // The solid runs first, by the program without the discard, so the depth
    // test rejects what they cover before it is shaded; the rank depths keep
    // the picture what the front-to-back order gives. The sprite program is
    // set up in every frame: the free sprites draw with it.
    glBindVertexArray(instanceBuffer_.vao);
    BoundTextures litBound;
    if (std::any_of(litRuns_.begin(), litRuns_.end(), [](const SpriteRun& r) { return r.solid; })) {
        BeginLitSprites(*solidSpriteProgram_, targets_.sMask, lists_, counters_);
        DrawLitRuns(instanceBuffer_, litRuns_, true, litBound, counters_);
    }
    BeginLitSprites(*spriteProgram_, targets_.sMask, lists_, counters_);
    DrawLitRuns(instanceBuffer_, litRuns_, false, litBound, counters_);
    if (TileMap* map = GetTileMap())
        map->Draw(targets_.sMask, lists_, tileInstances_, TileRankDepth(), counters_);
    glDisable(GL_DEPTH_TEST);
    litPass.End();

    // Onto the window. The scene's depth is only needed where sprites are
    // depth-tested against it afterwards (unlit ones anywhere, free ones in
    // their own rectangles; "PostDraw" listeners run with the depth test off):
    // without unlit sprites the window's depth buffer is neither cleared nor
    // written here, and the scene goes on with the plain compose program,
    // which gives the same colours.
    const bool needDepth = !unlitRuns_.empty();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, framebufferWidth, framebufferHeight);
    if (needDepth) {
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    const bool letterbox = GetEngineState().mode != EngineMode::Editor;
    if (letterbox) ApplyLetterbox();
    const ShaderProgram& compose = needDepth ? *shared_.forwardDepth : *composeProgram_;
    BeginComposition(compose, targets_, framebufferWidth, framebufferHeight);
    DrawComposedScene(compose, shared_.centredQuad, SceneShift(GetCamera().GetPosition()));
    ++counters_.drawCalls;

    // The letterbox stays applied for the free sprites too, so nothing ever
    // lands in the black bars.
    DrawFreeSprites(framebufferWidth, framebufferHeight, needDepth);

    glBindVertexArray(instanceBuffer_.vao);
    DrawUnlitRuns(*unlitProgram_, instanceBuffer_, unlitRuns_, counters_);

    glBindVertexArray(0);
    glDisable(GL_DEPTH_TEST);
    events::Call("PostDraw");
    if (letterbox) glDisable(GL_SCISSOR_TEST);
}

void Renderer::DrawFreeSprites(int framebufferWidth, int framebufferHeight, bool withSceneDepth) {
    if (freeRuns_.empty()) return;
    const Camera& camera = GetCamera();
    const glm::vec3 cameraShift = SceneShift(camera.GetPosition());
    const glm::mat4 sceneView = camera.ViewMatrix(false, float(kSceneWidth), float(kSceneHeight));
    const int pixelScale = Camera::PixelScale(framebufferWidth, framebufferHeight);
    const bool letterbox = GetEngineState().mode != EngineMode::Editor;
    PixelRect window{0, 0, framebufferWidth, framebufferHeight};
    if (letterbox) {
        const LetterboxRect r = GetCamera().Letterbox();
        window = {r.x, r.y, r.width, r.height};
    }

    // Each sprite alone in the scene, snapped to whole pixels there, then put
    // on the window shifted by its own fraction of a pixel: lit like the
    // scene, yet moving smoothly. Only its own rectangle is cleared, drawn and
    // composed: around it the scene holds nothing in front of anything.
    struct FreeSprite {
        PixelRect cleared;  // scene pixels
        PixelRect target;   // window pixels
        glm::vec3 shift;
    };
    std::vector<FreeSprite> sprites;
    sprites.reserve(freeRuns_.size());
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
        sprites.push_back(f);
    }

    glEnable(GL_SCISSOR_TEST);
    if (!withSceneDepth) {
        // The scene went on without its depth: give each free sprite's
        // rectangle what the full composition would have left there (depth
        // cleared, then the scene's colour and depth), all before the first
        // free sprite lands on the window.
        glDepthMask(GL_TRUE);
        glEnable(GL_DEPTH_TEST);
        BeginComposition(*shared_.forwardDepth, targets_, framebufferWidth, framebufferHeight);
        for (const FreeSprite& f : sprites) {
            if (f.cleared.width == 0 || f.target.width == 0) continue;
            glScissor(f.target.x, f.target.y, f.target.width, f.target.height);
            glClear(GL_DEPTH_BUFFER_BIT);
            DrawComposedScene(*shared_.forwardDepth, shared_.centredQuad, cameraShift);
            ++counters_.drawCalls;
        }
    }
    // Sprites whose scene rectangles do not meet share one visit to the scene
    // target and one to the window (each such switch of framebuffers costs a
    // flush of all queued drawing): each rectangle holds exactly what it would
    // hold were its sprite drawn alone, and on the window every sprite still
    // lands after the earlier ones it overlaps.
    std::vector<PixelRect> cleared(sprites.size()), targets(sprites.size());
    for (size_t i = 0; i < sprites.size(); ++i) {
        const bool drawn = sprites[i].cleared.width > 0 && sprites[i].target.width > 0;
        if (drawn) {
            cleared[i] = sprites[i].cleared;
            targets[i] = sprites[i].target;
        }
    }
    const std::vector<int> visits = FreeSpriteVisits(cleared, targets);
    const int visitCount = visits.empty() ? 0 : *std::max_element(visits.begin(), visits.end()) + 1;
    std::vector<size_t> members;
    for (int visit = 0; visit < visitCount; ++visit) {
        members.clear();
        for (size_t i = 0; i < sprites.size(); ++i)
            if (visits[i] == visit && cleared[i].width > 0) members.push_back(i);
        if (members.empty()) continue;

        // Uniforms and lights stay set on the sprite program from the lit pass.
        spriteProgram_->Use();
        glBindFramebuffer(GL_FRAMEBUFFER, targets_.gFramebuffer);
        glViewport(0, 0, kSceneWidth, kSceneHeight);
        glDisable(GL_DEPTH_TEST);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, targets_.sMask);
        BoundTextures bound;  // the composition used units 0 and 1
        glBindVertexArray(instanceBuffer_.vao);
        for (size_t i : members) {
            const PixelRect& r = sprites[i].cleared;
            glScissor(r.x, r.y, r.width, r.height);
            glClear(GL_COLOR_BUFFER_BIT);
            DrawSpriteRun(instanceBuffer_, freeRuns_[i], 3, 1, bound, counters_);
        }
        glActiveTexture(GL_TEXTURE0);

        glEnable(GL_DEPTH_TEST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, framebufferWidth, framebufferHeight);
        BeginComposition(*shared_.forwardDepth, targets_, framebufferWidth, framebufferHeight);
        for (size_t i : members) {
            const PixelRect& t = sprites[i].target;
            glScissor(t.x, t.y, t.width, t.height);
            DrawComposedScene(*shared_.forwardDepth, shared_.centredQuad, sprites[i].shift);
            ++counters_.drawCalls;
        }
    }
    // Back to the letterbox (or none) for the unlit sprites.
    if (letterbox)
        glScissor(window.x, window.y, window.width, window.height);
    else
        glDisable(GL_SCISSOR_TEST);
}
