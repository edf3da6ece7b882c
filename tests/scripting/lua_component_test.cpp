// Script components: which script functions run, how often, with what.
#include "tests/scripting/script_fixture.h"

#include <json/reader.h>

#include "ecs/component_registry.h"
#include "scripting/lua_component.h"

namespace {

// Every lb_*Component call is recorded as "<function> <type> <args...>".
constexpr const char* kComponentScripts = R"lua(
local function E(e) return "E" .. e.generation end
local function show(t)
  local keys = {}
  for k, v in pairs(t) do keys[#keys + 1] = k .. "=" .. tostring(v) end
  table.sort(keys)
  return "{" .. table.concat(keys, ",") .. "}"
end
function lb_AddComponent(e, n, flag) calls[#calls + 1] = "Add " .. n .. " " .. E(e) .. " " .. tostring(flag) end
function lb_InitializeComponent(e, n) calls[#calls + 1] = "Init " .. n .. " " .. E(e) end
function lb_RemoveComponent(e, n) calls[#calls + 1] = "Remove " .. n .. " " .. E(e) end
function lb_CopyComponent(e, n, o, on) calls[#calls + 1] = "Copy " .. n .. " " .. E(e) .. " " .. on .. " " .. E(o) end
function lb_DeserializeComponent(e, n, t) calls[#calls + 1] = "Deserialize " .. n .. " " .. E(e) .. " " .. show(t) end
function lb_ComponentEditInfoDisplay(e, n) calls[#calls + 1] = "Edit " .. n .. " " .. E(e) end
function lb_ComponentEditInfoSet(e, n, label, v) calls[#calls + 1] = "Set " .. n .. " " .. E(e) .. " " .. label .. "=" .. tostring(v) end
writes = {}
function lb_SerializeComponent(e, n)
  calls[#calls + 1] = "Serialize " .. n .. " " .. E(e)
  for k, v in pairs(writes) do
    if type(v) == "number" then ffi.C.lb_serialize_number(k, v) else ffi.C.lb_serialize_string(k, v) end
  end
end
ffi = require("ffi")
ffi.C.lb_register_component("Wobble")
)lua";

class LuaComponentTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartRecordingHost(kComponentScripts);
        ClearCalls();
    }
};

TEST_F(LuaComponentTest, AddedAddsOnceDeserializesAnyDataThenInitializesOnce) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Wobble", Json::Value());
    EXPECT_EQ(Calls(), "Add Wobble E1 true|Init Wobble E1");
    EXPECT_TRUE(e.HasComponent("Wobble"));

    ClearCalls();  // as loaded from a level
    engine::entity_handle f = engine::CreateEntity();
    Json::Value data;
    Json::Reader().parse(R"({"__component_name": "Wobble", "speed": 3, "tag": "red", "list": [1], "on": true})", data);
    f.AddComponent("Wobble", data);
    EXPECT_EQ(Calls(),
              "Add Wobble E2 true|Deserialize Wobble E2 {__component_name=Wobble,speed=3,tag=red}|Init Wobble E2");
}

TEST_F(LuaComponentTest, SerializeReturnsWhatTheScriptWrote) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Wobble", Json::Value());
    RootComponent* c = e.GetBaseEntity()->components.at(components::GetID("Wobble")).get();
    EXPECT_TRUE(c->Serialize().isNull());  // wrote nothing: the saved entity holds only the name
    ASSERT_EQ(e.Serialize()["components"].size(), 1u);
    for (const Json::Value& saved : e.Serialize()["components"])
        EXPECT_EQ(saved.getMemberNames(), std::vector<std::string>{"__component_name"});
    Eval("writes = { speed = 2.5, tag = 'blue' }");
    Json::Value saved = c->Serialize();
    EXPECT_EQ(saved["speed"].asDouble(), 2.5);
    EXPECT_EQ(saved["tag"].asString(), "blue");
    EXPECT_EQ(saved.size(), 2u);
    // A stray write after the save is reported and goes nowhere.
    ClearLog();
    EXPECT_EQ(Eval("ffi.C.lb_serialize_number('late', 1) return 'ok'"), "ok");
    EXPECT_EQ(LastLogLine(), "Lua Error: lb_serialize_number called while nothing is being saved");
    EXPECT_FALSE(saved.isMember("late"));
}

// A component saved from inside a save record's writer (say a "LevelUnload"
// listener saving the level) hands the target back when it is done.
TEST_F(LuaComponentTest, SerializeInsideAnotherSaveRestoresItsTarget) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Wobble", Json::Value());
    RootComponent* c = e.GetBaseEntity()->components.at(components::GetID("Wobble")).get();
    Eval("writes = { speed = 1 }");
    Json::Value record;
    {
        ScopedSerializationTarget outer(&record);
        c->Serialize();
        EXPECT_EQ(GetSerializationTarget(), &record);
        Eval("ffi.C.lb_serialize_number('coins', 3)");
    }
    EXPECT_EQ(GetSerializationTarget(), nullptr);
    EXPECT_EQ(record["coins"].asInt(), 3);
    EXPECT_FALSE(record.isMember("speed"));
}

TEST_F(LuaComponentTest, RemoveAndCopyPassBothEntities) {
    engine::entity_handle a = engine::CreateEntity();
    engine::entity_handle b = engine::CreateEntity();
    a.AddComponent("Wobble", Json::Value());
    ClearCalls();
    b.CopyFrom(a);
    EXPECT_EQ(Calls(), "Add Wobble E2 true|Init Wobble E2|Copy Wobble E2 Wobble E1");
    ClearCalls();
    EXPECT_TRUE(a.RemoveComponent("Wobble"));
    EXPECT_EQ(Calls(), "Remove Wobble E1");
}

TEST_F(LuaComponentTest, RegisteringANameTwiceKeepsTheFirstId) {
    const uint32_t id = components::GetID("Wobble");
    Eval("ffi.C.lb_register_component('Wobble')");
    EXPECT_EQ(components::GetID("Wobble"), id);
    Eval("ffi.C.lb_register_component('Sprite')");  // a native name is left alone
    EXPECT_EQ(components::GetID("Sprite"), 1u);
}

// Other tests register script types in this process too; in a fresh one the
// host's first registered type comes right after the ten built-ins.
TEST_F(LuaComponentTest, TheFirstScriptTypeOfAFreshProcessIsEleven) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(components::GetID("Wobble") == 11 ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(LuaComponentTest, EditFieldsReachTheLastDisplayedComponent) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Wobble", Json::Value());
    RootComponent* c = e.GetBaseEntity()->components.at(components::GetID("Wobble")).get();
    ClearCalls();
    c->EditInfoDisplay();
    scripting::SendEditedNumber("speed", 4.5);
    scripting::SendEditedString("tag", "green");
    EXPECT_EQ(Calls(), "Edit Wobble E1|Set Wobble E1 speed=4.5|Set Wobble E1 tag=green");
    EXPECT_EQ(scripting::GetEditedComponent().owner, e);
}

TEST_F(LuaComponentTest, EditBufferKeeps511CharactersAndCutsLongerText) {
    const std::string exact(511, 'a');
    scripting::FillEditBuffer(exact.c_str());
    EXPECT_EQ(std::string(scripting::EditStringBuffer()), exact);
    const std::string longer(2000, 'b');
    scripting::FillEditBuffer(longer.c_str());
    EXPECT_EQ(std::string(scripting::EditStringBuffer()), std::string(511, 'b'));
    // Without an inspector being drawn, the export still copies and nothing is called.
    ClearCalls();
    EXPECT_EQ(Eval("ffi.C.lb_component_edit_string('tag', string.rep('c', 600)) return 'ok'"), "ok");
    EXPECT_EQ(std::string(scripting::EditStringBuffer()), std::string(511, 'c'));
    EXPECT_EQ(Calls(), "");
}

TEST_F(LuaComponentTest, AScriptErrorInAComponentFunctionIsPrintedAndTheOperationCompletes) {
    Eval("function lb_InitializeComponent() error('init broke', 0) end");
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Wobble", Json::Value());
    EXPECT_TRUE(e.HasComponent("Wobble"));
    EXPECT_EQ(LastLogLine(), "init broke");
    EXPECT_EQ(lua_gettop(L()), 0);
}

}  // namespace
