#include "graphics/sprite_batch.h"

#include "graphics/scene_coverage.h"
#include "graphics/sprite.h"
#include "graphics/texture_cache.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

SpriteInstance MakeSpriteInstance(const Sprite& sprite, glm::vec3 position) {
    SpriteInstance out;
    out.model = sprite.ModelMatrix(position);
    const glm::vec4 tint = sprite.GetTint();
    for (int i = 0; i < 4; ++i) out.tint[i] = tint[i];
    if (sprite.UsesFrameQuad()) {
        // Corner (-0.5, 0) of the frame quad is vertex 0, corner (0.5, 1) is
        // vertex 2; five floats per vertex, (u, v) after the position.
        const auto& v = sprite.GetFrameVertices();
        out.frame[0] = v[3];
        out.frame[1] = v[4];
        out.frame[2] = v[13];
        out.frame[3] = v[14];
    }
    return out;
}

void BatchSprites(const std::vector<SpriteDrawItem>& items, float dt, int textureCount,
                  std::vector<SpriteInstance>& instances, std::vector<SpriteRun>& runs) {
    for (const SpriteDrawItem& item : items) {
        Sprite& sprite = *item.sprite;
        sprite.Animate(dt);
        const uint32_t textures[3] = {sprite.GetTexture(), textureCount > 1 ? sprite.GetNormalTexture() : 0u,
                                      textureCount > 2 ? sprite.GetSecondTexture() : 0u};
        const bool sameTextures = !runs.empty() && runs.back().first + runs.back().count == instances.size() &&
                                  runs.back().textures[0] == textures[0] && runs.back().textures[1] == textures[1] &&
                                  runs.back().textures[2] == textures[2];
        if (!sameTextures) {
            SpriteRun run;
            run.first = uint32_t(instances.size());
            for (int i = 0; i < 3; ++i) run.textures[i] = textures[i];
            runs.push_back(run);
        }
        ++runs.back().count;
        instances.push_back(MakeSpriteInstance(sprite, item.position));
    }
}

float SceneRankDepth(uint32_t rank) {
    constexpr uint32_t kLastRank = (1u << 24) - 2;
    return std::ldexp(float(std::min(rank, kLastRank) + 1), -23) - 1.0f;
}

bool DrawsSolid(int minAlpha, float tintAlpha) {
    // Half a step of 8 bits above the shader's 0.5, so float rounding of
    // texel * tint can never bring an opaque texel under it.
    return double(minAlpha) * double(tintAlpha) >= 128.0;
}

OcclusionCounts BatchLitSprites(const std::vector<SpriteDrawItem>& items, float dt, uint32_t firstRank,
                       std::vector<SpriteInstance>& instances, std::vector<SpriteRun>& runs,
                       const SceneOcclusion* occlusion) {
    // Distinct texture sets are few (a level's sprite pictures), so a linear
    // look-up beats hashing; each set is looked up in the texture cache once,
    // and each item remembers the run it joins.
    struct Set {
        uint32_t textures[3];
        int minAlpha;
        size_t run[2];  // solid or not; SIZE_MAX until used
    };
    constexpr uint32_t kHidden = UINT32_MAX;
    std::vector<Set> sets;
    const size_t firstRun = runs.size();
    const size_t firstInstance = instances.size();
    std::vector<uint32_t> runOf(items.size());
    // Each instance is made here, where its place decides whether it is
    // hidden, then moved to its run's slot below.
    instances.resize(firstInstance + 2 * items.size());
    SpriteInstance* made = instances.data() + firstInstance + items.size();
    OcclusionCounts counts;
    for (size_t i = 0; i < items.size(); ++i) {
        Sprite& sprite = *items[i].sprite;
        sprite.Animate(dt);
        const uint32_t textures[3] = {sprite.GetTexture(), sprite.GetNormalTexture(), sprite.GetSecondTexture()};
        size_t k = 0;
        while (k < sets.size() && !std::equal(textures, textures + 3, sets[k].textures)) ++k;
        if (k == sets.size())
            sets.push_back({{textures[0], textures[1], textures[2]}, TextureMinAlpha(textures[0]), {SIZE_MAX, SIZE_MAX}});
        const bool solid = DrawsSolid(sets[k].minAlpha, sprite.GetTint().a);
        made[i] = MakeSpriteInstance(sprite, items[i].position);
        made[i].rankDepth = SceneRankDepth(firstRank + uint32_t(i));
        if (occlusion) {
            const QuadPixels pixels = ScenePixelsOfQuad(occlusion->sceneView * made[i].model);
            const PixelRect open = occlusion->coverage->Unclaimed(pixels.maybe);
            if (open.width == 0) {
                runOf[i] = kHidden;
                ++counts.hidden;
                continue;
            }
            // The texels its texture rectangle spans (a sheet whose size its
            // columns do not divide has cells of whole texels, yet quads of
            // the exact fraction).
            const float* frame = made[i].frame;
            const glm::vec2 texels(std::abs(frame[2] - frame[0]) * float(sprite.GetWidth()),
                                   std::abs(frame[3] - frame[1]) * float(sprite.GetHeight()));
            if (open != pixels.maybe &&
                CropQuadToPixels(made[i].model, made[i].frame, occlusion->sceneView, open, texels))
                ++counts.cropped;
            // What was cut away is claimed already: the whole quad claims.
            if (solid) occlusion->coverage->Claim(pixels.surely);
        }
        size_t& r = sets[k].run[solid];
        if (r == SIZE_MAX) {
            r = runs.size();
            SpriteRun run;
            std::copy(textures, textures + 3, run.textures);
            run.solid = solid;
            runs.push_back(run);
        }
        ++runs[r].count;
        runOf[i] = uint32_t(r);
    }
    uint32_t next = uint32_t(firstInstance);
    for (size_t r = firstRun; r < runs.size(); ++r) {
        runs[r].first = next;
        next += runs[r].count;
    }
    std::vector<uint32_t> fill(runs.size() - firstRun, 0);
    for (size_t i = 0; i < items.size(); ++i) {
        if (runOf[i] == kHidden) continue;
        const SpriteRun& run = runs[runOf[i]];
        instances[run.first + fill[runOf[i] - firstRun]++] = made[i];
    }
    instances.resize(next);
    return counts;
}
