# A level that is not valid JSON ends the game through the crash message, with
# the parser's own text, and exit status 0; never a hang or a crash.
source "$QM_LIB"
qm_content
qm_debug_textures
qm_start
qm_expect_crash "Missing '}' or object member name"
