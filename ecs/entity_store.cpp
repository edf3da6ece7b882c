#include "ecs/entity_store.h"

#include <algorithm>
#include <cmath>

#include "ecs/component_registry.h"
#include "ecs/entity_list_order.h"

namespace engine {
namespace {

struct Store {
    std::vector<entity_base> records;
    std::vector<entity_handle> freeList;
    std::vector<entity_handle> live;
    std::vector<entity_handle> pending;
    uint32_t generationCounter = 0;
};

Store& S() {
    static Store store;
    return store;
}

const char* kDeadMessage = "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!";

// Components go in ascending type id: each gets Remove, then is deleted.
void RemoveFirstComponent(entity_handle handle) {
    auto& components = handle.GetBaseEntity()->components;
    uint32_t id = components.begin()->first;
    RootComponent* component = components.begin()->second.get();
    component->Remove();
    // Remove may run script code that touches the store, so look again.
    auto& after = handle.GetBaseEntity()->components;
    auto it = after.find(id);
    if (it != after.end() && it->second.get() == component) after.erase(it);
}

void RemoveAllComponents(entity_handle handle) {
    while (!handle.GetBaseEntity()->components.empty()) RemoveFirstComponent(handle);
}

void TearDown(entity_handle handle) {
    RemoveAllComponents(handle);
    entity_base* record = handle.GetBaseEntity();
    record->dead = true;
    record->pendingDestroy = false;
}

}  // namespace

entity_base* entity_handle::GetBaseEntity() const {
    auto& records = S().records;
    if (index >= records.size()) throw debug::exception(kDeadMessage);
    entity_base& record = records[index];
    if (record.generation != generation || record.dead) throw debug::exception(kDeadMessage);
    return &record;
}

bool entity_handle::IsValid() const {
    auto& records = S().records;
    return index < records.size() && records[index].generation == generation && !records[index].dead;
}

std::string& entity_handle::GetName() const { return GetBaseEntity()->name; }
void entity_handle::SetName(std::string name) const { GetBaseEntity()->name = std::move(name); }
glm::vec3& entity_handle::GetPosition() const { return GetBaseEntity()->position; }

glm::vec3 entity_handle::GetRoundedPosition() const {
    const glm::vec3& p = GetBaseEntity()->position;
    return {std::round(p.x), std::round(p.y), p.z};  // std::round: halves away from zero
}

void entity_handle::SetPosition(float x, float y, float z) const { GetBaseEntity()->position = {x, y, z}; }

entity_handle CreateEntity() {
    Store& s = S();
    entity_handle handle;
    if (s.freeList.empty()) {
        ++s.generationCounter;
        entity_base record;
        record.index = static_cast<uint32_t>(s.records.size());
        record.generation = s.generationCounter;
        s.records.push_back(std::move(record));
        handle = {s.records.back().index, s.records.back().generation};
    } else {
        entity_handle reused = s.freeList.back();
        s.freeList.pop_back();
        entity_base& record = s.records[reused.index];
        record.dead = false;
        record.pendingDestroy = false;
        record.position = {0.0f, 0.0f, 0.0f};
        record.generation = ++s.generationCounter;
        record.name = "Entity";
        handle = {reused.index, record.generation};
    }
    s.live.push_back(handle);
    return handle;
}

void DestroyEntity(entity_handle handle, bool immediate) {
    Store& s = S();
    if (!immediate) {
        if (!handle.IsValid()) return;
        entity_base& record = s.records[handle.index];
        if (record.pendingDestroy) return;  // queued once per frame
        record.pendingDestroy = true;
        s.pending.push_back(handle);
        return;
    }
    handle.GetBaseEntity();  // raises for a wrong/dead handle
    TearDown(handle);
    s.freeList.push_back(handle);
}

void FlushDestroyedEntities() {
    Store& s = S();
    if (s.pending.empty()) return;
    // Removing each flushed handle from the live list one by one would be
    // quadratic; the live list holds each generation once, so one pass that drops
    // the dead entries keeps the order of the survivors and gives the same result.
    for (size_t i = 0; i < s.pending.size(); ++i) {  // Remove may queue more
        entity_handle handle = s.pending[i];
        handle.GetBaseEntity();
        TearDown(handle);
        s.freeList.push_back(handle);
    }
    s.pending.clear();
    std::erase_if(s.live, [](const entity_handle& h) { return !h.IsValid(); });
}

void DestroyAllEntities() {
    Store& s = S();
    for (size_t i = 0; i < s.live.size(); ++i) {
        entity_handle handle = s.live[i];
        if (handle.IsValid()) DestroyEntity(handle, true);
    }
    s.freeList.clear();
    s.pending.clear();
    s.live.clear();
    s.records.clear();
    s.generationCounter = 0;
}

entity_handle RecreateEntity(entity_handle handle) {
    Store& s = S();
    const bool slotInUse = handle.index < s.records.size() && !s.records[handle.index].dead;
    const bool alive = std::any_of(s.live.begin(), s.live.end(),
                                   [&](const entity_handle& h) { return h == handle && h.IsValid(); });
    if (handle.generation == 0 || slotInUse || alive) return CreateEntity();
    // Slots up to the wanted one that never existed (the store was emptied
    // since) are made as destroyed ones, free for later entities.
    while (s.records.size() <= handle.index) {
        const auto index = static_cast<uint32_t>(s.records.size());
        entity_base record;
        record.index = index;
        record.dead = true;
        s.records.push_back(std::move(record));
        if (index != handle.index) s.freeList.push_back({index, 0});
    }
    std::erase_if(s.freeList, [&](const entity_handle& h) { return h.index == handle.index; });
    entity_base& record = s.records[handle.index];
    record.dead = false;
    record.pendingDestroy = false;
    record.position = {0.0f, 0.0f, 0.0f};
    record.name = "Entity";
    record.generation = handle.generation;
    s.generationCounter = std::max(s.generationCounter, handle.generation);
    s.live.push_back(handle);
    return handle;
}

void MoveEntityInList(entity_handle handle, size_t place) {
    auto& live = S().live;
    const size_t from = PlaceInList(handle);
    if (from == live.size()) return;
    place = std::min(place, live.size() - 1);
    if (from < place)
        std::rotate(live.begin() + from, live.begin() + from + 1, live.begin() + place + 1);
    else
        std::rotate(live.begin() + place, live.begin() + from, live.begin() + from + 1);
}

size_t PlaceInList(entity_handle handle) {
    const auto& live = S().live;
    return size_t(std::find(live.begin(), live.end(), handle) - live.begin());
}

const std::vector<entity_handle>& GetLiveEntities() { return S().live; }
const std::vector<entity_handle>& GetPendingDestroy() { return S().pending; }
entity_base& RecordAt(uint32_t index) { return S().records[index]; }

// ---- components on entities -------------------------------------------------

void entity_handle::AddComponent(std::string name, Json::Value data) const {
    GetBaseEntity();
    std::unique_ptr<RootComponent> component(components::Create(name));
    uint32_t id = component->GetTypeID();
    // A second component of a type the entity already holds is refused before it
    // is attached anywhere, so it never connects listeners nor leaks.
    if (GetBaseEntity()->components.count(id)) return;
    component->owner = *this;
    if (!data.isNull()) component->Deserialize(std::move(data));
    component->Initialize();
    auto& components = GetBaseEntity()->components;
    if (components.count(id)) {  // Initialize ran script code that added the same type
        component->Remove();
        return;
    }
    components.emplace(id, std::move(component));
}

bool entity_handle::RemoveComponent(std::string name) const {
    uint32_t id = components::GetID(name);
    auto& components = GetBaseEntity()->components;
    auto it = components.find(id);
    if (it == components.end()) return false;
    RootComponent* component = it->second.get();
    component->Remove();
    auto& after = GetBaseEntity()->components;
    auto again = after.find(id);
    if (again != after.end() && again->second.get() == component) after.erase(again);
    return true;
}

bool entity_handle::HasComponent(std::string name) const {
    uint32_t id = components::GetID(name);
    return GetBaseEntity()->components.count(id) != 0;
}

void entity_handle::CopyFrom(entity_handle source) const {
    RemoveAllComponents(*this);
    std::vector<uint32_t> ids;
    for (auto& [id, component] : source.GetBaseEntity()->components) ids.push_back(id);
    for (uint32_t id : ids) {
        AddComponent(components::GetName(id), Json::Value());
        auto& mine = GetBaseEntity()->components;
        auto& theirs = source.GetBaseEntity()->components;
        auto a = mine.find(id), b = theirs.find(id);
        if (a != mine.end() && b != theirs.end()) a->second->Copy(b->second.get());
    }
    const glm::vec3 p = source.GetPosition();
    SetPosition(p.x, p.y, p.z);
    SetName(source.GetName());
}

}  // namespace engine
