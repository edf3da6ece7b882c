# Fuzz targets (libFuzzer), built in the clang sanitizer tree only (QM_FUZZ is
# set by tools/sanitizers.cmake). Each fuzz/fuzz_<name>.cpp becomes a target and
# a test that runs it for a bounded time over a copy of fuzz/corpus/<name>/;
# whatever it finds is saved under build-asan/fuzz/ and fails the test.
if(QM_FUZZ)
  set(QM_FUZZ_SECONDS 30 CACHE STRING "How long each fuzz test runs, in seconds")
  file(GLOB QM_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  foreach(fsrc ${QM_FUZZERS})
    get_filename_component(fname ${fsrc} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" corpus ${fname})
    add_executable(${fname} ${fsrc})
    target_link_libraries(${fname} PRIVATE quillmere_core)
    target_link_options(${fname} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${fname} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_test(NAME fuzz.${corpus}
             COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh $<TARGET_FILE:${fname}>
                     ${CMAKE_SOURCE_DIR}/fuzz/corpus/${corpus} ${QM_FUZZ_SECONDS})
    set_tests_properties(fuzz.${corpus} PROPERTIES TIMEOUT 600)
  endforeach()
endif()
