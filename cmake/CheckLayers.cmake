# SPDX-License-Identifier: GPL-3.0-or-later
# Run as a script (cmake -DINPUT=<file> -P CheckLayers.cmake) before a target
# is compiled: fails, naming file and line, when one of its sources includes a
# header of a src/ folder whose library the target does not link. INPUT sets
# TARGET, SOURCES, ALLOWED (the folders it may include) and KNOWN (every src/
# folder); kerova_enforce_layers writes it.
cmake_minimum_required(VERSION 3.25)
include(${INPUT})

set(errors "")
foreach(source ${SOURCES})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([a-z]+)/.*" "\\1" folder "${line}")
    if(NOT folder IN_LIST KNOWN OR folder IN_LIST ALLOWED)
      continue()
    endif()
    file(READ ${source} text)
    string(FIND "${text}" "${line}" at)
    string(SUBSTRING "${text}" 0 ${at} before)
    string(REGEX MATCHALL "\n" breaks "${before}")
    list(LENGTH breaks number)
    math(EXPR number "${number} + 1")
    string(APPEND errors "${source}:${number}: ${line}: ${TARGET} does not link kerova_${folder}\n")
  endforeach()
endforeach()
if(errors)
  message(FATAL_ERROR "An include reaches a layer the target does not link:\n${errors}")
endif()
