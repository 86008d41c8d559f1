# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers shared by every folder of the build.

set(KEROVA_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

# kerova_library(<layer> [DEPS <targets>...])
# One static library kerova_<layer> from every source file in the calling folder.
# The layer must stand in KEROVA_LAYERS, the one ordered list of the layers.
function(kerova_library layer)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT layer IN_LIST KEROVA_LAYERS)
    message(FATAL_ERROR "${CMAKE_CURRENT_LIST_FILE}: layer ${layer} is not in KEROVA_LAYERS")
  endif()
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(kerova_${layer} STATIC ${sources})
  target_include_directories(kerova_${layer} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kerova_${layer} PUBLIC ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY KEROVA_LIBRARIES kerova_${layer})
endfunction()

# kerova_qtest(<name> LIBS <targets>... [STORE] [PLATFORM <qpa>] [SOURCES <files>...]
#              [LAUNCHER <command>...] [VARIANTS <variant>[:<VAR>=<value>[,…]]...])
# One Qt Test executable tst_<name> from every source file in the calling folder
# (or only from SOURCES, when a folder makes more than one executable),
# registered with CTest. STORE suites run once per backend (sqlite, postgresql);
# PLATFORM picks the Qt platform plugin (offscreen unless given). VARIANTS run
# the suite once per variant as <name>/<variant>, with its variable set and
# KEROVA_TEST_VARIANT naming it, through LAUNCHER when given.
function(kerova_qtest name)
  cmake_parse_arguments(ARG "STORE" "PLATFORM" "LIBS;SOURCES;LAUNCHER;VARIANTS" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(tst_${name} ${sources})
  target_link_libraries(tst_${name} PRIVATE kerova_testutil ${ARG_LIBS})
  set_property(GLOBAL APPEND PROPERTY KEROVA_TEST_EXECUTABLES tst_${name})
  if(NOT ARG_PLATFORM)
    set(ARG_PLATFORM offscreen)
  endif()
  # The soak and fault suites run thousands of store round trips; on a loaded
  # machine one test function may take longer than Qt's own 300 s limit.
  set(env "QT_QPA_PLATFORM=${ARG_PLATFORM}" "LC_ALL=C.UTF-8" "QTEST_FUNCTION_TIMEOUT=900000")
  # Not through a launcher: the preload would reach the X server it starts.
  if(KEROVA_SANITIZE AND ARG_PLATFORM STREQUAL "xcb" AND NOT ARG_LAUNCHER)
    kerova_keep_gl_driver_loaded(env)
  endif()
  if(ARG_VARIANTS)
    foreach(variant IN LISTS ARG_VARIANTS)
      string(FIND "${variant}" ":" colon)
      string(SUBSTRING "${variant}" 0 ${colon} variant_name)
      set(variant_env "")
      if(colon GREATER -1)
        math(EXPR colon "${colon} + 1")
        string(SUBSTRING "${variant}" ${colon} -1 variant_env)
        string(REPLACE "," ";" variant_env "${variant_env}")
      endif()
      add_test(NAME ${name}/${variant_name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:tst_${name}>)
      set_tests_properties(${name}/${variant_name} PROPERTIES
        ENVIRONMENT "${env};KEROVA_TEST_VARIANT=${variant_name};${variant_env}" TIMEOUT 600)
    endforeach()
  elseif(ARG_STORE)
    foreach(driver sqlite postgresql)
      add_test(NAME ${name}/${driver} COMMAND tst_${name})
      set_tests_properties(${name}/${driver} PROPERTIES
        ENVIRONMENT "${env};KEROVA_TEST_DRIVER=${driver}"
        SKIP_RETURN_CODE 77 TIMEOUT 1200)
    endforeach()
  else()
    add_test(NAME ${name} COMMAND tst_${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
  endif()
endfunction()

# kerova_keep_gl_driver_loaded(<env-list>)
# The software GL driver under Xvfb keeps a few caches until the process ends
# and is unloaded before LeakSanitizer reports them, so the report cannot name
# it and no suppression applies. Loading it with the sanitizer's runtime from
# the start keeps it mapped, and scripts/lsan-qt.supp can then name it.
function(kerova_keep_gl_driver_loaded env_var)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE asan OUTPUT_STRIP_TRAILING_WHITESPACE)
  find_file(KEROVA_GL_DRIVER swrast_dri.so PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri NO_DEFAULT_PATH)
  if(EXISTS "${asan}" AND KEROVA_GL_DRIVER)
    set(${env_var} ${${env_var}} "LD_PRELOAD=${asan}:${KEROVA_GL_DRIVER}" PARENT_SCOPE)
  endif()
endfunction()

# kerova_check_tests_run(<tests-folder>)
# Stops with an error when a folder under <tests-folder> holds sources that no
# CTest entry runs. A folder runs when it registers tests, or when each of its
# targets is a library that some test executable links (testutil).
function(kerova_check_tests_run root)
  get_property(added DIRECTORY ${root} PROPERTY SUBDIRECTORIES)
  get_property(tested GLOBAL PROPERTY KEROVA_TEST_EXECUTABLES)
  set(linked "")
  foreach(exe ${tested})
    get_target_property(libs ${exe} LINK_LIBRARIES)
    list(APPEND linked ${libs})
  endforeach()
  file(GLOB folders LIST_DIRECTORIES true ${root}/*)
  foreach(folder ${folders})
    file(GLOB_RECURSE sources ${folder}/*.cpp)
    if(NOT IS_DIRECTORY ${folder} OR NOT sources)
      continue()
    endif()
    if(NOT folder IN_LIST added)
      message(FATAL_ERROR "${folder} holds tests that no CTest entry runs: add it to ${root}/CMakeLists.txt")
    endif()
    get_property(tests DIRECTORY ${folder} PROPERTY TESTS)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    set(compiled "")
    foreach(target ${targets})
      get_target_property(files ${target} SOURCES)
      foreach(file ${files})
        get_filename_component(file ${file} ABSOLUTE BASE_DIR ${folder})
        list(APPEND compiled ${file})
      endforeach()
      if(NOT tests AND NOT target IN_LIST linked)
        message(FATAL_ERROR "${folder}: ${target} is neither a test nor linked by one")
      endif()
    endforeach()
    foreach(source ${sources})
      if(NOT source IN_LIST compiled)
        message(FATAL_ERROR "${source} is compiled into no target of its folder, so no test runs it")
      endif()
    endforeach()
  endforeach()
endfunction()

# kerova_linked_layers(<target> <out-var>)
# The layers whose libraries <target> links, directly or through any
# other target (an interface library cannot hide a layer).
function(kerova_linked_layers target out)
  set(found "")
  set(seen ${target})
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(imported ${current} IMPORTED)
    if(imported)
      continue()
    endif()
    get_target_property(libs ${current} LINK_LIBRARIES)
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(lib ${libs} ${interface})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
      if(NOT TARGET ${lib} OR lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      list(APPEND queue ${lib})
      if(lib MATCHES "^kerova_(.+)$" AND CMAKE_MATCH_1 IN_LIST KEROVA_LAYERS)
        list(APPEND found ${CMAKE_MATCH_1})
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# kerova_check_links(<target>)
# A library of KEROVA_LAYERS links only layers below it; otherwise
# configuring stops, naming the folder's CMakeLists.txt and the line.
function(kerova_check_links target)
  if(NOT target MATCHES "^kerova_(.+)$" OR NOT CMAKE_MATCH_1 IN_LIST KEROVA_LAYERS)
    return()
  endif()
  list(FIND KEROVA_LAYERS ${CMAKE_MATCH_1} own)
  kerova_linked_layers(${target} linked)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(layer ${linked})
    list(FIND KEROVA_LAYERS ${layer} at)
    if(at LESS own)
      continue()
    endif()
    file(STRINGS ${dir}/CMakeLists.txt lines)
    set(number 0)
    set(line 1)
    foreach(text IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(text MATCHES "kerova_${layer}([^a-z_]|$)")
        set(line ${number})
        break()
      endif()
    endforeach()
    message(FATAL_ERROR "${dir}/CMakeLists.txt:${line}: ${target} links kerova_${layer}, "
                        "which is not a layer below it (KEROVA_LAYERS, lowest first: ${KEROVA_LAYERS})")
  endforeach()
endfunction()

# kerova_enforce_layers(<target>...)
# Each library links only the layers below it (kerova_check_links), and
# before each target compiles, cmake/CheckLayers.cmake checks that its sources
# include headers only of its own folder and of the libraries it links, so an
# upward include fails the build with its file and line.
function(kerova_enforce_layers)
  set(src ${PROJECT_SOURCE_DIR}/src)
  file(GLOB folders LIST_DIRECTORIES true RELATIVE ${src} ${src}/*)
  set(known "")
  foreach(folder ${folders})
    if(IS_DIRECTORY ${src}/${folder})
      list(APPEND known ${folder})
    endif()
  endforeach()
  foreach(target ${ARGN})
    kerova_check_links(${target})
    kerova_linked_layers(${target} allowed)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH own ${src} ${dir})
    string(REGEX REPLACE "/.*" "" own "${own}")
    list(APPEND allowed ${own})
    get_target_property(files ${target} SOURCES)
    set(sources "")
    foreach(file ${files})
      get_filename_component(file ${file} ABSOLUTE BASE_DIR ${dir})
      if(EXISTS ${file})
        list(APPEND sources ${file})
      endif()
    endforeach()
    set(input ${PROJECT_BINARY_DIR}/layers/${target}.cmake)
    file(WRITE ${input} "set(TARGET ${target})\nset(SOURCES \"${sources}\")\n"
                        "set(ALLOWED \"${allowed}\")\nset(KNOWN \"${known}\")\nset(SRC ${src})\n")
    add_custom_target(${target}_layers
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -P ${KEROVA_CMAKE_DIR}/CheckLayers.cmake
      VERBATIM)
    add_dependencies(${target} ${target}_layers)
  endforeach()
endfunction()

# kerova_manual_pictures(<var>)
# The pictures docs/manual.md shows (![…](name.png)), as full paths: the help
# window builds them in and the package installs them beside the manual.
function(kerova_manual_pictures var)
  set(docs ${PROJECT_SOURCE_DIR}/docs)
  file(STRINGS ${docs}/manual.md lines ENCODING UTF-8 REGEX "!\\[.*\\]\\(.*\\.png\\)")
  set(pictures "")
  foreach(line ${lines})
    string(REGEX MATCHALL "\\]\\([^)]*\\.png\\)" found "${line}")
    foreach(picture ${found})
      string(REGEX REPLACE "^\\]\\((.*)\\)$" "\\1" picture "${picture}")
      list(APPEND pictures ${docs}/${picture})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES pictures)
  set(${var} ${pictures} PARENT_SCOPE)
endfunction()
