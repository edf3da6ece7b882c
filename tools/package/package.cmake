# Shipping the game: `cmake --install build --prefix DIR` lays it out as
#   DIR/bin/quillmere                  the executable (finds ../share/quillmere itself)
#   DIR/share/quillmere/               the content folder (levels, textures, shaders, lua, audio)
#   DIR/share/applications/quillmere.desktop and the icon under share/icons,
# and `cpack --config build/CPackConfig.cmake` packs that layout as a .tar.gz
# (relocatable: unpack anywhere and run bin/quillmere) and a .deb (installed
# under /usr, so `quillmere` is on the PATH; its dependencies are worked out by
# dpkg-shlibdeps from the libraries the executable links).
#
# Another game made with the engine renames itself here: QM_GAME_NAME is the
# command, the package, the icon and the content folder under share/ (which the
# executable looks for); QM_GAME_TITLE is the name in the desktop's menu.
set(QM_GAME_NAME quillmere)
set(QM_GAME_TITLE "Quillmere")
set_target_properties(quillmere PROPERTIES OUTPUT_NAME ${QM_GAME_NAME})
set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/content_folder.cpp PROPERTIES
                            COMPILE_DEFINITIONS QM_GAME_NAME="${QM_GAME_NAME}")
configure_file(${CMAKE_SOURCE_DIR}/tools/package/game.desktop.in ${CMAKE_BINARY_DIR}/${QM_GAME_NAME}.desktop @ONLY)

# Installing and packing take the executable as built; they do not build every
# target (tests, benchmarks) first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
install(TARGETS quillmere RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/game/ DESTINATION share/${QM_GAME_NAME}
        PATTERN README.md EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/${QM_GAME_NAME}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/game/textures/icon.png DESTINATION share/icons/hicolor/64x64/apps
        RENAME ${QM_GAME_NAME}.png)

set(CPACK_PACKAGE_NAME ${QM_GAME_NAME})
set(CPACK_PACKAGE_VERSION 0.1.0)
set(CPACK_PACKAGE_VENDOR "Team Cendrith")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${QM_GAME_TITLE}: a small 2D adventure by lantern light")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Team Cendrith <team@cendrith.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# gzip rather than xz: the content is mostly compressed already, and packing stays quick.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_STRIP_FILES ON)
include(CPack)
