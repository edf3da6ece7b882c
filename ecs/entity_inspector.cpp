#include "ecs/entity_inspector.h"

#include <algorithm>
#include <cstring>

#include <imgui.h>

#include "core/level_changes.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"

namespace inspector {

namespace {

// Refilled from the entity every frame, so a rename by a script shows at once.
char g_nameBuffer[kNameCapacity];
// Rebuilt every frame: scripts may register types at any time.
std::vector<ComponentType> g_types;

bool Holds(engine::entity_handle entity, uint32_t id) { return entity.GetBaseEntity()->components.count(id) != 0; }

// One popup listing `types`; returns the chosen name or an empty string. The
// list ends at the first choice because the entity's set has just changed.
std::string ChooseFromPopup(const char* popup, const std::vector<ComponentType>& types) {
    std::string chosen;
    if (!ImGui::BeginPopup(popup)) return chosen;
    for (const ComponentType& type : types) {
        if (ImGui::Selectable(type.name.c_str())) {
            chosen = type.name;
            break;
        }
    }
    ImGui::EndPopup();
    return chosen;
}

}  // namespace

std::vector<ComponentType> ComponentTypeList() {
    std::vector<ComponentType> types;
    for (const auto& [id, name] : components::ListComponentTypes()) types.push_back({id, name});
    // std::string compares as unsigned bytes, so this is plain byte order.
    std::sort(types.begin(), types.end(),
              [](const ComponentType& a, const ComponentType& b) { return a.name < b.name; });
    return types;
}

std::vector<ComponentType> AddableTypes(engine::entity_handle entity) {
    std::vector<ComponentType> out;
    for (ComponentType& type : ComponentTypeList())
        if (!Holds(entity, type.id)) out.push_back(std::move(type));
    return out;
}

std::vector<ComponentType> PresentTypes(engine::entity_handle entity) {
    std::vector<ComponentType> out;
    for (ComponentType& type : ComponentTypeList())
        if (Holds(entity, type.id)) out.push_back(std::move(type));
    return out;
}

void AddComponent(engine::entity_handle entity, const std::string& name) {
    entity.AddComponent(name, Json::Value());
    editor::MarkLevelChanged();
}

void RemoveComponent(engine::entity_handle entity, const std::string& name) {
    if (entity.RemoveComponent(name)) editor::MarkLevelChanged();
}

}  // namespace inspector

void DrawEntityInspector(engine::entity_handle entity) {
    using namespace inspector;
    entity.GetBaseEntity();  // a wrong/dead handle throws here, before anything is drawn

    std::strncpy(g_nameBuffer, entity.GetName().c_str(), kNameCapacity - 1);
    g_nameBuffer[kNameCapacity - 1] = '\0';
    if (ImGui::InputText("ent name", g_nameBuffer, kNameCapacity)) {
        entity.SetName(g_nameBuffer);
        editor::MarkLevelChanged();
    }
    if (ImGui::InputFloat3("ent pos", &entity.GetPosition().x, "%.2f")) editor::MarkLevelChanged();

    g_types = ComponentTypeList();
    std::vector<ComponentType> addable, present;
    for (const ComponentType& type : g_types) (Holds(entity, type.id) ? present : addable).push_back(type);

    if (ImGui::Button("add")) ImGui::OpenPopup("add component");
    std::string toAdd = ChooseFromPopup("add component", addable);
    if (!toAdd.empty()) AddComponent(entity, toAdd);

    ImGui::SameLine();
    if (ImGui::Button("remove")) ImGui::OpenPopup("remove component");
    std::string toRemove = ChooseFromPopup("remove component", present);
    if (!toRemove.empty()) RemoveComponent(entity, toRemove);

    ImGui::Separator();
    ImGui::BeginChild("Edit Entity", ImVec2(0.0f, 300.0f), false, ImGuiWindowFlags_HorizontalScrollbar);
    for (const ComponentType& type : g_types) {
        // Looked up afresh for each header: the popups above may just have
        // changed the set, and a component's own widgets may run scripts.
        auto& held = entity.GetBaseEntity()->components;
        auto it = held.find(type.id);
        if (it == held.end()) continue;
        if (!ImGui::CollapsingHeader(type.name.c_str())) continue;
        // Components share field labels ("offset", "width"): one ID scope each.
        ImGui::PushID(type.name.c_str());
        it->second->EditInfoDisplay();
        ImGui::PopID();
    }
    ImGui::EndChild();
}
