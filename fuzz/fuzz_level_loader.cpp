// The level loader on arbitrary files: any input either loads or ends in an
// exception with a message (the crash dialog), never a crash, hang or
// sanitizer report. A level that loads must save and load back to the same
// document.
#include <fstream>
#include <iterator>

#include <json/value.h>

#include "core/json_text.h"
#include "fuzz/fuzz_world.h"
#include "level/level_file.h"

namespace {

std::string ReadSaved(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SetUpWorld();
    fuzz::ResetWorld();
    fuzz::WriteFile("levels/fuzz.json", data, size);
    try {
        LoadLevel("fuzz");
    } catch (const std::exception&) {
        fuzz::ResetWorld();
        return 0;
    }
    // Written once, read back, written again: the two documents must match.
    SaveLevel("fuzz_a", false);
    const std::string first = ReadSaved("levels/fuzz_a.json");
    LoadLevel("fuzz_a");  // a saved level that does not load back ends the run with its message
    SaveLevel("fuzz_b", false);
    if (ReadSaved("levels/fuzz_b.json") != first) {
        std::fprintf(stderr, "a saved level changes when loaded and saved again\n");
        std::abort();
    }
    fuzz::ResetWorld();
    return 0;
}
