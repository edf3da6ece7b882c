// The Lua host: start-up order and failures, errors printed with their file and
// line, and every call into the scripts leaving the stack as it found it.
#include "tests/scripting/script_fixture.h"

#include "core/debug_exception.h"
#include "scripting/event_bridge.h"

namespace {

using LuaHostTest = ScriptFixture;

TEST_F(LuaHostTest, RunsInitThenAutorunThenComponentsByNameAndAFailingScriptOnlySkipsItself) {
    Write("lua/engine/init.lua", "order = { 'init' }");
    Write("lua/autorun/b.lua", "order[#order + 1] = 'autorun/b'");
    Write("lua/autorun/a.lua", "this is not lua");
    Write("lua/autorun/c.lua", "order[#order + 1] = 'autorun/c'\nerror('c failed')");
    Write("lua/autorun/notes.txt", "order[#order + 1] = 'never'");
    Write("lua/components/z.lua", "order[#order + 1] = 'components/z'");
    Write("lua/components/m.lua", "order[#order + 1] = 'components/m'");
    host_ = std::make_unique<LuaHost>();
    EXPECT_EQ(Eval("return table.concat(order, ',')"), "init,autorun/b,autorun/c,components/m,components/z");
    EXPECT_EQ(GetLuaHost(), host_.get());
    ASSERT_EQ(GetLog().size(), 2u);
    EXPECT_EQ(GetLog()[0].rfind("lua/autorun/a.lua:1:", 0), 0u) << GetLog()[0];
    EXPECT_EQ(GetLog()[1], "lua/autorun/c.lua:2: c failed");
}

// An init script that is missing, does not compile or fails stops the game with
// the error, which is printed too; a bridge it connected goes with it.
TEST_F(LuaHostTest, AnInitScriptThatCannotRunStopsTheStartWithItsFileAndLine) {
    const std::string connectThenFail =
        std::string("FFI_DECLS = '") + QM_FFI_DECLS + "'\n" + kRecordingInit + "ffi.C.lb_connect_events()\nerror('boom')";
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "Error loading lua init file!\ncannot open lua/engine/init.lua"},
        {"local x = = 1", "Error loading lua init file!\nlua/engine/init.lua:1: unexpected symbol near '='"},
        {connectThenFail.c_str(), "Error running lua init file!lua/engine/init.lua:"},
    };
    for (const auto& [script, expected] : cases) {
        SCOPED_TRACE(expected);
        if (script) Write("lua/engine/init.lua", script);
        try {
            host_ = std::make_unique<LuaHost>();
            ADD_FAILURE() << "started";
        } catch (const debug::exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind(expected, 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(LastLogLine()), std::string::npos) << LastLogLine();
        }
        EXPECT_EQ(GetLuaHost(), nullptr);
        EXPECT_FALSE(events::Disconnect("LogicUpdate", "LuaBindingLogicUpdate"));
    }
}

// A failing listener, a failing script component function called back from an
// export, and a failing entity constructor: each is printed, the rest of the
// call goes on, and the stack stays balanced.
TEST_F(LuaHostTest, ScriptErrorsArePrintedAndTheCallGoesOnWithoutThem) {
    StartRecordingHost(R"lua(
ffi.C.lb_connect_events()
hooks = { LogicUpdate = function(dt) error("update failed at " .. dt, 0) end }
function lb_CreateEntity(i, g) if g == 8 then error("no entity " .. g, 0) end return { index = i, generation = g } end
local adds = 0
function lb_AddComponent() adds = adds + 1 if adds == 1 then error("first add fails", 0) end end
function lb_InitializeComponent() calls[#calls + 1] = "init" end
ffi.C.lb_register_component("Nested")
function run()
  for i = 1, 2 do
    local h = ffi.C.lb_create_entity()
    ffi.C.lb_entity_add_component(h.index, h.generation, "Nested")
  end
  return adds
end
)lua");
    Calls();
    lua_pushstring(L(), "sentinel");
    events::Call<float>("LogicUpdate", 1.0f);
    scripting::ForwardCollision(L(), "OnCollisionEnded", {7, 8}, {3, 4}, 5.0f, 6.0f, 0.5f, -1.0f, 0.0f);
    EXPECT_EQ(Eval("return run()"), "2");
    EXPECT_EQ(Calls(), "LogicUpdate 1|OnCollisionEnded E3:4 V5,6 0.5 V-1,0|init|init");
    EXPECT_EQ(GetLog(), (std::deque<std::string>{"update failed at 1", "no entity 8", "first add fails"}));
    EXPECT_EQ(lua_gettop(L()), 1);
    EXPECT_STREQ(lua_tostring(L(), 1), "sentinel");
}

}  // namespace
