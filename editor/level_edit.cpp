#include "editor/level_edit.h"

#include <memory>
#include <set>

#include "core/level_changes.h"
#include "ecs/entity_list_order.h"
#include "ecs/entity_store.h"
#include "editor/editor_actions.h"
#include "graphics/tile_map.h"

namespace editor {
namespace {

// Replaces whatever the handle names by `state` at `place`, or removes it
// when `state` is null. Destruction is done at once (the frame's deferred
// list is flushed) so the handle's slot is free to come back.
void SetEntityState(engine::entity_handle h, size_t place, const Json::Value& state) {
    if (h.IsValid()) {
        engine::DestroyEntity(h);
        engine::FlushDestroyedEntities();
    }
    if (state.isNull()) return;
    const engine::entity_handle back = engine::RecreateEntity(h);
    engine::MoveEntityInList(back, place);
    back.Deserialize(state);
}

void SetTiles(const Json::Value& tiles) {
    auto map = std::make_unique<TileMap>();
    map->Deserialize(tiles);
    SetTileMap(std::move(map));
}

std::set<std::string> ComponentNames(const Json::Value& entity) {
    std::set<std::string> names;
    for (const Json::Value& c : entity["components"]) names.insert(c["__component_name"].asString());
    return names;
}

const Json::Value* ComponentNamed(const Json::Value& entity, const std::string& name) {
    for (const Json::Value& c : entity["components"])
        if (c["__component_name"].asString() == name) return &c;
    return nullptr;
}

}  // namespace

EntityChange EntityAsItIs(engine::entity_handle h, bool asAfter) {
    EntityChange change{h, engine::PlaceInList(h), {}, {}};
    (asAfter ? change.after : change.before) = h.Serialize();
    return change;
}

void ApplyLevelEdit(const LevelEdit& edit, bool after) {
    if (after) {
        for (const EntityChange& c : edit.entities) SetEntityState(c.handle, c.place, c.after);
    } else {
        for (auto c = edit.entities.rbegin(); c != edit.entities.rend(); ++c)
            SetEntityState(c->handle, c->place, c->before);
    }
    const auto& tiles = after ? edit.tilesAfter : edit.tilesBefore;
    if (tiles) SetTiles(*tiles);
    const auto& lighting = after ? edit.lightingAfter : edit.lightingBefore;
    if (lighting) GetLightingSettings() = *lighting;
}

void RecordLevelEdit(LevelEdit edit) {
    Editor::PushAction(std::make_unique<Editor::levelEditAction>(std::move(edit)));
    MarkLevelChanged();
}

std::string DescribeEntityEdit(const Json::Value& before, const Json::Value& after) {
    const std::string name = before["name"].asString();
    if (name != after["name"].asString()) return "rename " + name + " to " + after["name"].asString();
    const std::set<std::string> had = ComponentNames(before), has = ComponentNames(after);
    for (const std::string& c : has)
        if (!had.count(c)) return "add " + c + " to " + name;
    for (const std::string& c : had)
        if (!has.count(c)) return "remove " + c + " from " + name;
    for (const std::string& c : has)
        if (*ComponentNamed(before, c) != *ComponentNamed(after, c)) return "edit " + c + " of " + name;
    if (before["pos"] != after["pos"]) return "move " + name;
    return "edit " + name;
}

}  // namespace editor
