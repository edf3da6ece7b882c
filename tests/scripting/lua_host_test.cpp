// The Lua host: start-up order and failures, protected calls, stack balance.
#include "tests/scripting/script_fixture.h"

#include "core/debug_exception.h"
#include "scripting/lb_exports.h"

namespace {

std::string StartFailure(const std::function<void()>& start) {
    try {
        start();
    } catch (const debug::exception& e) {
        return e.what();
    }
    return "(no exception)";
}

using LuaHostTest = ScriptFixture;

TEST_F(LuaHostTest, RunsInitThenAutorunThenComponentsEachFolderByName) {
    WriteInit("order = { 'init' }");
    Write("lua/autorun/b.lua", "order[#order + 1] = 'autorun/b'");
    Write("lua/autorun/a.lua", "order[#order + 1] = 'autorun/a'");
    Write("lua/autorun/notes.txt", "order[#order + 1] = 'never'");
    Write("lua/components/z.lua", "order[#order + 1] = 'components/z'");
    Write("lua/components/m.lua", "order[#order + 1] = 'components/m'");
    StartHost();
    EXPECT_EQ(Eval("return table.concat(order, ',')"), "init,autorun/a,autorun/b,components/m,components/z");
    EXPECT_EQ(GetLuaHost(), host_.get());
}

TEST_F(LuaHostTest, StartsWithoutAutorunOrComponentFoldersAndStopsQuietlyWithoutTheBridge) {
    WriteInit("ran = true");
    StartHost();
    EXPECT_EQ(Eval("return ran"), "true");
    EXPECT_NO_THROW(host_.reset());
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(LuaHostTest, MissingOrBrokenInitIsALoadErrorAndAFailingOneARunErrorWithoutSeparator) {
    const std::string message = StartFailure([&] { StartHost(); });
    EXPECT_EQ(message.rfind("Error loading lua init file!\ncannot open lua/engine/init.lua", 0), 0u) << message;
    EXPECT_EQ(GetLuaHost(), nullptr);
    // The error text is printed as well as thrown.
    EXPECT_EQ("Error loading lua init file!\n" + LastLogLine(), message);

    Write("lua/engine/init.lua", "local x = = 1");
    EXPECT_EQ(StartFailure([&] { StartHost(); }),
              "Error loading lua init file!\nlua/engine/init.lua:1: unexpected symbol near '='");

    Write("lua/engine/init.lua", "error('boom')");
    EXPECT_EQ(StartFailure([&] { StartHost(); }), "Error running lua init file!lua/engine/init.lua:1: boom");
    EXPECT_EQ(LastLogLine(), "lua/engine/init.lua:1: boom");
    EXPECT_EQ(GetLuaHost(), nullptr);
}

TEST_F(LuaHostTest, InitThatConnectedTheBridgeBeforeFailingLeavesNoListeners) {
    WriteInit(std::string(kRecordingInit) + "ffi.C.lb_connect_events()\nerror('late')");
    StartFailure([&] { StartHost(); });
    events::Call<float>("LogicUpdate", 1.0f);  // must not reach a closed state
    EXPECT_TRUE(events::Disconnect("LogicUpdate", "LuaBindingLogicUpdate") == false);
}

TEST_F(LuaHostTest, FailingAutorunAndComponentScriptsArePrintedAndTheNextOnesRun) {
    WriteInit("order = {}");
    Write("lua/autorun/a.lua", "this is not lua");
    Write("lua/autorun/b.lua", "order[#order + 1] = 'b'; error('b failed')");
    Write("lua/autorun/c.lua", "order[#order + 1] = 'c'");
    Write("lua/components/d.lua", "order[#order + 1] = 'd'");
    StartHost();
    EXPECT_EQ(Eval("return table.concat(order, ',')"), "b,c,d");
    ASSERT_EQ(GetLog().size(), 2u);
    EXPECT_EQ(GetLog()[0].rfind("lua/autorun/a.lua:1:", 0), 0u) << GetLog()[0];
    EXPECT_EQ(GetLog()[1], "lua/autorun/b.lua:1: b failed");
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(LuaHostTest, ProtectedCallPrintsTheErrorAndLeavesTheStackAsFound) {
    WriteInit("function bad() error('bad call', 0) end function good(a, b) return a + b end");
    StartHost();
    lua_pushstring(L(), "sentinel");
    lua_getglobal(L(), "bad");
    EXPECT_FALSE(lua::ProtectedCall(L(), 0, 0));
    EXPECT_EQ(LastLogLine(), "bad call");
    EXPECT_EQ(lua_gettop(L()), 1);
    lua_getglobal(L(), "good");
    lua_pushnumber(L(), 2);
    lua_pushnumber(L(), 3);
    EXPECT_TRUE(lua::ProtectedCall(L(), 2, 1));
    EXPECT_EQ(lua_tonumber(L(), -1), 5);
    lua_settop(L(), 1);
    EXPECT_STREQ(lua_tostring(L(), 1), "sentinel");
}

TEST_F(LuaHostTest, PushersLeaveOneValueOrNothingWhenTheConstructorFails) {
    WriteInit(
        "function lb_CreateEntity(i, g) return i * 1000 + g end\n"
        "function lb_CreateVector(x, y) error('no vectors', 0) end");
    StartHost();
    EXPECT_EQ(lua::PushEntity(L(), {3, 7}), 1);
    EXPECT_EQ(lua_tonumber(L(), -1), 3007);
    lua_settop(L(), 0);
    EXPECT_EQ(lua::PushVector(L(), 1.5f, 2.0f), 0);
    EXPECT_EQ(lua_gettop(L()), 0);
    EXPECT_EQ(LastLogLine(), "no vectors");
}

TEST_F(LuaHostTest, JsonObjectBecomesAFlatTableOfStringAndNumberMembers) {
    WriteInit(std::string(kRecordingInit));
    StartHost();
    Json::Value value(Json::objectValue);
    value["a"] = 1;
    value["b"] = "x";
    value["c"].append(1);
    value["d"] = true;
    value["e"]["nested"] = 2;
    value["f"] = Json::Value();
    value["g"] = 2.5;
    lua_getglobal(L(), "events");
    lua_getfield(L(), -1, "Call");
    lua_remove(L(), -2);
    lua_pushstring(L(), "Probe");
    lua::PushJsonObject(L(), value);
    ASSERT_TRUE(lua::ProtectedCall(L(), 2, 0));
    EXPECT_EQ(Calls(), "Probe {a=1,b=x,g=2.5}");
    // Not an object (a component saved without fields): an empty table.
    lua::PushJsonObject(L(), Json::Value());
    EXPECT_EQ(lua_objlen(L(), -1), 0u);
    lua_pushnil(L());
    EXPECT_EQ(lua_next(L(), -2), 0);
    lua_settop(L(), 0);
}

// A script calls an export that calls back into Lua, which fails, and another
// that succeeds: every level leaves the stack balanced.
TEST_F(LuaHostTest, NestedCallsThroughExportsKeepTheStackBalanced) {
    StartRecordingHost(R"lua(
local ffi = require("ffi")
local depth = 0
function lb_AddComponent(e, name) depth = depth + 1; calls[#calls + 1] = "add" .. depth; if depth == 1 then error("first add fails", 0) end end
function lb_InitializeComponent(e, name) calls[#calls + 1] = "init" end
ffi.C.lb_register_component("Nested")
function run()
  local h = ffi.C.lb_create_entity()
  ffi.C.lb_entity_add_component(h.index, h.generation, "Nested")
  local h2 = ffi.C.lb_create_entity()
  ffi.C.lb_entity_add_component(h2.index, h2.generation, "Nested")
  return "done"
end
)lua");
    ClearCalls();
    EXPECT_EQ(Eval("return run()"), "done");
    EXPECT_EQ(Calls(), "add1|init|add2|init");
    EXPECT_EQ(LastLogLine(), "first add fails");
    EXPECT_EQ(lua_gettop(L()), 0);
}

}  // namespace
