// Scripts rebuilt with the level's entities kept (hot reload of lua/): the
// entities come back in order with their names, positions and script fields,
// the new scripts run them, and they hear "LevelLoad" as after a load, but not
// in the editor.
#include "tests/scripting/script_fixture.h"

#include "ecs/component_registry.h"
#include "engine/script_reload.h"

namespace {

// A script component "Keep" with one saved field n, kept per entity.
std::string Scripts(int version) {
    return R"lua(
ffi.C.lb_connect_events()
keep = {}
function lb_AddComponent(e, n) keep[e.generation] = { n = 0 } end
function lb_InitializeComponent(e, n) end
function lb_SerializeComponent(e, n) ffi.C.lb_serialize_number("n", keep[e.generation].n) end
function lb_DeserializeComponent(e, n, t) keep[e.generation].n = t.n end
ffi.C.lb_register_component("Keep")
version = )lua" + std::to_string(version);
}

class ScriptReloadTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        setenv("XDG_DOCUMENTS_DIR", folder_.c_str(), 1);  // no save record from a real home
        components::RegisterBuiltinComponents();
        StartRecordingHost(Scripts(1));
    }
    void TearDown() override {
        unsetenv("XDG_DOCUMENTS_DIR");
        ScriptFixture::TearDown();
    }
    // What the Engine does to the host, with new script text.
    void Reload(int version) {
        ReloadScriptsKeepingEntities([&] {
            host_.reset();
            StartRecordingHost(Scripts(version));
        });
    }
};

TEST_F(ScriptReloadTest, EntitiesComeBackWithTheirFieldsUnderTheNewScripts) {
    engine::entity_handle a = engine::CreateEntity(), b = engine::CreateEntity();
    a.GetName() = "crate";
    a.SetPosition(3.0f, 4.0f, 0.0f);
    a.AddComponent("Keep", Json::Value());
    b.GetName() = "lamp";
    engine::DestroyEntity(engine::CreateEntity());  // waiting for the end of the frame: stays gone
    Eval("keep[" + std::to_string(a.GetEntityID()) + "].n = 7");
    Reload(2);
    EXPECT_EQ(Eval("return version"), "2");
    const std::vector<engine::entity_handle>& live = engine::GetLiveEntities();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].GetName() + " " + live[1].GetName(), "crate lamp");
    EXPECT_EQ(live[0].GetPosition(), glm::vec3(3.0f, 4.0f, 0.0f));
    EXPECT_EQ(Eval("return keep[" + std::to_string(live[0].GetEntityID()) + "].n"), "7");
    EXPECT_FALSE(live[1].HasComponent("Keep"));
    EXPECT_EQ(Eval("return calls[#calls]"), "LevelLoad {}");

    GetEngineState().mode = GetEngineState().requestedMode = EngineMode::Editor;
    Reload(3);
    EXPECT_EQ(Eval("return version .. ' ' .. calls[#calls]"), "3 Register PostDraw");
}

TEST_F(ScriptReloadTest, AStartupScriptThatDoesNotCompileStopsTheReload) {
    EXPECT_TRUE(StartupScriptCompiles());
    Write("lua/engine/init.lua", "this is not lua");
    EXPECT_FALSE(StartupScriptCompiles());
    EXPECT_EQ(LastLogLine().rfind("Scripts not reloaded: lua/engine/init.lua:1:", 0), 0u) << LastLogLine();
}

}  // namespace
