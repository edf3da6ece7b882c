# The scripting reference, docs/scripting.md: rewritten at every build from the
# exports header, lua/engine/, the built-in components and docs/examples/, and
# committed. The check fails when something has no entry or an entry names
# something gone, or when the committed page is not what the sources make.
file(GLOB QM_DOCS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/docs/*.cpp)
list(REMOVE_ITEM QM_DOCS_SOURCES ${CMAKE_SOURCE_DIR}/tools/docs/make_scripting_doc.cpp)
add_library(scripting_doc STATIC ${QM_DOCS_SOURCES})
target_link_libraries(scripting_doc PUBLIC quillmere_core)
target_compile_options(scripting_doc PRIVATE -Wall -Wextra)
add_executable(make_scripting_doc ${CMAKE_SOURCE_DIR}/tools/docs/make_scripting_doc.cpp)
target_link_libraries(make_scripting_doc PRIVATE scripting_doc)

add_custom_target(scripting_reference ALL
  COMMAND make_scripting_doc ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/docs/scripting.md
  COMMENT "Writing docs/scripting.md"
  VERBATIM)
add_dependencies(scripting_reference make_scripting_doc)

add_test(NAME docs.scripting_reference
         COMMAND make_scripting_doc ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/docs/scripting.md --check)
