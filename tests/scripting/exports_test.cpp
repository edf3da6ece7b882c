// The exported functions: each one declared once for the scripts and present
// in the binary, the field each component export reaches, what a script gets
// from an entity without the component, and the crash path at the boundary.
#include "tests/scripting/script_fixture.h"

#include <dlfcn.h>

#include <functional>
#include <regex>
#include <sstream>

#include "core/camera.h"
#include "core/file_util.h"
#include "graphics/lighting_settings.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "scripting/lb_exports.h"

namespace {

std::ostream& operator<<(std::ostream& out, lb_vec2 v) { return out << v.x << ' ' << v.y; }
template <glm::length_t N, glm::qualifier Q>
std::ostream& operator<<(std::ostream& out, const glm::vec<N, float, Q>& v) {
    for (glm::length_t i = 0; i < N; ++i) out << (i ? " " : "") << v[i];
    return out;
}
// The values as text, each followed by a space.
template <class... T>
std::string S(T... values) {
    std::ostringstream out;
    ((out << values << ' '), ...);
    return out.str();
}

TEST(ExportHeader, EveryExportIsInTheBinaryAndDeclaredOnceForTheScripts) {
    const std::string header = ReadWholeFile(QM_EXPORTS_HEADER).value_or("");
    const std::string decls = ReadWholeFile(QM_FFI_DECLS).value_or("");
    const std::regex declaration(R"(\n[A-Za-z_0-9]+ (lb_[a-z_]+)\([^\n]*\);)");
    void* self = dlopen(nullptr, RTLD_NOW);
    int count = 0;
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it, ++count) {
        const std::string name = (*it)[1], needle = " " + name + "(";
        EXPECT_NE(dlsym(self, name.c_str()), nullptr) << name;
        const size_t first = decls.find(needle);
        EXPECT_TRUE(first != std::string::npos && decls.find(needle, first + 1) == std::string::npos) << name;
    }
    EXPECT_EQ(count, 104);
    EXPECT_EQ(decls.find("#"), std::string::npos);  // no preprocessor lines reach LuaJIT
}

using ExportsTest = ScriptFixture;

// Each case runs on an entity at (10, 20, 3) holding every native component,
// its sprite of three frames, with the camera at z 7.
struct E {
    uint32_t i, g;
    engine::entity_handle h;
    template <class T>
    T& Get() const { return *h.Get<T>(); }
};
struct ExportCase {
    const char* name;
    std::function<void(E)> set;
    std::function<std::string(E)> observe;
    std::string expected;
};

