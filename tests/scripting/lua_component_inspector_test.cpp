// A script component in the entity inspector: the script draws its own fields
// through lb_component_edit_double / lb_component_edit_string, and what is
// typed there reaches lb_ComponentEditInfoSet and marks the level as changed.
#include "tests/scripting/script_fixture.h"

#include "ecs/entity_inspector.h"
#include "core/level_changes.h"
#include "tests/editor/gui_driver.h"

namespace {

constexpr const char* kLanternScripts = R"lua(
ffi = require("ffi")
speed, tag = 2, "red"
function lb_AddComponent(e, n, flag) end
function lb_InitializeComponent(e, n) end
function lb_RemoveComponent(e, n) end
function lb_ComponentEditInfoDisplay(e, n)
  ffi.C.lb_component_edit_double("speed", speed)
  ffi.C.lb_component_edit_string("tag", tag)
end
function lb_ComponentEditInfoSet(e, n, label, v)
  calls[#calls + 1] = "Set " .. n .. " " .. label .. "=" .. tostring(v)
  if label == "speed" then speed = v else tag = v end
end
ffi.C.lb_register_component("Lantern")
)lua";

class LuaComponentInspectorTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartRecordingHost(kLanternScripts);
        entity = engine::CreateEntity();
        entity.AddComponent("Lantern", Json::Value());
        ClearCalls();
        editor::ClearLevelChanged();
        Draw();
        Press(GuiDriver::Id(Region(), {"Lantern"}));  // open its header
    }
    void Draw() {
        gui.Frame([&] { DrawEntityInspector(entity); });
    }
    void Press(ImGuiID id) {
        GuiDriver::Press(id);
        Draw();
    }
    std::string Region() { return GuiDriver::Child(GuiDriver::kHost, "Edit Entity"); }
    void TypeInto(const char* label, const std::string& text) {
        GuiDriver::Enter(GuiDriver::Id(Region(), {"Lantern", label}), text, [&] { Draw(); });
    }

    GuiDriver gui;
    engine::entity_handle entity;
};

}  // namespace

TEST_F(LuaComponentInspectorTest, TypedNumbersAndTextReachTheScriptAndMarkTheLevel) {
    EXPECT_FALSE(editor::LevelChanged());  // drawing alone changes nothing
    TypeInto("speed", "7");
    EXPECT_EQ(Calls(), "Set Lantern speed=7");
    EXPECT_EQ(Eval("return speed"), "7");

    // Typed text reaches the script at each keystroke.
    ClearCalls();
    TypeInto("tag", "ok");
    EXPECT_EQ(Calls(), "Set Lantern tag=o|Set Lantern tag=ok");
    EXPECT_EQ(Eval("return tag"), "ok");
    EXPECT_TRUE(editor::LevelChanged());
}
