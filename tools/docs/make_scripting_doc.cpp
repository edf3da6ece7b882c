// make_scripting_doc: writes the scripting reference and checks it is complete.
//
//   make_scripting_doc <repository> <output.md> [--check]
//
// Reads scripting/lb_exports.h, game/lua/engine/*.lua and docs/examples/*.lua
// under <repository>, asks the engine for its built-in components' fields, and
// writes <output.md> when its text changed. Everything without an entry, and
// every entry naming something gone, is printed; with --check these fail the
// run (status 1), as does an <output.md> that differs from what would be written.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_util.h"
#include "ecs/component_registry.h"
#include "tools/docs/scripting_doc.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The Lua files of lua/engine/ that scripts use, with the name an object of
// their metatable goes by on the page.
struct LuaSource {
    const char* file;
    const char* group;
    const char* objectName;
};
const LuaSource kLuaSources[] = {
    {"init.lua", "Globals", ""},
    {"events.lua", "events", ""},
    {"entity.lua", "entity", "e"},
    {"vector.lua", "vector", "v"},
    {"components.lua", "components", ""},
};

std::vector<docs::Example> ReadExamples(const fs::path& folder) {
    std::vector<docs::Example> examples;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(folder, ec)) {
        if (file.path().extension() != ".lua") continue;
        const std::string code = ReadAll(file.path());
        // The first line, "-- Title.", names the example.
        const std::string first = code.substr(0, code.find('\n'));
        const std::string title = first.rfind("-- ", 0) == 0 ? first.substr(3) : file.path().stem().string();
        examples.push_back({file.path().stem().string(), title, code});
    }
    std::sort(examples.begin(), examples.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return examples;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 4 && std::string(argv[3]) == "--check";
    if (argc != 3 && !check) {
        std::fprintf(stderr, "usage: make_scripting_doc <repository> <output.md> [--check]\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path output = argv[2];
    components::RegisterBuiltinComponents();

    std::vector<std::string> problems;
    const std::vector<docs::Entry> exports = docs::ReadExports(ReadAll(root / "scripting/lb_exports.h"));
    for (const docs::Entry& e : exports)
        if (e.text.empty()) problems.push_back("export " + e.signature + " has no entry");
    std::vector<docs::Entry> helpers;
    for (const LuaSource& source : kLuaSources) {
        const std::string text = ReadAll(root / "game/lua/engine" / source.file);
        if (text.empty()) problems.push_back(std::string("lua/engine/") + source.file + " is missing");
        for (docs::Entry& e : docs::ReadLuaHelpers(text, source.group, source.objectName)) {
            if (e.text.empty()) problems.push_back("Lua helper " + e.signature + " has no entry");
            helpers.push_back(std::move(e));
        }
    }
    const std::vector<docs::Entry> events = docs::DescribeEvents(problems);
    std::vector<docs::Field> fields = docs::BuiltinComponentFields();
    docs::DescribeFields(fields, problems);
    const std::string page =
        docs::WriteReference(exports, helpers, events, fields, ReadExamples(root / "docs/examples"));

    for (const std::string& problem : problems) std::fprintf(stderr, "scripting reference: %s\n", problem.c_str());
    if (check) {
        if (ReadAll(output) != page) {
            std::fprintf(stderr, "scripting reference: %s is not what the sources make; build and commit it\n",
                         output.string().c_str());
            return 1;
        }
        return problems.empty() ? 0 : 1;
    }
    if (ReadAll(output) != page && !WriteFileAtomically(output.string(), page)) {
        std::fprintf(stderr, "make_scripting_doc: cannot write %s\n", output.string().c_str());
        return 1;
    }
    return 0;
}
