# The checked build: -DQM_SANITIZE=ON builds everything (library, tests,
# benchmarks, the game) with AddressSanitizer and UndefinedBehaviorSanitizer,
# and any report fails the run. With clang the library also carries fuzzing
# coverage, so the fuzz targets in fuzz/ link against the same objects.
#   CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DQM_SANITIZE=ON
option(QM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QM_SANITIZE)
  set(QM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${QM_SANITIZER_FLAGS})
  add_link_options(${QM_SANITIZER_FLAGS})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link)
    set(QM_FUZZ ON)
  endif()
endif()
