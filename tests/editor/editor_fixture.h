#pragma once
// An open editor without a window: the engine's events, an Input reading a
// fake cursor and keys, a GUI context that runs frames without rendering, the
// camera at the origin over a 498x280 framebuffer (one window pixel per world
// unit, world (0, 0) at window pixel (249, 140)), and a recorder of
// "EditorSelectedEntity".
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <imgui.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/input.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "editor/editor.h"
#include "editor/editor_actions.h"
#include "editor/editor_window.h"
#include "editor/rect_selection.h"
#include "engine/engine_events.h"
#include "graphics/debug_painter.h"
#include "tests/core/fake_input_source.h"
#include "tests/editor/gui_driver.h"

constexpr int kLeftButton = 0, kRightButton = 1;
constexpr int kKeyLeftShift = 340, kKeyLeftCtrl = 341, kKeyRightCtrl = 345;

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        source = new FakeInputSource();
        input = std::make_unique<Input>(source);
        debug_draw::RegisterEvent();
        debug_draw::SetPainter(&ImGuiDebugPainter());
        RegisterEngineEvents();
        ResetEngineState();
        GetEngineState().mode = GetEngineState().requestedMode = EngineMode::Editor;
        GetCamera() = Camera();

        CreateHeadlessGuiContext(ImVec2(498, 280));

        engine::DestroyAllEntities();
        Editor::ClearHistory();
        editor::CancelRectSelection();
        editor::SetShownPanel(editor::kPanelLevel);
        events::Connect<engine::entity_handle>("EditorSelectedEntity", "TestRecorder",
                                               [this](engine::entity_handle h) { selectedEvents.push_back(h); });
        OpenEditor();
        editor = GetEditor();
        editor::ClearLevelChanged();
    }

    void TearDown() override {
        CloseEditor();
        editor::CancelRectSelection();
        Editor::ClearHistory();
        engine::DestroyAllEntities();
        ImGui::DestroyContext();
        input.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
        GetCamera() = Camera();
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

    FakeInputSource* source = nullptr;
    std::unique_ptr<Input> input;
    Editor* editor = nullptr;
    std::vector<engine::entity_handle> selectedEvents;
};
