# Scripting build steps.
#
# The game's FFI declarations are generated from the one export header, so the
# declarations the scripts use cannot drift from the functions the engine
# exports. The output lives in the content folder because the game runs there.
set(QM_FFI_HEADER ${CMAKE_SOURCE_DIR}/scripting/lb_exports.h)
set(QM_FFI_DECLS ${CMAKE_SOURCE_DIR}/game/lua/engine/ffi_decls.lua)
add_custom_target(ffi_decls ALL
  COMMAND ${CMAKE_COMMAND} -DHEADER=${QM_FFI_HEADER} -DOUTPUT=${QM_FFI_DECLS}
          -P ${CMAKE_SOURCE_DIR}/scripting/gen_ffi_decls.cmake
  DEPENDS ${QM_FFI_HEADER} ${CMAKE_SOURCE_DIR}/scripting/gen_ffi_decls.cmake
  COMMENT "Generating game/lua/engine/ffi_decls.lua"
  VERBATIM)
add_dependencies(quillmere ffi_decls)

# Test targets are made after this file is read; finish them at the end. The
# tests of these folders run scripts that reach the exports through ffi.C, which
# looks them up in the executable's dynamic symbol table: export them and keep
# them all.
function(qm_scripting_finish_targets)
  foreach(t unit_tests)
    if(TARGET ${t})
      set_target_properties(${t} PROPERTIES ENABLE_EXPORTS ON)
      target_link_options(${t} PRIVATE
        -Wl,--whole-archive $<TARGET_FILE:quillmere_core> -Wl,--no-whole-archive)
      target_compile_definitions(${t} PRIVATE
        QM_FFI_DECLS="${QM_FFI_DECLS}" QM_EXPORTS_HEADER="${QM_FFI_HEADER}")
      add_dependencies(${t} ffi_decls)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL qm_scripting_finish_targets)
