#pragma once
// The scripting reference (docs/scripting.md) and the check that it is
// complete. Exports and Lua helpers are documented where they are declared (the
// comment lines right above each one); events and component fields, which have
// no declaration of their own to carry a comment, are described in the tables
// of descriptions.cpp, checked both ways against what the engine has.
#include <string>
#include <vector>

namespace docs {

struct Entry {
    std::string group;      // heading it is listed under
    std::string signature;  // as a script writes (or the engine declares) it
    std::string text;       // empty: undocumented
};

// The declarations between the ffi markers of the exports header, each with the
// comment lines right above it; grouped by the word after "lb_".
std::vector<Entry> ReadExports(const std::string& headerText);

// The public functions of one Lua file of lua/engine/ ("function a.b(...)",
// "function mt:m(...)" shown as `objectName:m`, "x.y = function(...)"), each
// with its "--" comment lines. Metamethods and local functions are skipped.
std::vector<Entry> ReadLuaHelpers(const std::string& luaText, const std::string& group, const std::string& objectName);

// A JSON field of a built-in component: as the engine writes it when every key
// was missing from the level (so its value is the default).
struct Field {
    std::string component, key, type, defaultValue, text;
};
// Every built-in component's fields, made by the engine's own code.
std::vector<Field> BuiltinComponentFields();

// The described events and fields; problems (something without an entry, an
// entry naming something gone) are appended to `problems`.
std::vector<Entry> DescribeEvents(std::vector<std::string>& problems);
void DescribeFields(std::vector<Field>& fields, std::vector<std::string>& problems);

struct Example {
    std::string name, title, code;
};
// The Markdown page.
std::string WriteReference(const std::vector<Entry>& exports, const std::vector<Entry>& helpers,
                           const std::vector<Entry>& events, const std::vector<Field>& fields,
                           const std::vector<Example>& examples);

}  // namespace docs