TEST_F(ExportsTest, EachComponentExportReachesItsOwnField) {
    const ExportCase cases[] = {
        {"entity pos", [](E e) { lb_entity_set_pos(e.i, e.g, 4, 5); }, [](E e) { return S(e.h.GetPosition()); }, S(4, 5, 3)},
        {"entity z", [](E e) { lb_entity_set_z(e.i, e.g, 9); }, [](E e) { return S(lb_entity_get_pos(e.i, e.g), e.h.GetPosition().z); }, S(10, 20, 9)},
        {"frame 7 of 3", [](E e) { lb_sprite_set_current_frame(e.i, e.g, 7); }, [](E e) { return S(lb_sprite_get_current_frame(e.i, e.g)); }, S(3)},
        {"frame 4 of 3", [](E e) { lb_sprite_set_current_frame(e.i, e.g, 4); }, [](E e) { return S(lb_sprite_get_current_frame(e.i, e.g)); }, S(0)},
        {"frames", [](E e) { lb_sprite_set_num_frames(e.i, e.g, 9); }, [](E e) { return S(e.Get<Sprite>().GetFrames()); }, S(9)},
        {"looping", [](E e) { lb_sprite_set_looping(e.i, e.g, false); }, [](E e) { return S(lb_sprite_get_looping(e.i, e.g)); }, S(0)},
        {"clamped", [](E e) { lb_sprite_set_clamped(e.i, e.g, false); }, [](E e) { return S(lb_sprite_get_clamped(e.i, e.g)); }, S(0)},
        {"environmental", [](E e) { lb_sprite_set_environmental(e.i, e.g, false); }, [](E e) { return S(lb_sprite_get_environmental(e.i, e.g)); }, S(0)},
        {"frame time", [](E e) { lb_sprite_set_frame_time(e.i, e.g, 0.25f); }, [](E e) { return S(lb_sprite_get_frame_time(e.i, e.g)); }, S(0.25)},
        {"elapsed", [](E e) { lb_sprite_set_elapsed_time(e.i, e.g, 0.125f); }, [](E e) { return S(lb_sprite_get_elapsed_time(e.i, e.g)); }, S(0.125)},
        {"tint", [](E e) { lb_sprite_set_tint(e.i, e.g, 0.5f, 0.25f, 1, 0.75f); }, [](E e) { return S(e.Get<Sprite>().GetTint()); }, S(0.5, 0.25, 1, 0.75)},
        {"y offset", [](E e) { lb_sprite_set_y_offset(e.i, e.g, -4); }, [](E e) { return S(e.Get<Sprite>().GetYOffset()); }, S(-4)},
        {"rows", [](E e) { lb_sprite_set_num_rows(e.i, e.g, 2); }, [](E e) { return S(e.Get<Sprite>().GetRows(), e.Get<Sprite>().GetColumns()); }, S(2, 1)},
        {"columns", [](E e) { lb_sprite_set_num_columns(e.i, e.g, 5); }, [](E e) { return S(e.Get<Sprite>().GetRows(), e.Get<Sprite>().GetColumns()); }, S(1, 5)},
        {"point offset", [](E e) { lb_point_light_set_offset(e.i, e.g, 1.5f, -2); }, [](E e) { return S(lb_point_light_get_pos(e.i, e.g)); }, S(11.5, 18)},
        {"point radius", [](E e) { lb_point_light_set_radius(e.i, e.g, 64); }, [](E e) { return S(lb_point_light_get_radius(e.i, e.g)); }, S(64)},
        {"point colour", [](E e) { lb_point_light_set_color(e.i, e.g, 0.25f, 0.5f, 0.75f); }, [](E e) { return S(e.Get<PointLight>().GetColor()); }, S(0.25, 0.5, 0.75)},
        {"point ambient", [](E e) { lb_point_light_set_ambient_intensity(e.i, e.g, 0.3f); }, [](E e) { return S(e.Get<PointLight>().GetAmbientIntensity()); }, S(0.3)},
        {"point diffuse", [](E e) { lb_point_light_set_diffuse_intensity(e.i, e.g, 2); }, [](E e) { return S(e.Get<PointLight>().GetDiffuseIntensity()); }, S(2)},
        {"attenuation", [](E e) { lb_point_light_set_attenuation(e.i, e.g, 1, 0.5f, 0.25f); }, [](E e) { return S(e.Get<PointLight>().GetAttenuation()); }, S(1, 0.5, 0.25)},
        {"moon offset", [](E e) { lb_moon_light_set_offset(e.i, e.g, -4, 4); }, [](E e) { return S(lb_moon_light_get_pos(e.i, e.g)); }, S(6, 24)},
        {"moon intensity", [](E e) { lb_moon_light_set_intensity(e.i, e.g, 0.5f); }, [](E e) { return S(e.Get<MoonLight>().GetIntensity()); }, S(0.5)},
        {"moon inner", [](E e) { lb_moon_light_set_inner_radius(e.i, e.g, 12); }, [](E e) { return S(e.Get<MoonLight>().GetInnerRadius()); }, S(12)},
        {"caster offset", [](E e) { lb_shadow_caster_set_offset(e.i, e.g, 0, 6); }, [](E e) { return S(lb_shadow_caster_get_pos(e.i, e.g)); }, S(10, 26)},
        {"caster size", [](E e) { lb_shadow_caster_set_width(e.i, e.g, 14); }, [](E e) { return S(e.Get<ShadowCaster>().GetWidth()); }, S(14)},
        {"caster height", [](E e) { lb_shadow_caster_set_height(e.i, e.g, 5); }, [](E e) { return S(e.Get<ShadowCaster>().GetHeight()); }, S(5)},
        {"box ghost", [](E e) { lb_collider_box_set_ghost(e.i, e.g, true); }, [](E e) { return S(e.Get<BoxCollider>().ghost, e.Get<CircleCollider>().ghost); }, S(1, 0)},
        {"box static", [](E e) { lb_collider_box_set_static(e.i, e.g, true); }, [](E e) { return S(lb_collider_box_get_static(e.i, e.g), lb_collider_box_get_ghost(e.i, e.g)); }, S(1, 0)},
        {"circle ghost", [](E e) { lb_collider_circle_set_ghost(e.i, e.g, true); }, [](E e) { return S(lb_collider_circle_get_ghost(e.i, e.g), e.Get<BoxCollider>().ghost); }, S(1, 0)},
        {"circle static", [](E e) { lb_collider_circle_set_static(e.i, e.g, true); }, [](E e) { return S(lb_collider_circle_get_static(e.i, e.g), lb_collider_box_get_static(e.i, e.g)); }, S(1, 0)},
        {"box centre", [](E e) { lb_collider_box_set_center(e.i, e.g, 2, 3); }, [](E e) { return S(e.Get<BoxCollider>().centerOffset); }, S(2, 3)},
        {"box width", [](E e) { lb_collider_box_set_width(e.i, e.g, 16); }, [](E e) { return S(e.Get<BoxCollider>().GetWidth()); }, S(16)},
        {"box height", [](E e) { lb_collider_box_set_height(e.i, e.g, 8); }, [](E e) { return S(e.Get<BoxCollider>().GetHeight()); }, S(8)},
        {"circle radius", [](E e) { lb_collider_circle_set_radius(e.i, e.g, 6); }, [](E e) { return S(e.Get<CircleCollider>().radius); }, S(6)},
        {"circle centre", [](E e) { lb_collider_circle_set_center(e.i, e.g, -1, 1); }, [](E e) { return S(e.Get<CircleCollider>().centerOffset); }, S(-1, 1)},
        {"velocity", [](E e) { lb_rigidbody_set_velocity(e.i, e.g, 3, -4); }, [](E e) { return S(lb_rigidbody_get_velocity(e.i, e.g)); }, S(3, -4)},
        {"camera pos", [](E) { lb_camera_set_pos(10, 20); }, [](E) { return S(GetCamera().GetPosition()); }, S(10, 20, 7)},
        {"camera scale", [](E) { lb_camera_set_scale(2); }, [](E) { return S(GetCamera().zoom); }, S(2, 2, 1)},
        {"scene size", [](E) {}, [](E) { return S(lb_graphics_get_width(), lb_graphics_get_height()); }, S(498, 280)},
        {"ambient", [](E) { lb_graphics_set_global_ambient_intensity(0.25f); }, [](E) { return S(GetLightingSettings().globalAmbientIntensity); }, S(0.25)},
        {"moonlight is level-wide", [](E) { lb_moon_light_set_color(12345, 678, 0.2f, 0.4f, 0.6f); }, [](E) { return S(GetLightingSettings().moonlightColor); }, S(0.2, 0.4, 0.6)},
        {"moon falloff", [](E e) { lb_moon_light_set_falloff(e.i, e.g, 9); }, [](E e) { return S(e.Get<MoonLight>().GetInnerRadius()); },
         S(MoonLight().GetInnerRadius())},  // moon lights have no such setting
        {"moon outer radius", [](E e) { lb_moon_light_set_outer_radius(e.i, e.g, 9); }, [](E e) { return S(e.Get<MoonLight>().GetInnerRadius()); },
         S(MoonLight().GetInnerRadius())},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetLightingSettings();
        GetCamera() = Camera();
        GetCamera().SetPosition(0, 0, 7);
        engine::entity_handle h = engine::CreateEntity();
        h.SetPosition(10, 20, 3);
        for (const char* type : {"Sprite", "PointLight", "MoonLight", "ShadowCaster", "BoxCollider", "CircleCollider", "RigidBody"})
            h.AddComponent(type, Json::Value());
        h.Get<Sprite>()->SetFrames(3);
        c.set(E{h.index, h.generation, h});
        EXPECT_EQ(c.observe(E{h.index, h.generation, h}), c.expected);
        EXPECT_TRUE(GetLog().empty()) << LastLogLine();
    }
    ResetLightingSettings();
    GetCamera() = Camera();
}

