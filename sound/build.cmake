# Sound build steps.

# Test targets are made after this file is read; finish them at the end.
function(qm_sound_finish_targets)
  if(TARGET test_sound)
    # The export tests call lb_sounds_ functions from Lua through ffi.C, which
    # looks them up in the executable's dynamic symbol table.
    set_target_properties(test_sound PROPERTIES ENABLE_EXPORTS ON)
    target_link_options(test_sound PRIVATE
      -Wl,--whole-archive $<TARGET_FILE:quillmere_core> -Wl,--no-whole-archive)
    target_compile_definitions(test_sound PRIVATE QM_FFI_DECLS="${CMAKE_SOURCE_DIR}/game/lua/engine/ffi_decls.lua")
    add_dependencies(test_sound ffi_decls)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL qm_sound_finish_targets)
