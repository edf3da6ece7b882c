# Scripts reach the exports through ffi.C: keep every lb_ function in the binary.
target_link_options(bench_scripting PRIVATE -Wl,--whole-archive $<TARGET_FILE:quillmere_core> -Wl,--no-whole-archive)
target_compile_definitions(bench_scripting PRIVATE QM_GAME_LUA="${CMAKE_SOURCE_DIR}/game/lua/engine")
add_dependencies(bench_scripting ffi_decls)