// An entity without the component: the export's default comes back and one
// "Lua Error" line tells the script's author.
TEST_F(ExportsTest, AMissingComponentGivesTheDefaultAndOneErrorLine) {
    const std::pair<std::string, std::function<std::string(E)>> cases[] = {
        {S(-1), [](E e) { return S(lb_sprite_get_frame_time(e.i, e.g)); }},
        {S(4294967295u), [](E e) { return S(lb_sprite_get_current_frame(e.i, e.g)); }},
        {S(0, 0), [](E e) { return S(lb_point_light_get_pos(e.i, e.g)); }},
        {S(0), [](E e) { return S(lb_collider_box_get_ghost(e.i, e.g)); }},
        {S(), [](E e) { return lb_moon_light_set_intensity(e.i, e.g, 1), S(); }},
    };
    for (const auto& [expected, run] : cases) {
        SCOPED_TRACE(expected);
        ClearLog();
        engine::entity_handle h = engine::CreateEntity();
        EXPECT_EQ(run(E{h.index, h.generation, h}), expected);
        ASSERT_EQ(GetLog().size(), 1u);
        EXPECT_EQ(GetLog()[0].rfind("Lua Error: Attempted to ", 0), 0u) << GetLog()[0];
    }
}

TEST_F(ExportsTest, EntitiesAndComponentsByNameAndDestroyAtTheEndOfTheFrame) {
    const lb_handle h = lb_create_entity();
    lb_entity_add_component(h.index, h.generation, "Sprite");
    EXPECT_TRUE(lb_entity_has_component(h.index, h.generation, "Sprite"));
    EXPECT_TRUE(lb_entity_remove_component(h.index, h.generation, "Sprite"));
    EXPECT_FALSE(lb_entity_remove_component(h.index, h.generation, "Sprite"));
    lb_destroy_entity(h.index, h.generation);
    EXPECT_EQ(engine::GetLiveEntities().size(), 1u);
    engine::FlushDestroyedEntities();
    EXPECT_EQ(engine::GetLiveEntities().size(), 0u);
    lb_destroy_entity(h.index, h.generation);  // a dead handle is ignored here
}

