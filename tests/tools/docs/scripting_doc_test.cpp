// The scripting reference's sources: which declarations get which entries, and
// the check of the event and field tables against what the engine has.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/docs/scripting_doc.h"

namespace {

bool Mentions(const std::vector<std::string>& problems, const std::string& text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

}  // namespace

TEST(ScriptingDoc, EntriesAreTheCommentsRightAboveEachDeclaration) {
    const auto exports = docs::ReadExports(
        "// Outside the block.\nvoid lb_outside(void);\n// ffi-begin\ntypedef struct lb_vec2 { float x; } lb_vec2;\n"
        "// Moves it,\n// in world units.\nvoid lb_entity_set_pos(uint32_t index, float x);\n// Parted.\n\n"
        "lb_vec2 lb_camera_get_pos(void);\n// Stray.\n#ifdef X\nvoid lb_print(const char* text);\n// ffi-end\n");
    ASSERT_EQ(exports.size(), 3u);
    EXPECT_EQ(exports[0].signature, "void lb_entity_set_pos(uint32_t index, float x)");
    EXPECT_EQ(exports[0].text, "Moves it, in world units.");
    EXPECT_EQ(exports[0].group, "Entities");
    EXPECT_EQ(exports[1].text, "");  // a blank line parts a comment from the declaration
    EXPECT_EQ(exports[1].group, "Camera");
    EXPECT_EQ(exports[2].text, "");
    EXPECT_EQ(exports[2].group, "Scripting");

    const auto helpers = docs::ReadLuaHelpers(
        "local function new(x, y)\nend\n-- A new one.\nthing.new = new\n-- Its length.\nfunction mt:Length() end\n"
        "function mt.__eq(a, b) end\nlocal function hidden() end\n-- Checks.\nthing.is = function(v) end\n"
        "function thing.Count(name)\n-- Prints.\nfunction print(...)\n",
        "thing", "t");
    std::vector<std::string> found;
    for (const auto& h : helpers) found.push_back(h.signature + "=" + h.text);
    EXPECT_EQ(found, (std::vector<std::string>{"thing.new(x, y)=A new one.", "t:Length()=Its length.",
                                               "thing.is(v)=Checks.", "thing.Count(name)=", "print(...)=Prints."}));
}

TEST(ScriptingDoc, EveryEventAndFieldHasAnEntryAndEveryEntryNamesOne) {
    std::vector<std::string> problems;
    EXPECT_EQ(docs::DescribeEvents(problems).size(), 16u);
    std::vector<docs::Field> fields = docs::BuiltinComponentFields();
    docs::DescribeFields(fields, problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    const auto tint = std::find_if(fields.begin(), fields.end(), [](const auto& f) { return f.key == "tint"; });
    ASSERT_NE(tint, fields.end());
    EXPECT_EQ(tint->type + " " + tint->defaultValue, "colour x y z w (1, 1, 1, 1)");

    // A field the engine gained, and one it lost.
    fields.push_back({"Sprite", "glow", "number", "0", ""});
    fields.erase(std::remove_if(fields.begin(), fields.end(), [](const auto& f) { return f.key == "Box Static"; }),
                 fields.end());
    problems.clear();
    docs::DescribeFields(fields, problems);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_TRUE(Mentions(problems, "Sprite field \"glow\" has no entry"));
    EXPECT_TRUE(Mentions(problems, "BoxCollider field \"Box Static\" names nothing"));
}
