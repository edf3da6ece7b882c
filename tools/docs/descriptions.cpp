// What the reference says of the things that carry no comment of their own:
// the events the engine forwards to scripts, and the JSON fields of the
// built-in components. Each table is checked both ways against the engine: a
// forwarded event or a written field without a row, or a row naming something
// the engine no longer has, is a problem the check reports.
#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include <json/value.h>

#include "ecs/component_registry.h"
#include "scripting/event_bridge.h"
#include "tools/docs/scripting_doc.h"

namespace docs {
namespace {

struct EventRow {
    const char* name;
    const char* arguments;
    const char* text;
};
const EventRow kEvents[] = {
    {"PreLogicUpdate", "dt", "every frame after physics, before \"LogicUpdate\"; dt in seconds, 0 while paused"},
    {"LogicUpdate", "dt", "every frame; script components' `Update` runs here; dt in seconds, 0 while paused"},
    {"DebugDraw", "", "every drawn frame, when debug shapes (`lb.debug_draw_*`) may be drawn"},
    {"PostDraw", "", "every drawn frame after the scene, when `lb.graphics_draw` puts pictures over it"},
    {"KeyPressed", "key", "a key went down (GLFW key code); Escape is kept for the pause menu"},
    {"KeyReleased", "key", "a key came up (GLFW key code); not Escape"},
    {"MouseButtonPressed", "button", "a mouse button went down (0 left, 1 right, 2 middle)"},
    {"MouseButtonReleased", "button", "a mouse button came up"},
    {"OnCollisionStarted", "a, b, contact, penetration, normal",
     "two colliders began to touch: entities a and b, the contact point (vector, world units), the depth in "
     "world units and the unit normal (vector) from a to b"},
    {"OnCollisionPersisted", "a, b, contact, penetration, normal", "the two still touch, at every physics step"},
    {"OnCollisionEnded", "a, b, contact, penetration, normal", "the two no longer touch"},
    {"LevelUnload", "", "the level is being left; `lb.serialize_number` and `lb.serialize_string` write the save record"},
    {"LevelLoad", "record", "a level has loaded (not in the editor); record is the save record as a table"},
    {"PauseMenuPaused", "", "the game was paused by Escape, focus loss or minimising"},
    {"PauseMenuUnPaused", "", "the pause menu closed"},
    {"PauseMenuConfirmClose", "", "the window's close button was pressed; a script asks and calls `lb.engine_quit_game`"},
};

struct FieldRow {
    const char* component;
    const char* key;  // null: the component's own line
    const char* text;
};
const FieldRow kFields[] = {
    {"Sprite", nullptr, "A picture, optionally animated from a sheet of rows x columns frames"},
    {"Sprite", "texture", "picture name: textures/<name>.png, with <name>_nm (normals) and <name>_sm (glow mask) beside it"},
    {"Sprite", "environmental", "drawn lit and shadowed in the scene (true) or unlit over it (false)"},
    {"Sprite", "clamped", "snapped to whole pixels"},
    {"Sprite", "y_offset", "world units added to the entity's y for drawing order"},
    {"Sprite", "looping", "the animation wraps after its last frame"},
    {"Sprite", "tint", "colour multiplied into the picture, x y z w = r g b a, 0 to 1"},
    {"Sprite", "frame_time", "seconds per animation frame (0: no animation)"},
    {"Sprite", "frames", "frames in the animation"},
    {"Sprite", "rows", "rows of the sheet (at least 1)"},
    {"Sprite", "columns", "columns of the sheet (at least 1)"},
    {"PointLight", nullptr, "A light that shines around the entity and casts shadows"},
    {"PointLight", "offset", "world units from the entity"},
    {"PointLight", "color", "x y z = r g b, 0 to 1"},
    {"PointLight", "ambient_intensity", "light given everywhere in reach, ignoring shadows"},
    {"PointLight", "diffuse_intensity", "light given to surfaces facing it (0: off)"},
    {"PointLight", "max_radius", "reach in world units"},
    {"PointLight", "attenuation", "x y z = constant, linear and quadratic falloff terms"},
    {"MoonLight", nullptr, "A disc of the level's moonlight (its colour is the level's \"moonlight_color\")"},
    {"MoonLight", "offset", "world units from the entity"},
    {"MoonLight", "intensity", "strength (0: none)"},
    {"MoonLight", "inner_radius", "world units within which it is full"},
    {"ShadowCaster", nullptr, "A box that blocks light and casts a shadow"},
    {"ShadowCaster", "offset", "world units from the entity to the box's centre"},
    {"ShadowCaster", "width", "world units"},
    {"ShadowCaster", "height", "world units"},
    {"RigidBody", nullptr, "Moves the entity by its velocity and lets collisions push it"},
    {"RigidBody", "vel_x", "velocity, world units per second"},
    {"RigidBody", "vel_y", "velocity, world units per second (+y is down)"},
    {"RigidBody", "restitution", "bounciness; a colliding pair uses the smaller"},
    {"BoxCollider", nullptr, "A box that collides (with a Ray on the entity: a probe turned by its angle)"},
    {"BoxCollider", "Box Angle", "degrees, used only with a Ray"},
    {"BoxCollider", "Box Width", "world units (a negative value mirrors the box)"},
    {"BoxCollider", "Box Height", "world units"},
    {"BoxCollider", "Box Center OffsetX", "world units from the entity to the box's centre"},
    {"BoxCollider", "Box Center OffsetY", "world units from the entity to the box's centre"},
    {"BoxCollider", "Box ghost", "reports collisions but never pushes"},
    {"BoxCollider", "Box Static", "never moved by collisions"},
    {"CircleCollider", nullptr, "A circle that collides"},
    {"CircleCollider", "Circle Center OffsetX", "world units from the entity to the centre"},
    {"CircleCollider", "Circle Center OffsetY", "world units from the entity to the centre"},
    {"CircleCollider", "Circle Ghost", "reports collisions but never pushes"},
    {"CircleCollider", "Circle Static", "never moved by collisions"},
    {"CircleCollider", "Circle Radius", "world units"},
    {"Ray", nullptr, "Turns the entity's BoxCollider into a probe that records the boxes it overlaps; no fields"},
    {"SoundEmitter", nullptr, "Plays a cue that fades with the distance from the camera"},
    {"SoundEmitter", "Sound Emitter Cue", "cue name in Audio/SoundStorage.json"},
    {"SoundEmitter", "Sound Emitter Distance", "world units heard at full strength"},
    {"SoundEmitter", "Sound Emitter Fall Off Rate", "world units beyond that until silence"},
    {"SoundSpace", nullptr, "Re-applies the player's mutes at every level load; no fields"},
};

constexpr uint32_t kBuiltinTypes = 10;

std::string TypeOf(const Json::Value& v) {
    if (v.isBool()) return "bool";
    if (v.isString()) return "string";
    if (v.isNumeric()) return "number";
    if (v.isObject()) return v.isMember("w") ? "colour x y z w" : v.isMember("z") ? "vector x y z" : "vector x y";
    return "?";
}

std::string Show(const Json::Value& v) {
    if (v.isObject()) {
        std::string out;
        for (const char* axis : {"x", "y", "z", "w"})
            if (v.isMember(axis)) out += (out.empty() ? "" : ", ") + Show(v[axis]);
        return "(" + out + ")";
    }
    if (v.isString()) return "\"" + v.asString() + "\"";
    if (v.isBool()) return v.asBool() ? "true" : "false";
    char number[32];
    std::snprintf(number, sizeof number, "%g", v.asDouble());
    return number;
}

}  // namespace

std::vector<Field> BuiltinComponentFields() {
    std::vector<Field> fields;
    for (const auto& [id, name] : components::ListComponentTypes()) {
        // The built-in types hold the first ids; later ones are scripts' (or tests').
        if (id > kBuiltinTypes) break;
        std::unique_ptr<RootComponent> component(components::Create(name));
        component->Deserialize(Json::Value(Json::objectValue));
        const Json::Value json = component->Serialize();
        fields.push_back({name, "", "", "", ""});  // the component's own line
        for (const std::string& key : json.getMemberNames())
            fields.push_back({name, key, TypeOf(json[key]), Show(json[key]), ""});
    }
    return fields;
}

std::vector<Entry> DescribeEvents(std::vector<std::string>& problems) {
    std::map<std::string, const EventRow*> rows;
    for (const EventRow& row : kEvents) rows[row.name] = &row;
    std::vector<Entry> entries;
    for (const char* name : scripting::kForwardedEvents) {
        auto it = rows.find(name);
        if (it == rows.end()) {
            problems.push_back(std::string("event ") + name + " has no entry");
            continue;
        }
        entries.push_back({"Events", std::string(name) + "(" + it->second->arguments + ")", it->second->text});
        rows.erase(it);
    }
    for (const auto& [name, row] : rows) problems.push_back("the entry for event " + name + " names no forwarded event");
    return entries;
}

void DescribeFields(std::vector<Field>& fields, std::vector<std::string>& problems) {
    std::map<std::pair<std::string, std::string>, const FieldRow*> rows;
    for (const FieldRow& row : kFields) rows[{row.component, row.key ? row.key : ""}] = &row;
    for (Field& field : fields) {
        auto it = rows.find({field.component, field.key});
        if (it == rows.end()) {
            problems.push_back(field.component + (field.key.empty() ? "" : " field \"" + field.key + "\"") + " has no entry");
            continue;
        }
        field.text = it->second->text;
        rows.erase(it);
    }
    for (const auto& [key, row] : rows)
        problems.push_back("the entry for " + key.first + (key.second.empty() ? "" : " field \"" + key.second + "\"") +
                           " names nothing the engine has");
}

}  // namespace docs
