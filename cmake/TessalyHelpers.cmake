# tess_library(NAME LEVEL <n> SOURCES ... LINKS ...)
# Every library states its layer. A library may link only libraries of a lower layer; the check
# below makes a wrong-direction dependency a configure error instead of a silent include.
function(tess_library name)
  cmake_parse_arguments(ARG "" "LEVEL" "SOURCES;LINKS;PUBLIC_LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_property(TARGET ${name} PROPERTY TESS_LEVEL ${ARG_LEVEL})
  set_property(GLOBAL APPEND PROPERTY TESS_LIBRARIES ${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  tess_fuzz_coverage(${name})
  foreach(dep IN LISTS ARG_LINKS ARG_PUBLIC_LINKS)
    if(TARGET ${dep})
      get_property(dep_level TARGET ${dep} PROPERTY TESS_LEVEL)
      if(NOT "${dep_level}" STREQUAL "" AND NOT dep_level LESS_EQUAL ARG_LEVEL)
        message(FATAL_ERROR "${name} (layer ${ARG_LEVEL}) may not use ${dep} (layer ${dep_level})")
      endif()
    endif()
  endforeach()
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

# tess_test(NAME SOURCES ... LINKS ...): one GoogleTest program per library.
function(tess_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TESS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                            TESS_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set(env "TESS_TEST=1")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()
