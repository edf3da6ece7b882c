// Script components: which script functions run, how often and with what, what
// they save, and their fields in the entity inspector.
#include "tests/scripting/script_fixture.h"

#include <json/writer.h>

#include "core/json_text.h"
#include "core/level_changes.h"
#include "ecs/component_registry.h"
#include "ecs/entity_inspector.h"
#include "scripting/lua_component.h"
#include "tests/editor/gui_driver.h"

namespace {

// The component functions are recorded like events; the script keeps its
// fields speed and tag, and saves whatever `writes` holds.
constexpr const char* kWobble = R"lua(
for _, f in ipairs({"AddComponent", "InitializeComponent", "RemoveComponent", "CopyComponent", "DeserializeComponent"}) do
  _G["lb_" .. f] = function(...) events.Call(f, ...) end
end
speed, tag, writes = 2, "red", {}
function lb_ComponentEditInfoSet(e, n, label, v) events.Call("Set", e, n, label, v) _G[label] = v end
function lb_ComponentEditInfoDisplay(e, n)
  ffi.C.lb_component_edit_double("speed", speed)
  ffi.C.lb_component_edit_string("tag", tag)
end
function lb_SerializeComponent(e, n)
  for k, v in pairs(writes) do ffi.C["lb_serialize_" .. type(v)](k, v) end
end
ffi.C.lb_register_component("Wobble")
)lua";

class LuaComponentTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartRecordingHost(kWobble);
        e.AddComponent("Wobble", Json::Value());
    }
    engine::entity_handle e = engine::CreateEntity();
};

TEST_F(LuaComponentTest, AddDeserializeInitializeCopyAndRemoveEachCallTheScriptOnce) {
    EXPECT_EQ(Calls(), "AddComponent E0:1 Wobble true|InitializeComponent E0:1 Wobble");
    engine::entity_handle loaded = engine::CreateEntity(), copy = engine::CreateEntity();
    loaded.AddComponent("Wobble", ParseJsonTextOrThrow(R"({"__component_name": "Wobble", "speed": 3, "on": true})"));
    EXPECT_EQ(Calls(), "AddComponent E1:2 Wobble true|DeserializeComponent E1:2 Wobble {__component_name=Wobble,speed=3}|"
                       "InitializeComponent E1:2 Wobble");
    copy.CopyFrom(e);
    EXPECT_EQ(Calls(), "AddComponent E2:3 Wobble true|InitializeComponent E2:3 Wobble|CopyComponent E2:3 Wobble E0:1 Wobble");
    EXPECT_TRUE(e.RemoveComponent("Wobble"));
    EXPECT_EQ(Calls(), "RemoveComponent E0:1 Wobble");
    const uint32_t id = components::GetID("Wobble");  // registering again keeps the type
    Eval("ffi.C.lb_register_component('Wobble')");
    EXPECT_EQ(components::GetID("Wobble"), id);
}

TEST_F(LuaComponentTest, SavingKeepsWhatTheScriptWroteAndHandsTheOuterRecordBack) {
    RootComponent& wobble = *e.GetBaseEntity()->components.at(components::GetID("Wobble"));
    EXPECT_TRUE(wobble.Serialize().isNull());  // nothing written: the level holds only the name
    Eval("writes = { speed = 2.5, tag = 'blue' }");
    Json::Value record;
    {
        ScopedSerializationTarget outer(&record);  // a "LevelUnload" listener saving the level
        EXPECT_EQ(wobble.Serialize(), ParseJsonTextOrThrow(R"({"speed": 2.5, "tag": "blue"})"));
        Eval("ffi.C.lb_serialize_number('coins', 3)");
    }
    EXPECT_EQ(record, ParseJsonTextOrThrow(R"({"coins": 3.0})"));
}

// Typed into the entity inspector, each keystroke reaches the script and marks
// the level as changed; text is cut to what the 512-byte field holds.
TEST_F(LuaComponentTest, InspectorFieldsReachTheScriptAndMarkTheLevel) {
    Eval("ffi.C.lb_component_edit_string('tag', string.rep('c', 600))");  // no inspector drawn: only the copy
    EXPECT_EQ(std::string(scripting::EditStringBuffer()), std::string(511, 'c'));
    editor::ClearLevelChanged();
    GuiDriver gui;
    const auto draw = [&] { gui.Frame([&] { DrawEntityInspector(e); }); };
    draw();
    const std::string region = GuiDriver::Child(GuiDriver::kHost, "Edit Entity");
    GuiDriver::Press(GuiDriver::Id(region, {"Wobble"}));  // open its header
    draw();
    EXPECT_FALSE(editor::LevelChanged());
    Calls();
    GuiDriver::Enter(GuiDriver::Id(region, {"Wobble", "speed"}), "7", draw);
    EXPECT_TRUE(editor::LevelChanged());
    editor::ClearLevelChanged();
    GuiDriver::Enter(GuiDriver::Id(region, {"Wobble", "tag"}), "ok", draw);
    EXPECT_TRUE(editor::LevelChanged());
    EXPECT_EQ(Calls(), "Set E0:1 Wobble speed 7|Set E0:1 Wobble tag o|Set E0:1 Wobble tag ok");
}

}  // namespace
