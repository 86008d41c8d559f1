# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DKEROVA_CMAKE_DIR=<cmake folder> -DWORK=<scratch folder> -P LayersTest.cmake
# Each case is a project whose layers are "low" and, above it, "high". The
# lower layer reaches the higher one in the way the case names (a quoted,
# angled or relative include, a link, a link through an interface library); the check must
# stop it, naming the file and line given, or let the sound case build.
cmake_minimum_required(VERSION 3.25)

# case -> include line of src/low/Low.cpp, DEPS of low (after a prelude of
# its CMakeLists.txt), expected "file:line: rule" or nothing.
set(cases sound quoted angled relative linked wrapped)
set(sound_include "")
set(quoted_include "#include \"high/High.h\"")
set(angled_include "#include <high/High.h>")
set(relative_include "#include \"../high/High.h\"")
set(linked_include "")
set(linked_deps kerova_high)
set(wrapped_include "")
set(wrapped_deps hidden)
set(wrapped_prelude "add_library(hidden INTERFACE)\ntarget_link_libraries(hidden INTERFACE kerova_high)\n")
set(quoted_expect "src/low/Low.cpp:3: .*kerova_low does not link kerova_high")
set(angled_expect "src/low/Low.cpp:3: .*kerova_low does not link kerova_high")
set(relative_expect "src/low/Low.cpp:3: .*kerova_low does not link kerova_high")
set(linked_expect "src/low/CMakeLists.txt:2: kerova_low links kerova_high, which is not a layer below it")
set(wrapped_expect "src/low/CMakeLists.txt:3: kerova_low links kerova_high, which is not a layer below it")

function(write_case dir include deps prelude)
  file(REMOVE_RECURSE ${dir})
  file(WRITE ${dir}/CMakeLists.txt
    "cmake_minimum_required(VERSION 3.25)\nproject(LayerCase LANGUAGES CXX)\n"
    "include(${KEROVA_CMAKE_DIR}/Kerova.cmake)\nset(KEROVA_LAYERS low high)\n"
    "foreach(layer \${KEROVA_LAYERS})\n  add_subdirectory(src/\${layer})\nendforeach()\n"
    "get_property(layered GLOBAL PROPERTY KEROVA_LIBRARIES)\nkerova_enforce_layers(\${layered})\n")
  file(WRITE ${dir}/src/low/CMakeLists.txt "# a layer\n${prelude}kerova_library(low DEPS ${deps})\n")
  file(WRITE ${dir}/src/low/Low.h "#pragma once\nint low();\n")
  file(WRITE ${dir}/src/low/Low.cpp "// the lower layer\n#include \"low/Low.h\"\n${include}\nint low() { return 1; }\n")
  file(WRITE ${dir}/src/high/CMakeLists.txt "kerova_library(high DEPS kerova_low)\n")
  file(WRITE ${dir}/src/high/High.h "#pragma once\nint high();\n")
  file(WRITE ${dir}/src/high/High.cpp "#include \"high/High.h\"\n#include <low/Low.h>\nint high() { return low(); }\n")
endfunction()

set(failures "")
foreach(case ${cases})
  set(dir ${WORK}/${case})
  write_case(${dir} "${${case}_include}" "${${case}_deps}" "${${case}_prelude}")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${dir} -B ${dir}/build
                  RESULT_VARIABLE configured OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(built 1)
  if(configured EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${dir}/build
                    RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
    string(APPEND out "${log}")
  endif()
  # Messages may wrap their lines; the check reads them as one line.
  string(REGEX REPLACE "[ \t]*\n[ \t]*" " " flat "${out}")
  if(NOT ${case}_expect)
    if(NOT built EQUAL 0)
      string(APPEND failures "${case}: the sound project did not build:\n${out}\n")
    endif()
  elseif(built EQUAL 0)
    string(APPEND failures "${case}: built although the lower layer reaches the higher one\n")
  elseif(NOT flat MATCHES "${${case}_expect}")
    string(APPEND failures "${case}: stopped, but not with \"${${case}_expect}\":\n${out}\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
list(REMOVE_ITEM cases sound)
list(JOIN cases ", " stopped)
message(STATUS "layer check: the sound project builds; ${stopped} are stopped")
