#pragma once
// The headless engine every fuzz target runs in, set up once per process: a
// scratch game folder as the working directory (so libFuzzer needs absolute
// paths), the built-in components and the events registered before any level
// loads. No window, no scripts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/debug_draw.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/log.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"
#include "engine/engine_events.h"
#include "graphics/lighting_settings.h"
#include "graphics/texture_cache.h"
#include "physics/collision_data.h"
#include "physics/physics.h"

namespace fuzz {

inline std::filesystem::path root;  // the scratch game folder

inline void SetUpWorld() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    // In memory where possible: the save record target syncs a file per input.
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/qm_fuzz_XXXXXX" : "/tmp/qm_fuzz_XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    root = pattern;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(root, ec);
    });
    for (const char* folder : {"levels", "textures"}) std::filesystem::create_directories(root / folder);
    std::filesystem::current_path(root);
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (root / "docs").c_str(), 1);
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

// Back to a game between levels: no entities, textures, pending state or log
// lines (the log keeps every line, which would grow over a long run).
inline void ResetWorld() {
    engine::DestroyAllEntities();
    ClearLog();
    ClearTextures();
    ResetEngineState();
    ResetLightingSettings();
}

inline void WriteFile(const std::string& path, const void* data, size_t size) {
    if (!std::ofstream(path, std::ios::binary).write(static_cast<const char*>(data), std::streamsize(size))) std::abort();
}

inline void WriteFile(const std::string& path, const std::string& text) { WriteFile(path, text.data(), text.size()); }

}  // namespace fuzz
