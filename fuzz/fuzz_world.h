#pragma once
// The headless engine every fuzz target runs in, set up once per process: a
// scratch game folder as the working directory (levels/, textures/ and the save
// folder inside it), the built-in components and the events the engine
// registers before any level loads. No window, no scripts. Since the working
// directory changes, give libFuzzer absolute paths (run_fuzzer.sh does).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "engine/engine_events.h"
#include "graphics/debug_draw.h"
#include "graphics/lighting_settings.h"
#include "graphics/texture_cache.h"
#include "physics/collision_data.h"
#include "physics/physics.h"

namespace fuzz {

inline std::filesystem::path& Root() {
    static std::filesystem::path root;
    return root;
}

inline void RemoveRoot() {
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(Root(), ec);
}

inline void SetUpWorld() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    // In memory when the machine has it: the save record target syncs a file
    // per input, which on a disk caps it at a few hundred inputs a second.
    char shm[] = "/dev/shm/qm_fuzz_XXXXXX";
    char tmp[] = "/tmp/qm_fuzz_XXXXXX";
    char* pattern = std::filesystem::is_directory("/dev/shm") && mkdtemp(shm) ? shm : tmp;
    if (pattern == tmp && !mkdtemp(tmp)) std::abort();
    Root() = pattern;
    std::atexit(RemoveRoot);
    std::filesystem::create_directories(Root() / "levels");
    std::filesystem::create_directories(Root() / "textures");
    std::filesystem::current_path(Root());
    setenv("HOME", Root().c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (Root() / "docs").c_str(), 1);
    unsetenv("XDG_DATA_HOME");

    components::RegisterBuiltinComponents();
    for (const char* name : {"MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", "KeyPressed",
                             "KeyDown", "KeyReleased"})
        events::Register<int>(name);
    events::Register<>("PostDraw");
    debug_draw::RegisterEvent();
    static Physics physics;  // registers the collision events
    physics.Initialize();
    RegisterEngineEvents();
}

// Back to a game between levels: no entities, textures or pending state.
inline void ResetWorld() {
    engine::DestroyAllEntities();
    ClearTextures();
    ResetEngineState();
    ResetLightingSettings();
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace fuzz
