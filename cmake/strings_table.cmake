# Turns the STRINGTABLE of res/strings.rc into C++ initialisers: one `{ID, "text"},` line per string.
# The resource script writes a quote as "" and uses only the C escapes \n, \t and \\, so a text
# becomes a C++ literal by turning "" into \".
file(READ "${IN}" content)
# CMake lists split at ";" and treat brackets specially: mask them while splitting into lines.
string(REPLACE ";" "@SX_SEMI@" content "${content}")
string(REPLACE "[" "@SX_LB@" content "${content}")
string(REPLACE "]" "@SX_RB@" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(out "// Generated from res/strings.rc; do not edit.\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*([A-Za-z_][A-Za-z0-9_]*|[0-9]+)[ \t]*,?[ \t]+\"(.*)\"[ \t]*$")
    set(id "${CMAKE_MATCH_1}")
    set(text "${CMAKE_MATCH_2}")
    string(REPLACE "\"\"" "\\\"" text "${text}")
    string(APPEND out "{${id}, \"${text}\"},\n")
  endif()
endforeach()
string(REPLACE "@SX_SEMI@" ";" out "${out}")
string(REPLACE "@SX_LB@" "[" out "${out}")
string(REPLACE "@SX_RB@" "]" out "${out}")
file(WRITE "${OUT}.tmp" "${out}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
