# cmake/CheckLayer.cmake against small trees of two layers, low below high: a file of low that
# reaches high fails the check however the include is spelled, and a clean layer passes.
# Run as cmake -DCXX=compiler -DSTANDARD=flag -DWORK=folder -P CheckLayerTest.cmake.
set(check ${CMAKE_CURRENT_LIST_DIR}/../../cmake/CheckLayer.cmake)
# Each case: its name, whether the check must pass, the include line of low/A.cpp, and whether
# the tree's root is on the include path (as if low's include path wrongly reached high).
set(cases
  "clean|PASS|#include \"L.h\"|NO"
  "same layer by root|PASS|#include \"low/L.h\"|YES"
  "relative|FAIL|#include \"../high/H.h\"|NO"
  "absolute|FAIL|#include \"@TREE@/high/H.h\"|NO"
  "include path|FAIL|#include \"high/H.h\"|YES"
  "through a header|FAIL|#include \"Via.h\"|NO")
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 expected)
  list(GET fields 2 line)
  list(GET fields 3 root)
  string(MAKE_C_IDENTIFIER "${name}" folder)
  set(tree ${WORK}/${folder})
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/high/H.h "#pragma once\n")
  file(WRITE ${tree}/low/L.h "#pragma once\n")
  string(REPLACE "@TREE@" "${tree}" line "${line}")
  file(WRITE ${tree}/low/A.cpp "${line}\nint a;\n")
  if(name STREQUAL "through a header")
    file(WRITE ${tree}/low/Via.h "#pragma once\n#include \"../high/H.h\"\n")
  endif()
  set(includes "")
  if(root)
    set(includes ${tree})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DCXX=${CXX} -DSTANDARD=${STANDARD}
      "-DINCLUDES=${includes}" -DLAYER=${tree}/low -DALLOWED=${tree}/low -DTREE=${tree}
      -P ${check}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expected STREQUAL "PASS" AND NOT result EQUAL 0)
    message(SEND_ERROR "${name}: the check failed a clean layer:\n${out}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "FAIL" AND (result EQUAL 0 OR NOT out MATCHES "depends on high/H.h"))
    message(SEND_ERROR "${name}: the check let low reach high:\n${out}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
list(LENGTH cases count)
math(EXPR passed "${count} - ${failures}")
message("${passed} passed, ${failures} failed")
