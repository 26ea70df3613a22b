# Layers. The root CMakeLists.txt states every folder's level once (TESS_LAYERS). A library takes
# the level of the folder that makes it and may link only libraries of a lower level; a folder may
# include only headers of lower levels, of its own folder, or of a folder of its level that holds it
# or that it holds.
#
# tess_library(NAME SOURCES ... LINKS ...) makes a library of the calling folder.
# tess_folder(TARGET <library> SOURCES ...) adds the calling folder's sources to a library made
# elsewhere, of the same level.
#
# The link lists are checked once every folder has been added (a library can get links from
# other folders, and a dependency added later is a target by then); the includes are checked by
# the test layer_includes over the folder levels written to layers.txt in the build folder.

function(tess_folder_level folder level)
  set_property(GLOBAL APPEND PROPERTY TESS_FOLDER_LEVELS "${folder}=${level}")
endfunction()

# The level of the calling folder, from the table; a folder the table leaves out is an error, so
# that no code escapes the layer checks.
function(tess_this_folder_level out)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  tess_level_of(${folder} level)
  set(${out} ${level} PARENT_SCOPE)
endfunction()

# The level of a folder: its own entry in the table, else that of the nearest folder holding it.
function(tess_level_of folder out)
  get_property(levels GLOBAL PROPERTY TESS_FOLDER_LEVELS)
  set(dir ${folder})
  while(NOT dir STREQUAL "")
    foreach(entry IN LISTS levels)
      if(entry MATCHES "^${dir}=([0-9]+)$")
        set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
        return()
      endif()
    endforeach()
    get_filename_component(dir ${dir} DIRECTORY)
  endwhile()
  message(FATAL_ERROR "${folder}/ has no level in TESS_LAYERS (CMakeLists.txt)")
endfunction()

function(tess_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS;PUBLIC_LINKS" ${ARGN})
  tess_this_folder_level(level)
  add_library(${name} STATIC ${ARG_SOURCES})
  set_property(TARGET ${name} PROPERTY TESS_LEVEL ${level})
  set_property(GLOBAL APPEND PROPERTY TESS_LIBRARIES ${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  tess_fuzz_coverage(${name})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} ${ARG_PUBLIC_LINKS})
endfunction()

# In the fuzz build every library is built with libFuzzer's coverage, so the fuzzer sees the edges
# of the code it tests and not only those of its own file; what links them gets the runtime part.
function(tess_fuzz_coverage name)
  if(TESS_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
    target_link_options(${name} INTERFACE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

function(tess_folder)
  cmake_parse_arguments(ARG "" "TARGET" "SOURCES" ${ARGN})
  get_property(library_level TARGET ${ARG_TARGET} PROPERTY TESS_LEVEL)
  tess_this_folder_level(level)
  if(NOT level EQUAL library_level)
    message(FATAL_ERROR "a folder of level ${level} adds sources to ${ARG_TARGET} of level ${library_level}")
  endif()
  target_sources(${ARG_TARGET} PRIVATE ${ARG_SOURCES})
endfunction()

# Whether a library of the given level may link dep. A library of ours must be of a lower level.
# Qt may be used from the platform layer up, Qt Widgets from the shared widgets up.
# Anything else (the C++ and system libraries, zlib, the audio libraries) is not checked here.
function(tess_link_allowed level dep out)
  set(allowed TRUE)
  set(dep_level "")
  if(TARGET ${dep})
    get_property(dep_level TARGET ${dep} PROPERTY TESS_LEVEL)
  endif()
  if(NOT "${dep_level}" STREQUAL "")
    if(NOT dep_level LESS level)
      set(allowed FALSE)
    endif()
  else()
    tess_level_of(ui widgets_level)
    tess_level_of(platform qt_level)
    if(dep MATCHES "^Qt6::Widgets$" AND level LESS widgets_level)
      set(allowed FALSE)
      set(dep_level "${widgets_level}, the shared widgets")
    elseif(dep MATCHES "^Qt6::" AND level LESS qt_level)
      set(allowed FALSE)
      set(dep_level "${qt_level}, the platform")
    endif()
  endif()
  set(${out} ${allowed} PARENT_SCOPE)
  set(${out}_level "${dep_level}" PARENT_SCOPE)
endfunction()

function(tess_check_links)
  get_property(libraries GLOBAL PROPERTY TESS_LIBRARIES)
  set(errors "")
  foreach(lib IN LISTS libraries)
    get_property(level TARGET ${lib} PROPERTY TESS_LEVEL)
    get_property(links TARGET ${lib} PROPERTY LINK_LIBRARIES)
    get_property(interface TARGET ${lib} PROPERTY INTERFACE_LINK_LIBRARIES)
    list(APPEND links ${interface})
    list(REMOVE_DUPLICATES links)
    foreach(dep IN LISTS links)
      # Entries that target_link_libraries from another folder wraps in ::@ markers.
      string(REGEX REPLACE "^::@\\(.*\\)$" "" dep "${dep}")
      string(REGEX REPLACE "^::@" "" dep "${dep}")
      if(dep STREQUAL "" OR dep MATCHES "^\\$<")
        continue()
      endif()
      tess_link_allowed(${level} ${dep} allowed)
      if(NOT allowed)
        string(APPEND errors "\n  ${lib} (level ${level}) links ${dep} (level ${allowed_level})")
      endif()
    endforeach()
  endforeach()
  if(errors)
    message(FATAL_ERROR "A library links one of its own or a higher level:${errors}")
  endif()
  # The folder levels for the include test.
  get_property(levels GLOBAL PROPERTY TESS_FOLDER_LEVELS)
  list(JOIN levels "\n" text)
  file(WRITE ${PROJECT_BINARY_DIR}/layers.txt "${text}\n")
endfunction()

# Runs the check when the top folder is done, after every add_subdirectory.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tess_check_links)

# tess_test(NAME SOURCES ... LINKS ...): one GoogleTest program per library.
function(tess_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TESS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                            TESS_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  # The tests keep their settings in the build tree: what an author's editor registered (a runtime
  # package, the last project) must not change what a test sees, and no test writes over it.
  set(env "TESS_TEST=1" "XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/test-settings")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()
