// The exported functions: the header, the generated declarations, the crash
// path at the boundary, and the entity and component exports.
#include "tests/scripting/script_fixture.h"

#include <dlfcn.h>

#include <regex>

#include "core/camera.h"
#include "core/file_util.h"
#include "graphics/graphics.h"
#include "graphics/lighting_settings.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "scripting/lb_exports.h"

namespace {

std::vector<std::string> ExportNamesInHeader() {
    std::vector<std::string> names;
    std::string text = ReadWholeFile(QM_EXPORTS_HEADER).value_or("");
    std::regex declaration(R"(\n[A-Za-z_0-9]+ (lb_[a-z_]+)\([^\n]*\);)");
    for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it)
        names.push_back((*it)[1]);
    return names;
}

TEST(ExportHeader, DeclaresTheHundredAndFourExportsTheBinaryExportsThemAndTheLuaDeclarationsCarryEachOnce) {
    const std::vector<std::string> names = ExportNamesInHeader();
    EXPECT_EQ(names.size(), 104u);
    void* self = dlopen(nullptr, RTLD_NOW);
    for (const std::string& name : names) EXPECT_NE(dlsym(self, name.c_str()), nullptr) << name;

    // The generated declarations carry every export once.
    const std::string decls = ReadWholeFile(QM_FFI_DECLS).value_or("");
    for (const std::string& name : names) {
        const std::string needle = " " + name + "(";
        const size_t first = decls.find(needle);
        EXPECT_NE(first, std::string::npos) << name;
        EXPECT_EQ(decls.find(needle, first + 1), std::string::npos) << name;
    }
    EXPECT_EQ(decls.find("#"), std::string::npos);  // no preprocessor lines reach LuaJIT
    EXPECT_NE(decls.find("typedef struct TextureInfo"), std::string::npos);
}

class ExportsTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartRecordingHost("ffi = require('ffi') C = ffi.C");
        ClearLog();
    }
};

TEST_F(ExportsTest, EntityPositionSettersKeepTheOtherCoordinates) {
    engine::entity_handle e = engine::CreateEntity();
    e.SetPosition(1.0f, 2.0f, 3.0f);
    lb_entity_set_pos(e.index, e.generation, 4.0f, 5.0f);
    EXPECT_EQ(e.GetPosition(), glm::vec3(4.0f, 5.0f, 3.0f));
    lb_entity_set_z(e.index, e.generation, 9.0f);
    EXPECT_EQ(e.GetPosition(), glm::vec3(4.0f, 5.0f, 9.0f));
    lb_vec2 p = lb_entity_get_pos(e.index, e.generation);
    EXPECT_EQ(p.x, 4.0f);
    EXPECT_EQ(p.y, 5.0f);
}

TEST_F(ExportsTest, CreateAddHasRemoveAndDeferredDestroy) {
    lb_handle h = lb_create_entity();
    engine::entity_handle e{h.index, h.generation};
    EXPECT_EQ(e.GetName(), "Entity");
    EXPECT_FALSE(lb_entity_has_component(h.index, h.generation, "Sprite"));
    lb_entity_add_component(h.index, h.generation, "Sprite");
    EXPECT_TRUE(lb_entity_has_component(h.index, h.generation, "Sprite"));
    EXPECT_TRUE(lb_entity_remove_component(h.index, h.generation, "Sprite"));
    EXPECT_FALSE(lb_entity_remove_component(h.index, h.generation, "Sprite"));
    lb_destroy_entity(h.index, h.generation);
    EXPECT_TRUE(e.IsValid());  // only at the end of the frame
    engine::FlushDestroyedEntities();
    EXPECT_FALSE(e.IsValid());
    lb_destroy_entity(h.index, h.generation);  // an invalid handle is ignored
    lb_destroy_entity(99, 99);
}

