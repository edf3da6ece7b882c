# Writes the scripts' FFI declarations from scripting/lb_exports.h.
# Usage: cmake -DHEADER=<lb_exports.h> -DOUTPUT=<ffi_decls.lua> -P gen_ffi_decls.cmake
# The file is rewritten only when its text changes, so the game folder is not
# touched by builds that changed nothing here.
file(READ "${HEADER}" text)
string(FIND "${text}" "// ffi-begin\n" begin)
string(FIND "${text}" "// ffi-end" end)
if(begin EQUAL -1 OR end EQUAL -1)
  message(FATAL_ERROR "${HEADER}: missing the ffi-begin/ffi-end markers")
endif()
string(LENGTH "// ffi-begin\n" markerLength)
math(EXPR begin "${begin} + ${markerLength}")
math(EXPR length "${end} - ${begin}")
string(SUBSTRING "${text}" ${begin} ${length} decls)
# Preprocessor lines choose what C++ sees; LuaJIT sees everything else.
string(REGEX REPLACE "#[^\n]*\n" "" decls "${decls}")
# Each declaration's comment is its entry in docs/scripting.md, not for LuaJIT.
string(REGEX REPLACE "//[^\n]*\n" "" decls "${decls}")
# Functions returning lb_vec2 are also declared under "<name>__xmm", bound to
# the same symbol but returning the two floats packed in one double: LuaJIT
# does not compile calls that return structures by value, and scripts read
# positions in their hottest loops. (x86-64 SysV returns the pair in the low
# half of xmm0; lua/engine/api.lua uses these only on that ABI.)
string(REPLACE ";" "@SEMI@" guarded "${decls}")
string(REGEX MATCHALL "lb_vec2 lb_[a-z_]+\\([^)]*\\)@SEMI@" vec2Lines "${guarded}")
set(packed "")
foreach(line IN LISTS vec2Lines)
  string(REGEX REPLACE "^lb_vec2 (lb_[a-z_]+)\\(([^)]*)\\)@SEMI@$" "double \\1__xmm(\\2) __asm__(\"\\1\")@SEMI@\n" line "${line}")
  string(APPEND packed "${line}")
endforeach()
string(REPLACE "@SEMI@" ";" packed "${packed}")
set(decls "${decls}${packed}")
set(content "-- Generated at build time from scripting/lb_exports.h; edit that header, not this file.
local ffi = require(\"ffi\")
ffi.cdef[==[
${decls}]==]
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