// The game's own script modules, compiled by LuaJIT: a hot loop keeps calling
// exports that run Lua code before they return, which corrupts the VM unless
// the modules call them through interpreted wrappers.
TEST_F(ExportsTest, ReentrantExportsAreSafeFromAHotLoop) {
    const std::filesystem::path modules = std::filesystem::path(QM_FFI_DECLS).parent_path();
    for (std::string module : {"ffi_decls", "api", "events", "vector", "entity", "components", "init"})
        Write("lua/engine/" + module + ".lua", ReadWholeFile(modules / (module + ".lua")).value_or(""));
    host_ = std::make_unique<LuaHost>();
    EXPECT_EQ(Eval(R"lua(
local added = 0
components.Define("Counter", { fields = { n = 0 }, Initialize = function(self) added = added + 1 end })
local e = entity.Create()
for i = 1, 3000 do
  e:AddComponent("Counter")
  e:RemoveComponent("Counter")
  local p = e:GetPos()
  e:SetPos(p.x + 1, -p.x / 2)
end
local x, y = lb.entity_get_pos_xy(e.index, e.generation)
return added .. " " .. x .. " " .. y
)lua"),
              "3000 3000 -1499.5");
}

// Fatal errors inside an export end the process like any other fatal error:
// the message, then the crash exit. A script's pcall must not swallow them.
using ExportsDeathTest = ExportsTest;

TEST_F(ExportsDeathTest, ADeadHandleOrAnUnknownComponentNameEndsInTheCrashReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    StartRecordingHost();
    EXPECT_EXIT(Eval("pcall(ffi.C.lb_entity_get_pos, 5, 77)"), ::testing::ExitedWithCode(1), "wrong/dead ent!");
    const engine::entity_handle e = engine::CreateEntity();
    EXPECT_EXIT(lb_entity_has_component(e.index, e.generation, "NoSuchType"), ::testing::ExitedWithCode(1),
                "failed to map component string!");
}

}  // namespace