TEST_F(ExportsTest, MissingComponentsPrintTheirMessageAndReturnTheDefault) {
    engine::entity_handle e = engine::CreateEntity();
    const uint32_t i = e.index, g = e.generation;
    EXPECT_EQ(lb_sprite_get_frame_time(i, g), -1.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to get frame time on component with no sprite");
    EXPECT_EQ(lb_sprite_get_elapsed_time(i, g), -1.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to get elapsed time on component with no sprite");
    EXPECT_EQ(lb_sprite_get_current_frame(i, g), 4294967295u);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to get frame on component with no sprite");
    lb_vec2 p = lb_point_light_get_pos(i, g);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to get position on component with no point light");
    EXPECT_EQ(lb_point_light_get_radius(i, g), 0.0f);
    EXPECT_FALSE(lb_collider_box_get_ghost(i, g));
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to get ghost on entity with no box collider");
    lb_collider_circle_set_radius(i, g, 3.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to set radius on entity with no circle collider");
    lb_vec2 v = lb_rigidbody_get_velocity(i, g);
    EXPECT_EQ(v.x + v.y, 0.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to access velocity on component with no rigidbody");
    lb_shadow_caster_set_width(i, g, 1.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to set width on component with no shadow caster");
    lb_moon_light_set_intensity(i, g, 1.0f);
    EXPECT_EQ(LastLogLine(), "Lua Error: Attempted to set intensity on component with no moon light");
    const size_t lines = GetLog().size();
    lb_moon_light_set_falloff(i, g, 1.0f);  // accepted and ignored, for any entity
    lb_moon_light_set_outer_radius(99, 99, 1.0f);
    EXPECT_EQ(GetLog().size(), lines);
}

TEST_F(ExportsTest, CameraAndWindowSize) {
    Camera& camera = GetCamera();
    camera = Camera();
    camera.SetPosition(0.0f, 0.0f, 7.0f);
    lb_camera_set_pos(10.0f, 20.0f);
    EXPECT_EQ(camera.GetPosition(), glm::vec3(10.0f, 20.0f, 7.0f));
    lb_camera_set_scale(2.0f);
    EXPECT_EQ(camera.zoom, glm::vec3(2.0f, 2.0f, 1.0f));
    camera.SetScale(1.0f);
    camera.framebufferWidth = 1494;
    camera.framebufferHeight = 840;
    camera.Letterbox();
    EXPECT_EQ(lb_graphics_get_width(), 498);
    EXPECT_EQ(lb_graphics_get_height(), 280);
    camera = Camera();
}

// Headless there is no window: drawing and full-screen switches are no-ops and
// the game reports windowed. The ambient intensity is the level-wide setting.
TEST_F(ExportsTest, GraphicsWithoutAWindowAndTheLevelWideAmbientAndMoonlight) {
    ASSERT_EQ(GetGraphics(), nullptr);
    EXPECT_FALSE(lb_graphics_get_fullscreen());
    lb_graphics_set_fullscreen(true);
    EXPECT_FALSE(lb_graphics_get_fullscreen());
    lb_graphics_draw(TextureInfo{7, 8, 8}, 16, 16, 1.0f, 2.0f, 0.0f, 0.5f);
    EXPECT_TRUE(GetLog().empty());

    ResetLightingSettings();
    const LightingSettings before = GetLightingSettings();
    lb_graphics_set_global_ambient_intensity(0.25f);
    EXPECT_EQ(GetLightingSettings().globalAmbientIntensity, 0.25f);
    EXPECT_EQ(GetLightingSettings().globalAmbient, before.globalAmbient);
    EXPECT_EQ(GetLightingSettings().moonlightColor, before.moonlightColor);

    // So is the moonlight colour, not a moon light's: any entity will do, even
    // one without a moon light, and nothing is reported.
    engine::entity_handle bare = engine::CreateEntity();
    lb_moon_light_set_color(bare.index, bare.generation, 0.2f, 0.4f, 0.6f);
    EXPECT_EQ(GetLightingSettings().moonlightColor, glm::vec3(0.2f, 0.4f, 0.6f));
    lb_moon_light_set_color(12345, 678, 1.0f, 0.0f, 0.5f);  // the handle is not even looked up
    EXPECT_EQ(GetLightingSettings().moonlightColor, glm::vec3(1.0f, 0.0f, 0.5f));
    EXPECT_TRUE(GetLog().empty());
    ResetLightingSettings();
}

// The FFI path, compiled: a hot loop keeps calling exports that run Lua code
// before they return. Without the interpreted wrappers this corrupts the VM.
TEST_F(ExportsTest, ReentrantExportsAreSafeFromAHotLoop) {
    Write("lua/engine/ffi_decls.lua", ReadWholeFile(QM_FFI_DECLS).value_or(""));
    for (const char* module : {"api", "events", "vector", "entity", "components"})
        Write(std::string("lua/engine/") + module + ".lua",
              ReadWholeFile(std::filesystem::path(QM_FFI_DECLS).parent_path() / (std::string(module) + ".lua"))
                  .value_or(""));
    host_.reset();
    Write("lua/engine/init.lua", ReadWholeFile(std::filesystem::path(QM_FFI_DECLS).parent_path() / "init.lua").value_or(""));
    Write("lua/components/counter.lua", R"lua(
added, removed = 0, 0
components.Define("Counter", {
  fields = { n = 0 },
  Initialize = function(self) added = added + 1 end,
  Remove = function(self) removed = removed + 1 end,
})
)lua");
    StartHost();
    EXPECT_EQ(Eval(R"lua(
local e = entity.Create()
for i = 1, 3000 do
  e:AddComponent("Counter")
  e:RemoveComponent("Counter")
  local p = e:GetPos()
  e:SetPos(p.x + 1, p.y)
end
return added .. " " .. removed .. " " .. e:GetPos().x
)lua"),
              "3000 3000 3000");
    // The packed pair variant answers exactly what the structure-returning export does.
    EXPECT_EQ(Eval(R"lua(
local e = entity.Create()
e:SetPos(-12.25, 7.5)
local x, y = lb.entity_get_pos_xy(e.index, e.generation)
local v = lb.entity_get_pos(e.index, e.generation)
return x .. " " .. y .. " " .. v.x .. " " .. v.y
)lua"),
              "-12.25 7.5 -12.25 7.5");
}

TEST_F(ExportsTest, SpriteFrameIsTakenModuloFramesPlusOneAndCountsAreStored) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("Sprite", Json::Value());
    const uint32_t i = e.index, g = e.generation;
    lb_sprite_set_num_frames(i, g, 3);
    lb_sprite_set_current_frame(i, g, 7);
    EXPECT_EQ(lb_sprite_get_current_frame(i, g), 3u);  // 7 mod 4
    lb_sprite_set_current_frame(i, g, 4);
    EXPECT_EQ(lb_sprite_get_current_frame(i, g), 0u);
    lb_sprite_set_looping(i, g, false);
    lb_sprite_set_clamped(i, g, false);
    lb_sprite_set_environmental(i, g, false);
    EXPECT_FALSE(lb_sprite_get_looping(i, g) || lb_sprite_get_clamped(i, g) || lb_sprite_get_environmental(i, g));
    lb_sprite_set_tint(i, g, 0.5f, 0.25f, 1.0f, 0.75f);
    EXPECT_EQ(e.Get<Sprite>()->GetTint(), glm::vec4(0.5f, 0.25f, 1.0f, 0.75f));
    lb_sprite_set_y_offset(i, g, -4.0f);
    EXPECT_EQ(e.Get<Sprite>()->GetYOffset(), -4.0f);
    lb_sprite_set_num_rows(i, g, 2);
    lb_sprite_set_num_columns(i, g, 5);
    EXPECT_EQ(e.Get<Sprite>()->GetRows(), 2u);
    EXPECT_EQ(e.Get<Sprite>()->GetColumns(), 5u);
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(ExportsTest, LightAndShadowCasterFields) {
    engine::entity_handle e = engine::CreateEntity();
    e.GetBaseEntity()->position = glm::vec3(10.0f, 20.0f, 3.0f);
    e.AddComponent("PointLight", Json::Value());
    e.AddComponent("MoonLight", Json::Value());
    e.AddComponent("ShadowCaster", Json::Value());
    const uint32_t i = e.index, g = e.generation;

    PointLight& point = *e.Get<PointLight>();
    lb_point_light_set_offset(i, g, 1.5f, -2.0f);
    lb_vec2 p = lb_point_light_get_pos(i, g);
    EXPECT_EQ(glm::vec2(p.x, p.y), glm::vec2(11.5f, 18.0f));
    e.GetBaseEntity()->position.x = 30.0f;  // follows its entity
    p = lb_point_light_get_pos(i, g);
    EXPECT_EQ(glm::vec2(p.x, p.y), glm::vec2(31.5f, 18.0f));
    lb_point_light_set_radius(i, g, 64.0f);
    EXPECT_EQ(lb_point_light_get_radius(i, g), 64.0f);
    lb_point_light_set_color(i, g, 0.25f, 0.5f, 0.75f);
    EXPECT_EQ(point.GetColor(), glm::vec3(0.25f, 0.5f, 0.75f));
    lb_point_light_set_ambient_intensity(i, g, 0.3f);
    lb_point_light_set_diffuse_intensity(i, g, 2.0f);
    EXPECT_EQ(point.GetAmbientIntensity(), 0.3f);
    EXPECT_EQ(point.GetDiffuseIntensity(), 2.0f);
    lb_point_light_set_attenuation(i, g, 1.0f, 0.5f, 0.25f);  // constant, linear, quadratic in order
    EXPECT_EQ(point.GetAttenuation(), glm::vec3(1.0f, 0.5f, 0.25f));

    MoonLight& moon = *e.Get<MoonLight>();
    lb_moon_light_set_offset(i, g, -4.0f, 4.0f);
    p = lb_moon_light_get_pos(i, g);
    EXPECT_EQ(glm::vec2(p.x, p.y), glm::vec2(26.0f, 24.0f));
    lb_moon_light_set_intensity(i, g, 0.5f);
    lb_moon_light_set_inner_radius(i, g, 12.0f);
    EXPECT_EQ(moon.GetIntensity(), 0.5f);
    EXPECT_EQ(moon.GetInnerRadius(), 12.0f);
    lb_moon_light_set_falloff(i, g, 9.0f);  // moon lights have no such settings
    lb_moon_light_set_outer_radius(i, g, 9.0f);
    EXPECT_EQ(moon.GetIntensity(), 0.5f);
    EXPECT_EQ(moon.GetInnerRadius(), 12.0f);

    ShadowCaster& caster = *e.Get<ShadowCaster>();
    lb_shadow_caster_set_offset(i, g, 0.0f, 6.0f);
    p = lb_shadow_caster_get_pos(i, g);
    EXPECT_EQ(glm::vec2(p.x, p.y), glm::vec2(30.0f, 26.0f));
    lb_shadow_caster_set_width(i, g, 14.0f);
    lb_shadow_caster_set_height(i, g, 5.0f);
    EXPECT_EQ(caster.GetWidth(), 14.0f);
    EXPECT_EQ(caster.GetHeight(), 5.0f);
    // The lights kept their own offsets.
    EXPECT_EQ(point.GetOffset(), glm::vec2(1.5f, -2.0f));
    EXPECT_EQ(moon.GetOffset(), glm::vec2(-4.0f, 4.0f));
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(ExportsTest, CollidersAndRigidBodies) {
    engine::entity_handle e = engine::CreateEntity();
    e.AddComponent("BoxCollider", Json::Value());
    e.AddComponent("CircleCollider", Json::Value());
    e.AddComponent("RigidBody", Json::Value());
    const uint32_t i = e.index, g = e.generation;
    lb_collider_box_set_ghost(i, g, true);
    lb_collider_box_set_static(i, g, true);
    EXPECT_TRUE(lb_collider_box_get_ghost(i, g) && lb_collider_box_get_static(i, g));
    lb_collider_box_set_center(i, g, 2.0f, 3.0f);
    EXPECT_EQ(e.Get<BoxCollider>()->centerOffset, glm::vec2(2.0f, 3.0f));
    lb_collider_box_set_width(i, g, 16.0f);
    lb_collider_box_set_height(i, g, 8.0f);
    EXPECT_EQ(e.Get<BoxCollider>()->GetWidth(), 16.0f);
    EXPECT_EQ(e.Get<BoxCollider>()->GetHeight(), 8.0f);
    lb_collider_circle_set_radius(i, g, 6.0f);
    lb_collider_circle_set_center(i, g, -1.0f, 1.0f);
    lb_collider_circle_set_ghost(i, g, true);
    EXPECT_EQ(e.Get<CircleCollider>()->radius, 6.0f);
    EXPECT_EQ(e.Get<CircleCollider>()->centerOffset, glm::vec2(-1.0f, 1.0f));
    EXPECT_TRUE(lb_collider_circle_get_ghost(i, g));
    EXPECT_FALSE(lb_collider_circle_get_static(i, g));
    lb_rigidbody_set_velocity(i, g, 3.0f, -4.0f);
    lb_vec2 v = lb_rigidbody_get_velocity(i, g);
    EXPECT_EQ(v.x, 3.0f);
    EXPECT_EQ(v.y, -4.0f);
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(ExportsTest, PrintGoesToTheLogAndSerializingOutsideASaveIsReportedNotACrash) {
    Eval("C.lb_print('hello from lua %d')");
    EXPECT_EQ(LastLogLine(), "hello from lua %d");
    SetSerializationTarget(nullptr);
    Eval("C.lb_serialize_number('x', 1)");
    EXPECT_EQ(LastLogLine(), "Lua Error: lb_serialize_number called while nothing is being saved");
}

// Fatal errors inside an export end the process like any other fatal error:
// the message, then exit status 0. A script's pcall must not swallow them.
using ExportsDeathTest = ExportsTest;

TEST_F(ExportsDeathTest, ADeadHandleOrAnUnknownComponentNameEndsInTheCrashReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(Eval("pcall(C.lb_entity_get_pos, 5, 77)"), ::testing::ExitedWithCode(0),
                "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!");
    // The dead handle is reported before the missing component.
    EXPECT_EXIT(lb_sprite_set_tint(5, 77, 1, 1, 1, 1), ::testing::ExitedWithCode(0),
                "attempted to get wrong/dead ent!");
    engine::entity_handle e = engine::CreateEntity();
    EXPECT_EXIT(Eval("C.lb_entity_has_component(" + std::to_string(e.index) + ", " + std::to_string(e.generation) +
                     ", 'NoSuchType')"),
                ::testing::ExitedWithCode(0), "components::GetID failed to map component string!");
}

}  // namespace
