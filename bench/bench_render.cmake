# The frame benchmarks copy the game's shaders and Lua engine layer from the
# source tree into a scratch content folder; the engine's exports must be in
# the dynamic symbol table for the scripts' FFI.
target_compile_definitions(bench_render PRIVATE QM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_options(bench_render PRIVATE -Wl,--whole-archive $<TARGET_FILE:quillmere_core> -Wl,--no-whole-archive)
add_dependencies(bench_render ffi_decls)
