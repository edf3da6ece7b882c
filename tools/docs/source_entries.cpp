// Entries read from the sources: the exports header and the Lua files of
// lua/engine/. A declaration's entry is the run of comment lines right above it.
#include <regex>
#include <sstream>
#include <utility>

#include "tools/docs/scripting_doc.h"

namespace docs {
namespace {

// Export name prefixes and the heading each group is listed under, in page order.
const std::pair<const char*, const char*> kExportGroups[] = {
    {"lb_create_entity", "Entities"}, {"lb_destroy_entity", "Entities"}, {"lb_entity_", "Entities"},
    {"lb_collider_", "Colliders"},    {"lb_rigidbody_", "Rigid bodies"}, {"lb_point_light_", "Point lights"},
    {"lb_moon_light_", "Moon lights"}, {"lb_shadow_caster_", "Shadow casters"}, {"lb_sprite_", "Sprites"},
    {"lb_engine_", "Engine, levels and saves"}, {"lb_pause_menu_", "Engine, levels and saves"},
    {"lb_graphics_", "Graphics"},     {"lb_camera_", "Camera"},          {"lb_debug_draw_", "Debug drawing"},
    {"lb_intput_", "Input"},          {"lb_input_", "Input"},            {"lb_sounds_", "Sound"},
};

std::string ExportGroup(const std::string& name) {
    for (const auto& [prefix, group] : kExportGroups)
        if (name.rfind(prefix, 0) == 0) return group;
    return "Scripting";
}

// Appends a comment line's text to the pending entry, one space between lines.
void Append(std::string& pending, const std::string& text) {
    if (!pending.empty() && !text.empty()) pending += ' ';
    pending += text;
}

}  // namespace

std::vector<Entry> ReadExports(const std::string& headerText) {
    static const std::regex declaration(R"(^\w[\w ]*\b(lb_\w+)\(.*\);$)");
    std::vector<Entry> entries;
    std::istringstream in(headerText);
    std::string line, pending;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "// ffi-begin" || line == "// ffi-end") {
            inside = line == "// ffi-begin";
            continue;
        }
        if (!inside) continue;
        std::smatch m;
        if (line.rfind("// ", 0) == 0) {
            Append(pending, line.substr(3));
            continue;
        }
        if (std::regex_match(line, m, declaration))
            entries.push_back({ExportGroup(m[1]), line.substr(0, line.size() - 1), pending});
        pending.clear();
    }
    return entries;
}

std::vector<Entry> ReadLuaHelpers(const std::string& luaText, const std::string& group, const std::string& objectName) {
    // function a.b(args) / function mt:m(args) / function name(args) / a.b = function(args)
    static const std::regex named(R"(^function ((\w+)([.:]))?(\w+)\(([^)]*)\).*)");
    static const std::regex assigned(R"(^(\w+)\.(\w+) = function\(([^)]*)\).*)");
    // a.b = f, where f is a local function defined earlier in the file
    static const std::regex aliased(R"(^(\w+)\.(\w+) = (\w+)$)");
    static const std::regex local(R"(^local function (\w+)\(([^)]*)\).*)");
    std::vector<Entry> entries;
    std::vector<std::pair<std::string, std::string>> locals;  // name, arguments
    std::istringstream in(luaText);
    std::string line, pending;
    while (std::getline(in, line)) {
        std::smatch m;
        if (line.rfind("--", 0) == 0) {
            Append(pending, line.substr(line.rfind("-- ", 0) == 0 ? 3 : 2));
            continue;
        }
        std::string signature;
        if (std::regex_match(line, m, named) && m[4].str().rfind("__", 0) != 0) {
            const std::string base = m[2] == "mt" ? objectName : m[2].str();
            signature = (m[1].matched ? base + m[3].str() : "") + m[4].str() + "(" + m[5].str() + ")";
        } else if (std::regex_match(line, m, assigned)) {
            signature = m[1].str() + "." + m[2].str() + "(" + m[3].str() + ")";
        } else if (std::regex_match(line, m, aliased)) {
            for (const auto& [name, args] : locals)
                if (name == m[3]) signature = m[1].str() + "." + m[2].str() + "(" + args + ")";
        } else if (std::regex_match(line, m, local)) {
            locals.emplace_back(m[1], m[2]);
        }
        if (!signature.empty()) entries.push_back({group, signature, pending});
        pending.clear();
    }
    return entries;
}

}  // namespace docs
