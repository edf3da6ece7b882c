# A level naming a component type nobody registered ends the game through the
# crash message with the registry's text, and exit status 0.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_start
qm_expect_crash "failed to map component string!"
