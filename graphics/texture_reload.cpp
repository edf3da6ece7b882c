#include "graphics/texture_reload.h"

#include "ecs/entity_store.h"
#include "graphics/sprite.h"
#include "graphics/texture_cache.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int ApplyChangedTexture(const std::string& name) {
    const bool cached = ActiveTextureCache().IsCached(name);
    if (cached && !ReloadTexture(name)) return 0;
    std::string base = name;
    if (EndsWith(name, "_nm") || EndsWith(name, "_sm")) base = name.substr(0, name.size() - 3);

    int updated = 0;
    // A copy: taking a texture runs no script, but the live list must not be
    // walked while anything could change it.
    const std::vector<engine::entity_handle> live = engine::GetLiveEntities();
    for (const engine::entity_handle& h : live) {
        if (!h.IsValid() || !h.Has<Sprite>()) continue;
        Sprite* sprite = h.Get<Sprite>();
        const std::string shown = sprite->GetTextureName();
        if (shown != name && shown != base) continue;
        sprite->SetTexture(shown);
        ++updated;
    }
    return updated;
}
