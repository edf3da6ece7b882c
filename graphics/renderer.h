#pragma once
// The Renderer composes one frame: culling, the shadow masks, the lit scene
// at 498 x 280 (lit sprites, then the tile map), its composition onto the
// window at the whole-number pixel scale, the lit sprites that keep their
// sub-pixel position, the unlit sprites at window resolution, then "PostDraw".
//
// Graphics owns it (created after the quads and forward programs, with a GL
// context current) and calls Draw from Graphics::Draw.
#include <cstdint>
#include <memory>

#include "graphics/free_sprite_rect.h"
#include "graphics/gpu.h"
#include "graphics/render_lists.h"
#include "graphics/render_targets.h"
#include "graphics/scene_coverage.h"
#include "graphics/shadow_pass.h"
#include "graphics/sprite_batch.h"
#include "graphics/sprite_instances.h"
#include "graphics/tangent_points.h"

class ShaderProgram;

// Device objects Graphics shares with the renderer.
struct RendererShared {
    const ShaderProgram* forward = nullptr;
    const ShaderProgram* forwardDepth = nullptr;
    uint32_t anchoredQuad = 0;  // vertex arrays
    uint32_t centredQuad = 0;
    uint32_t anchoredQuadBuffer = 0;  // the anchored quad's vertices, read by the sprite batches
    uint32_t centredQuadBuffer = 0;   // the centred quad's vertices, read by the tile batches
};

class Renderer {
public:
    explicit Renderer(const RendererShared& shared);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // dt: seconds, for sprite animation. Does nothing while drawing is skipped.
    void Draw(float dt, int framebufferWidth, int framebufferHeight);

    const RenderLists& GetLists() const { return lists_; }
    RenderCounters& GetCounters() { return counters_; }
    const TrigTables& GetTrigTables() const { return tables_; }

private:
    RendererShared shared_;
    RenderLists lists_;
    RenderCounters counters_;
    std::unique_ptr<ShaderProgram> spriteProgram_;      // lit as drawn: the free sprites
    std::unique_ptr<ShaderProgram> sceneProgram_;       // lays the lit scene down
    std::unique_ptr<ShaderProgram> solidSceneProgram_;  // the same without the discard
    std::unique_ptr<ShaderProgram> lightProgram_;       // lights the laid-down scene
    // The free-sprite and light programs built for frames without point or moon lights.
    std::unique_ptr<ShaderProgram> ambientSpriteProgram_, ambientLightProgram_;
    std::unique_ptr<ShaderProgram> unlitProgram_;
    std::unique_ptr<ShaderProgram> composeProgram_;     // the scene onto the window without its depth
    // Free-sprite layers cleared around their sprites, and the window's depth under them.
    std::unique_ptr<ShaderProgram> layerClearProgram_;
    std::unique_ptr<ShaderProgram> freeComposeProgram_;  // free-sprite layers onto the window
    TrigTables tables_;
    RenderTargets targets_;
    ShadowGeometry shadowGeometry_;
    // The frame's sprite instances, all passes in one buffer: the lit runs,
    // one run per free sprite, then the unlit runs.
    SpriteInstanceBuffer instanceBuffer_;
    // Instances of the tile map's cells, on the centred quad (the tile map
    // refills it when it draws).
    SpriteInstanceBuffer tileInstances_;
    std::vector<SpriteInstance> instances_;
    std::vector<SpriteRun> litRuns_, freeRuns_, unlitRuns_;
    SpriteRun lightRun_;  // the light pass's one quad, over the laid-down scene
    SceneCoverage coverage_;  // the lit scene's pixels solid sprites claim

    void BatchFrameSprites(float dt, int framebufferWidth, int framebufferHeight);
    // The rank depth of the tile map in this frame's lit scene: behind every
    // lit sprite (cells never overlap, so they share it).
    float TileRankDepth() const { return SceneRankDepth(uint32_t(lists_.litClampedSprites.size())); }

    // The free sprites (free_sprite_pass.cpp): each drawn alone, snapped to
    // whole pixels, into a scene-sized layer, then composed onto the window
    // shifted by its own fraction of a pixel.
    struct FreeSprite {
        PixelRect cleared;  // scene pixels its layer must hold clear around it
        PixelRect target;   // window pixels its composition covers
        glm::vec3 shift{0.0f};
        FreeSpritePlace place;
    };
    std::vector<FreeSprite> freeSprites_;
    // The pieces of the scene quad the free sprites are composed through.
    gpu::QuadArray composedRects_;
    size_t composedRectsBytes_ = 0;
    std::vector<float> composedRectVertices_;
    // Per round and layer (round x kMaxFreeLayers + layer), the vertices in
    // composedRects_ of the rectangles the layer is cleared under: first, count.
    std::vector<std::pair<int, int>> layerClears_;
    // Places the free sprites in rounds and layers, and lays each layer's
    // instances side by side; before the instances go up.
    void PlanFreeSprites(int framebufferWidth, int framebufferHeight);
    void DrawFreeLayers(int round);
    // This frame has no point or moon lights: the programs without light loops serve.
    bool AmbientOnly() const { return lists_.pointLights.empty() && lists_.moonLights.empty(); }
    const ShaderProgram& FreeSpriteProgram() const { return AmbientOnly() ? *ambientSpriteProgram_ : *spriteProgram_; }
    // withSceneDepth: the composition wrote the scene's depth on the whole window.
    void ComposeFreeSprites(int framebufferWidth, int framebufferHeight, bool withSceneDepth);
};

// The one renderer while it exists, else null.
Renderer* GetRenderer();
