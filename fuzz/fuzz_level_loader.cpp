// The level loader on arbitrary files: any input either loads or ends in an
// exception with a message (the crash dialog), never a crash, hang or
// sanitizer report. A level that loads must save and load back to the same
// document.
#include <json/value.h>

#include "core/json_text.h"
#include "fuzz/fuzz_world.h"
#include "level/level_file.h"

namespace {

std::string ReadSaved(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) std::abort();
    std::string text;
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) text.append(block, n);
    std::fclose(f);
    return text;
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
    try {
        LoadLevel("fuzz_a");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "a saved level does not load back: %s\n", e.what());
        std::abort();
    }
    SaveLevel("fuzz_b", false);
    if (ReadSaved("levels/fuzz_b.json") != first) {
        std::fprintf(stderr, "a saved level changes when loaded and saved again\n");
        std::abort();
    }
    fuzz::ResetWorld();
    return 0;
}
