# The content generator: paints the game's textures and writes the opening level
# into a game folder. Run it after changing tools/content/:
#   cmake --build build --target make_content && build/make_content game
file(GLOB QM_CONTENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/content/*.cpp)
add_executable(make_content ${QM_CONTENT_SOURCES} ${CMAKE_SOURCE_DIR}/core/file_util.cpp)
target_include_directories(make_content PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(make_content PRIVATE -Wall -Wextra)
target_link_libraries(make_content PRIVATE lodepng PkgConfig::JSONCPP)

# Generates into a scratch folder and checks that every file decodes, that the
# committed textures are exactly what the generator makes, and that the level
# only names textures that exist.
add_test(NAME content.generate
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/content/check_content.py
                 $<TARGET_FILE:make_content> ${CMAKE_SOURCE_DIR}/game ${CMAKE_BINARY_DIR}/content_check)
set_tests_properties(content.generate PROPERTIES TIMEOUT 120)

# The audio generator: synthesises the game's music and sounds and writes them
# with their banks and the cue table. Run it after changing tools/audio/:
#   cmake --build build --target make_audio && build/make_audio game
# The synthesis is a library so that its tests (tests/tools/) can link it.
file(GLOB QM_AUDIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/audio/*.cpp)
list(REMOVE_ITEM QM_AUDIO_SOURCES ${CMAKE_SOURCE_DIR}/tools/audio/main.cpp)
add_library(audio_synth STATIC ${QM_AUDIO_SOURCES})
target_include_directories(audio_synth PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(audio_synth PRIVATE -Wall -Wextra)
target_link_libraries(audio_synth PUBLIC PkgConfig::SNDFILE PkgConfig::JSONCPP)
add_executable(make_audio ${CMAKE_SOURCE_DIR}/tools/audio/main.cpp ${CMAKE_SOURCE_DIR}/core/file_util.cpp)
target_compile_options(make_audio PRIVATE -Wall -Wextra)
target_link_libraries(make_audio PRIVATE audio_synth)

# Generates the audio into a scratch folder and checks that the committed audio
# is what the generator makes, that every file decodes, and that banks, bank
# lists and the cue table agree with each other.
add_test(NAME content.audio
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/audio/check_audio.py
                 $<TARGET_FILE:make_audio> ${CMAKE_SOURCE_DIR}/game ${CMAKE_BINARY_DIR}/audio_check)
set_tests_properties(content.audio PROPERTIES TIMEOUT 300)
# Every cue the levels and scripts name is in the cue table.
add_test(NAME content.sound_cues
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/audio/check_cue_names.py ${CMAKE_SOURCE_DIR}/game)

# The world can be played through: every lantern and door of the generated
# levels can be reached on foot, the shut gate holds, and the walk from New
# game to the gate home lasts at least two minutes for one who knows the way.
add_test(NAME content.routes
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/content/routes.py ${CMAKE_SOURCE_DIR}/game --min-seconds 120)
set_tests_properties(content.routes PROPERTIES TIMEOUT 120)

include(${CMAKE_SOURCE_DIR}/tools/docs/docs.cmake)
