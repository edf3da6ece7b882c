// Scripts rebuilt with the level's entities kept (hot reload of lua/): the
// entities come back in order with names, positions and their script
// components' fields, the new scripts are the ones running, and the scripts
// hear "LevelLoad" as after a load (not in the editor).
#include "tests/scripting/script_fixture.h"

#include <cstdlib>

#include "ecs/component_registry.h"
#include "engine/script_reload.h"

namespace {

// A script component "Keep" with one saved field n, kept in keep[generation].
std::string Scripts(int version) {
    return std::string(R"lua(
ffi.C.lb_connect_events()
keep = {}
function lb_AddComponent(e, n) keep[e.generation] = { n = 0 } end
function lb_InitializeComponent(e, n) end
function lb_RemoveComponent(e, n) keep[e.generation] = nil end
function lb_CopyComponent() end
function lb_SerializeComponent(e, n) ffi.C.lb_serialize_number("n", keep[e.generation].n) end
function lb_DeserializeComponent(e, n, t) keep[e.generation].n = t.n end
function lb_ComponentEditInfoDisplay() end
function lb_ComponentEditInfoSet() end
ffi.C.lb_register_component("Keep")
version = )lua") + std::to_string(version) + "\n";
}

class ScriptReloadTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        // The save record is looked for in the scratch folder, not in a real home.
        setenv("XDG_DOCUMENTS_DIR", folder_.c_str(), 1);
        components::RegisterBuiltinComponents();
        StartRecordingHost(Scripts(1));
        SetLuaHost(host_.get());
    }
    void TearDown() override {
        unsetenv("XDG_DOCUMENTS_DIR");
        ScriptFixture::TearDown();
    }

    // What the Engine's RestartScripts does to the host, with new script text.
    void Restart(int version) {
        host_.reset();
        SetLuaHost(nullptr);
        WriteInit(std::string(kRecordingInit) + Scripts(version));
        host_ = std::make_unique<LuaHost>();
        SetLuaHost(host_.get());
    }
};

}  // namespace

TEST_F(ScriptReloadTest, EntitiesComeBackWithTheirFieldsUnderTheNewScripts) {
    engine::entity_handle a = engine::CreateEntity();
    a.GetName() = "crate";
    a.GetPosition() = glm::vec3(3.0f, 4.0f, 0.0f);
    a.AddComponent("Keep", Json::Value());
    engine::entity_handle b = engine::CreateEntity();
    b.GetName() = "lamp";
    engine::entity_handle gone = engine::CreateEntity();
    engine::DestroyEntity(gone);  // waiting for the end of the frame: stays gone
    Eval("keep[" + std::to_string(a.GetEntityID()) + "].n = 7");

    ReloadScriptsKeepingEntities([this] { Restart(2); });

    EXPECT_EQ(Eval("return version"), "2");
    const std::vector<engine::entity_handle>& live = engine::GetLiveEntities();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].GetName(), "crate");
    EXPECT_EQ(live[0].GetPosition(), glm::vec3(3.0f, 4.0f, 0.0f));
    EXPECT_TRUE(live[0].HasComponent("Keep"));
    EXPECT_EQ(live[1].GetName(), "lamp");
    EXPECT_FALSE(live[1].HasComponent("Keep"));
    EXPECT_EQ(Eval("return keep[" + std::to_string(live[0].GetEntityID()) + "].n"), "7");
    EXPECT_EQ(Eval("return calls[#calls]"), "LevelLoad {}");
}

TEST_F(ScriptReloadTest, InTheEditorNoLevelLoadIsRaised) {
    GetEngineState().mode = GetEngineState().requestedMode = EngineMode::Editor;
    engine::CreateEntity().AddComponent("Keep", Json::Value());
    ReloadScriptsKeepingEntities([this] { Restart(3); });
    EXPECT_EQ(Eval("return version"), "3");
    EXPECT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(Calls().find("|LevelLoad"), std::string::npos);
    EXPECT_NE(Calls().find("Register LevelLoad"), std::string::npos);  // the bridge was connected
}

TEST_F(ScriptReloadTest, AStartupScriptThatDoesNotCompileStopsTheReload) {
    EXPECT_TRUE(StartupScriptCompiles());
    WriteInit("this is not lua");
    ClearLog();
    EXPECT_FALSE(StartupScriptCompiles());
    ASSERT_EQ(GetLog().size(), 1u);
    EXPECT_EQ(GetLog()[0].rfind("Scripts not reloaded: lua/engine/init.lua:", 0), 0u) << GetLog()[0];
}
