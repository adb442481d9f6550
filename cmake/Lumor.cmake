# Helpers shared by every folder: warnings, sanitizers, libraries and tests.

# Where tests find their reference data (Jet corpus, oracle goldens, Jackcess): tests/data.
set(LUMOR_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")
if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Under Wine the Unix root is drive Z:.
  string(REPLACE "/" "\\\\" LUMOR_TEST_DATA_DIR_NATIVE "Z:${LUMOR_TEST_DATA_DIR}")
  string(REPLACE "/" "\\\\" LUMOR_SOURCE_DIR_NATIVE "Z:${PROJECT_SOURCE_DIR}")
else()
  set(LUMOR_TEST_DATA_DIR_NATIVE "${LUMOR_TEST_DATA_DIR}")
  set(LUMOR_SOURCE_DIR_NATIVE "${PROJECT_SOURCE_DIR}")
endif()

function(lumor_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
      -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
  endif()
endfunction()

if(LUMOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every library for coverage; only the fuzz targets link libFuzzer.
if(LUMOR_LIBFUZZER)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Fat LTO objects: bytecode for the stub's link (cmake/mingw-common.cmake), ordinary code for
# every other program's, told by -fno-lto not to optimise across files (the linker plugin
# would otherwise take the bytecode).
if(LUMOR_STUB_LTO)
  add_compile_options(-flto -ffat-lto-objects)
  add_link_options($<$<NOT:$<BOOL:$<TARGET_PROPERTY:LUMOR_LTO_LINK>>>:-fno-lto>)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # No link time in the PE header: the same sources link to the same bytes, so installers built
  # twice from one commit are identical.
  if(NOT MSVC)
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
endif()

# lumor_library(NAME SOURCES ... [DEPS ...]): a static library of our own code.
function(lumor_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  lumor_warnings(${name})
endfunction()

# Which suite this build runs, for the skipped checks' allow-list (tests/allowed_skips.txt).
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LUMOR_SUITE_PLATFORM win64)
  else()
    set(LUMOR_SUITE_PLATFORM win32)
  endif()
elseif(LUMOR_SANITIZE)
  set(LUMOR_SUITE_PLATFORM linux-asan)
else()
  set(LUMOR_SUITE_PLATFORM linux)
endif()

# Every GoogleTest program leaves an XML report here; the CTest fixture `test_reports` clears
# the folder before a run and `skipped_checks` (tests/CMakeLists.txt) reads it afterwards, so
# a check that skipped is counted and named even though its program passed.
set(LUMOR_TEST_REPORTS "${CMAKE_BINARY_DIR}/test-reports")
if(WIN32 AND CMAKE_CROSSCOMPILING)
  string(REPLACE "/" "\\" LUMOR_TEST_REPORTS_NATIVE "Z:${LUMOR_TEST_REPORTS}")
  # Jet files written under Wine, for tests/windows_written_catalogs.sh.
  set(LUMOR_KEPT_JET "${CMAKE_BINARY_DIR}/kept-jet")
  string(REPLACE "/" "\\" LUMOR_KEPT_JET_NATIVE "Z:${LUMOR_KEPT_JET}")
else()
  set(LUMOR_TEST_REPORTS_NATIVE "${LUMOR_TEST_REPORTS}")
endif()

# lumor_test(NAME SOURCES ... [DEPS ...]): one GoogleTest executable, one CTest entry.
# Under a cross build CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine). One entry per
# program rather than per check: each Wine start costs a second, and suites with an expensive
# SetUpTestSuite would repeat it per check.
function(lumor_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} lumor_testsupport GTest::gtest_main GTest::gmock)
  lumor_warnings(${name})
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(report "${LUMOR_TEST_REPORTS_NATIVE}\\${name}.xml")
  else()
    set(report "${LUMOR_TEST_REPORTS_NATIVE}/${name}.xml")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no "--gtest_output=xml:${report}")
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 900)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} FIXTURES_REQUIRED test_reports)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # The Jet files checked here are read by the outside readers on Linux afterwards.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "LUMOR_KEPT_JET=${LUMOR_KEPT_JET_NATIVE}")
  endif()
endfunction()
