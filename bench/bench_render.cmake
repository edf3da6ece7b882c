# The lit-frame benchmarks read the game's shaders from the source tree.
target_compile_definitions(bench_render PRIVATE QM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
