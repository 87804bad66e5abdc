# Shared build settings and the two helpers every folder uses.

set(KAVO_WARNINGS -Wall -Wextra -Wnon-virtual-dtor -Werror)
# Tests are held to the same warnings, as errors in the gcc build; the clang
# sanitizer build reports its own extra warnings on them without failing.
set(KAVO_TEST_WARNINGS ${KAVO_WARNINGS})
if(KAVO_FUZZ)
  list(REMOVE_ITEM KAVO_TEST_WARNINGS -Werror)
endif()

# Line tables only, unless asked for more: enough for backtraces, crash reports
# and sanitizer reports, and a fraction of the time full debug information
# costs to compile and link. The option comes after the build type's own -g.
option(KAVO_FULL_DEBUG_INFO "Full debug information in RelWithDebInfo builds" OFF)
if(NOT KAVO_FULL_DEBUG_INFO)
  add_compile_options($<$<CONFIG:RelWithDebInfo>:-g1>)
endif()

if(KAVO_SANITIZE OR KAVO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# With the fuzz targets, every library is also built with libFuzzer's coverage
# instrumentation, so one clang build serves both the sanitizer test run and
# the fuzz targets: only the targets link libFuzzer's driver (fuzz/).
if(KAVO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KAVO_FUZZ needs clang: CC=clang CXX=clang++ cmake ...")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# kavo_add_library(<target> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
# A static library whose headers are included from the repository root,
# as in #include "framework/util/buffer.h".
function(kavo_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${KAVO_WARNINGS})
  if(ARG_DEPS)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  endif()
  if(ARG_PRIVATE_DEPS)
    target_link_libraries(${target} PRIVATE ${ARG_PRIVATE_DEPS})
  endif()
endfunction()

# kavo_unity_test_sources(<target>)
# A test executable's sources are compiled a few at a time as one unit:
# each test file spends most of its compile time on the same headers
# (GoogleTest's and the subsystem's), which a unit reads once. So the
# helpers a test file defines for itself need names no other file of its
# executable uses, anonymous namespace or not.
function(kavo_unity_test_sources target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
endfunction()

# kavo_add_test(<name> SOURCES ... [DEPS ...] [COST <n>])
# One GoogleTest executable registered test by test with CTest. COST marks
# an executable of long tests: a parallel ctest starts the costliest first,
# so that they do not end the run on one busy core while the others idle.
function(kavo_add_test name)
  cmake_parse_arguments(ARG "" "COST" "SOURCES;DEPS" ${ARGN})
  set(cost 0)
  if(ARG_COST)
    set(cost ${ARG_COST})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  kavo_unity_test_sources(${name})
  target_compile_options(${name} PRIVATE ${KAVO_TEST_WARNINGS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KAVO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data" COST ${cost})
endfunction()
