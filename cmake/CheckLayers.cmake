# SPDX-License-Identifier: GPL-3.0-or-later
# Run as a script (cmake -DINPUT=<file> -P CheckLayers.cmake) before a target
# is compiled: fails, naming file, line and rule, when one of its sources
# includes a header of a src/ folder whose library the target does not link.
# Every spelling counts: "folder/x.h", <folder/x.h> and a relative
# "../folder/x.h" are resolved to the file they name first. INPUT sets TARGET,
# SOURCES, ALLOWED (the folders it may include), KNOWN (every src/ folder) and
# SRC (the src/ folder); kerova_enforce_layers writes it.
cmake_minimum_required(VERSION 3.25)
include(${INPUT})

# The src/ folder a header of this include lies in, or "" for any other header.
function(included_folder source spelled out)
  cmake_path(GET source PARENT_PATH here)
  string(SUBSTRING "${spelled}" 1 -1 path)
  string(REGEX REPLACE "[\">]$" "" path "${path}")
  string(SUBSTRING "${spelled}" 0 1 quote)
  if(quote STREQUAL "\"" AND (path MATCHES "^\\.\\.?/" OR EXISTS ${here}/${path}))
    set(file ${here}/${path})
  else()
    set(file ${SRC}/${path})
  endif()
  cmake_path(NORMAL_PATH file)
  cmake_path(IS_PREFIX SRC ${file} NORMALIZE inside)
  set(${out} "" PARENT_SCOPE)
  if(inside)
    file(RELATIVE_PATH relative ${SRC} ${file})
    string(REGEX MATCH "^[^/]+/" folder "${relative}")
    string(REGEX REPLACE "/$" "" folder "${folder}")
    set(${out} "${folder}" PARENT_SCOPE)
  endif()
endfunction()

# The line number of the first occurrence of text in file.
function(line_of file text out)
  file(READ ${file} whole)
  string(FIND "${whole}" "${text}" at)
  string(SUBSTRING "${whole}" 0 ${at} before)
  string(REGEX MATCHALL "\n" breaks "${before}")
  list(LENGTH breaks number)
  math(EXPR number "${number} + 1")
  set(${out} ${number} PARENT_SCOPE)
endfunction()

set(pattern "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
set(errors "")
foreach(source ${SOURCES})
  file(STRINGS ${source} includes REGEX "${pattern}")
  foreach(line ${includes})
    string(REGEX MATCH "[<\"][^>\"]+[>\"]" spelled "${line}")
    included_folder(${source} "${spelled}" folder)
    if(NOT folder IN_LIST KNOWN OR folder IN_LIST ALLOWED)
      continue()
    endif()
    line_of(${source} "${line}" number)
    string(APPEND errors "${source}:${number}: ${line}: ${TARGET} does not link kerova_${folder}"
                         " (a target includes only its own folder and the libraries it links)\n")
  endforeach()
endforeach()
if(errors)
  message(FATAL_ERROR "An include reaches a layer the target does not link:\n${errors}")
endif()
