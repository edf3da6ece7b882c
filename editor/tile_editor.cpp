#include "editor/tile_editor.h"

#include <string>
#include <vector>

#include <imgui.h>

#include "core/camera.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/input.h"
#include "core/level_changes.h"
#include "editor/level_edit.h"
#include "graphics/texture_cache.h"
#include "graphics/tile_map.h"

namespace editor {

namespace {

const char* const kDragListener = "TileEditorMouseDraggingUpdate";
const char* const kReleaseListener = "TileEditorMouseButtonRelease";

uint32_t g_brush = 0;
bool g_painting = false;
Json::Value g_mapBeforeStroke;  // the whole map as the stroke found it (null without a map)
// Texture names offered by "select texture", read when one of its buttons is
// pressed so textures added while the game runs show up.
std::vector<std::string> g_textureFiles;

void StopPainting() {
    g_painting = false;
    events::Disconnect("LogicUpdate", kDragListener);
    events::Disconnect("MouseButtonReleased", kReleaseListener);
    // The stroke is one undo entry; one that changed nothing is none.
    Json::Value before = std::move(g_mapBeforeStroke);
    g_mapBeforeStroke = Json::Value();
    const TileMap* map = GetTileMap();
    if (before.isNull() || !map) return;
    Json::Value after = map->Serialize();
    if (after == before) return;
    LevelEdit stroke{.what = g_brush == 0 ? "erase tiles" : "paint tiles"};
    stroke.tilesBefore = std::move(before);
    stroke.tilesAfter = std::move(after);
    RecordLevelEdit(std::move(stroke));
}

// InputInt edits an int; the map keeps unsigned sizes, and a negative size
// makes no sense, so it is stored as 0 (which turns painting off).
bool EditSize(const char* label, uint32_t size, void (TileMap::*set)(uint32_t), TileMap& map) {
    int value = int(size);
    if (!ImGui::InputInt(label, &value, 1, 100)) return false;
    (map.*set)(uint32_t(value < 0 ? 0 : value));
    return true;
}

void DrawTileTextureList(TileMap& map) {
    ImGui::BeginChild("tile textures", ImVec2(0.0f, 260.0f), false);
    for (uint32_t i = 1; i < map.GetTileNames().size(); ++i) {
        ImGui::PushID(int(i));
        ImGui::Text("tile %u", i);
        ImGui::SameLine();
        if (ImGui::Button(map.GetTileNames()[i].c_str())) {
            std::string folder = GetTextureFolder();
            if (!folder.empty() && folder.back() == '/') folder.pop_back();
            g_textureFiles = ListFilesWithExtension(folder, "png");
            ImGui::OpenPopup("select texture");
        }
        if (ImGui::BeginPopup("select texture")) {
            for (const std::string& name : g_textureFiles) {
                if (ImGui::MenuItem(name.c_str())) {
                    map.SetTileTexture(i, name);
                    MarkLevelChanged();
                }
            }
            ImGui::EndPopup();
        }
        ImGui::PopID();
        ImGui::Spacing();
    }
    if (ImGui::Button("add tile")) {
        AddTile(map);
        MarkLevelChanged();
    }
    ImGui::SameLine();
    if (ImGui::Button("remove last tile")) {
        map.RemoveLastTexture();
        MarkLevelChanged();
    }
    ImGui::EndChild();
}

void DrawBrushList(const TileMap& map) {
    ImGui::BeginChild("tile number", ImVec2(0.0f, 295.0f));
    const std::vector<std::string>& names = map.GetTileNames();
    for (uint32_t i = 0; i < names.size(); ++i) {
        // Several tiles may share a texture name: the index tells them apart.
        ImGui::PushID(int(i));
        if (ImGui::Selectable(names[i].c_str(), g_brush == i)) g_brush = i;
        ImGui::PopID();
    }
    ImGui::EndChild();
}

}  // namespace

uint32_t GetTileBrush() { return g_brush; }
void SetTileBrush(uint32_t index) { g_brush = index; }
bool IsTilePainting() { return g_painting; }

void AddTile(TileMap& map) { map.SetTileTexture(uint32_t(map.GetTileNames().size()), "debug"); }

void PaintTileAtCursor() {
    TileMap* map = GetTileMap();
    Input* input = GetInput();
    if (!map || !input) return;
    const glm::vec2 cursor = input->GetCursorPosition();
    const glm::vec3 world = GetCamera().ScreenToWorld(cursor.x, cursor.y, 0.0f);
    map->SetTile(world.x, world.y, g_brush);
}

void StartTilePainting() {
    // Connected afresh each time: a second press without a release seen (the
    // window lost it) must not fail, and the stroke must not hang on a flag
    // that outlived its listeners.
    events::Disconnect("LogicUpdate", kDragListener);
    events::Disconnect("MouseButtonReleased", kReleaseListener);
    events::Connect<float>("LogicUpdate", kDragListener, [](float) { PaintTileAtCursor(); });
    events::Connect<int>("MouseButtonReleased", kReleaseListener, [](int button) {
        if (button == 0) StopPainting();
    });
    // A press without its release seen keeps the start of the stroke it began.
    if (!g_painting || g_mapBeforeStroke.isNull())
        g_mapBeforeStroke = GetTileMap() ? GetTileMap()->Serialize() : Json::Value();
    g_painting = true;
    PaintTileAtCursor();
    MarkLevelChanged();
}

void DrawTilesPanel() {
    TileMap* map = GetTileMap();
    if (!map) {
        ImGui::TextUnformatted("no level loaded");
        return;
    }
    bool changed = EditSize("tile width", map->GetTileWidth(), &TileMap::SetTileWidth, *map);
    changed |= EditSize("tile height", map->GetTileHeight(), &TileMap::SetTileHeight, *map);
    if (changed) MarkLevelChanged();

    ImGui::Separator();
    DrawTileTextureList(*map);

    ImGui::Separator();
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::TextUnformatted("selected tile type:");
    ImGui::Separator();
    DrawBrushList(*map);
}

}  // namespace editor
