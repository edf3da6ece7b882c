#pragma once
// An open editor without a window, in a scratch game folder (levels/,
// textures/, the documents folder): the engine's events, an Input reading a fake
// cursor and keys, a headless GUI, the camera at the origin over 498x280 window
// pixels (a pixel per world unit, world (0, 0) at pixel (249, 140)), and a
// recorder of "EditorSelectedEntity".
#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/input.h"
#include "core/level_changes.h"
#include "editor/editor_actions.h"
#include "editor/editor_window.h"
#include "editor/rect_selection.h"
#include "engine/engine_events.h"
#include "graphics/debug_painter.h"
#include "graphics/tile_map.h"
#include "tests/core/fake_input_source.h"
#include "tests/editor/gui_driver.h"
#include "tests/level/level_test_env.h"

constexpr int kLeftButton = 0, kRightButton = 1;
constexpr int kKeyLeftShift = 340, kKeyLeftCtrl = 341, kKeyRightCtrl = 345;
using Selection = std::vector<engine::entity_handle>;

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"levels", "textures"}) fs::create_directories(root / folder);
        fs::current_path(root);
        documents.Set((root / "docs").string());
        events::ClearRegistryForTesting();
        input = std::make_unique<Input>(source);
        debug_draw::RegisterEvent();
        debug_draw::SetPainter(&ImGuiDebugPainter());
        RegisterEngineEvents();
        ResetEngineState();
        GetEngineState().mode = GetEngineState().requestedMode = EngineMode::Editor;
        GetCamera() = Camera();
        engine::DestroyAllEntities();
        Editor::ClearHistory();
        editor::SetShownPanel(editor::kPanelLevel);
        events::Connect<engine::entity_handle>("EditorSelectedEntity", "TestRecorder",
                                               [this](engine::entity_handle h) { selectedEvents.push_back(h); });
        OpenEditor();
        editor = GetEditor();
    }
    void TearDown() override {
        Release(kLeftButton);  // a tile stroke a test left open ends with it
        CloseEditor();
        editor::CancelRectSelection();
        Editor::ClearHistory();
        engine::DestroyAllEntities();
        input.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
        GetCamera() = Camera();
        SetTileMap(nullptr);
        fs::current_path(oldCwd);
        fs::remove_all(root);
    }

    engine::entity_handle Make(float x, float y, float z = 0.0f, const char* name = "Entity") {
        engine::entity_handle h = engine::CreateEntity();
        h.SetPosition(x, y, z);
        h.SetName(name);
        return h;
    }
    void CursorAtWorld(float x, float y) {
        const glm::vec3 s = GetCamera().WorldToScreen(x, y, 0.0f);
        source->cursor = {s.x, s.y};
    }
    void Press(int button) { events::Call("MouseButtonPressed", button); }
    void Release(int button) { events::Call("MouseButtonReleased", button); }
    void Key(int key) { events::Call("KeyPressed", key); }
    void Hold(std::initializer_list<int> keys) { source->heldKeys = keys; }
    void ClickAt(float x, float y) {
        CursorAtWorld(x, y);
        Press(kLeftButton);
        Release(kLeftButton);
    }
    // Left-drag from one world point to another with a frame's update between.
    void DragWorld(float x0, float y0, float x1, float y1) {
        CursorAtWorld(x0, y0);
        Press(kLeftButton);
        CursorAtWorld(x1, y1);
        Editor::UpdateActions();
        Release(kLeftButton);
    }
    glm::vec3 Pos(engine::entity_handle h) { return h.GetPosition(); }

    const fs::path oldCwd = fs::current_path();
    const fs::path root = [] {
        char pattern[] = "/tmp/qm_editor_XXXXXX";
        return fs::path(mkdtemp(pattern));
    }();
    ScopedEnv documents{"XDG_DOCUMENTS_DIR"};
    GuiDriver gui;
    FakeInputSource* source = new FakeInputSource();  // owned by input
    std::unique_ptr<Input> input;
    Editor* editor = nullptr;
    std::vector<engine::entity_handle> selectedEvents;
};
