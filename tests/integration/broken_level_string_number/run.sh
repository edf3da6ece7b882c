# A string where a number belongs ends the game through the crash message with
# the JSON library's text, and exit status 0.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_start
qm_expect_crash "Value is not convertible to float."
