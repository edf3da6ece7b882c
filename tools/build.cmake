# The content generator: paints the game's textures and writes the opening level
# into a game folder. Run it after changing tools/content/:
#   cmake --build build --target make_content && build/make_content game
file(GLOB QM_CONTENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/content/*.cpp)
add_executable(make_content ${QM_CONTENT_SOURCES} ${CMAKE_SOURCE_DIR}/engine/file_util.cpp)
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
