# GoogleTest: Debian's package natively, built from Debian's sources for Windows.
# On Windows itself, an installed GoogleTest is used when there is one; without
# one the tests are skipped and the program still builds.
if(WIN32 AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(GTEST_LIBS gtest gtest_main)
  set(DISCOVERY PRE_TEST)
elseif(WIN32)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(STATUS "GoogleTest not found: tests are not built")
    return()
  endif()
  set(GTEST_LIBS GTest::gtest GTest::gtest_main)
  set(DISCOVERY PRE_TEST)
else()
  find_package(GTest REQUIRED)
  set(GTEST_LIBS GTest::gtest GTest::gtest_main)
  set(DISCOVERY POST_BUILD)
endif()
include(GoogleTest)

# Where the committed shipping data lives, as the test program sees it.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Under Wine, drive Z: is the root of the build machine.
  string(REPLACE "/" "\\\\" TOLVIK_DATA_DIR_NATIVE "Z:${CMAKE_SOURCE_DIR}/data")
elseif(WIN32)
  string(REPLACE "/" "\\\\" TOLVIK_DATA_DIR_NATIVE "${CMAKE_SOURCE_DIR}/data")
else()
  set(TOLVIK_DATA_DIR_NATIVE "${CMAKE_SOURCE_DIR}/data")
endif()

file(GLOB_RECURSE ALL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
set(CORE_TEST_SOURCES ${ALL_TEST_SOURCES})
list(FILTER CORE_TEST_SOURCES EXCLUDE REGEX "_win(_test)?\\.cpp$")
set(WIN_TEST_SOURCES ${ALL_TEST_SOURCES})
list(FILTER WIN_TEST_SOURCES INCLUDE REGEX "_win(_test)?\\.cpp$")
set(E2E_TEST_SOURCES ${WIN_TEST_SOURCES})
list(FILTER E2E_TEST_SOURCES INCLUDE REGEX "/tests/e2e/")
list(FILTER WIN_TEST_SOURCES EXCLUDE REGEX "/tests/e2e/")
# Shared test helpers used by the Windows test programs.
set(WIN_SUPPORT_SOURCES ${WIN_TEST_SOURCES})
list(FILTER WIN_SUPPORT_SOURCES INCLUDE REGEX "/tests/support/")
list(FILTER WIN_TEST_SOURCES EXCLUDE REGEX "/tests/support/")

add_executable(tolvik_core_tests ${CORE_TEST_SOURCES})
target_link_libraries(tolvik_core_tests PRIVATE tolvik_core ${GTEST_LIBS})
target_include_directories(tolvik_core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(tolvik_core_tests PRIVATE TOLVIK_DATA_DIR="${TOLVIK_DATA_DIR_NATIVE}")
gtest_discover_tests(tolvik_core_tests DISCOVERY_MODE ${DISCOVERY} DISCOVERY_TIMEOUT 120
  TEST_PREFIX "core." PROPERTIES TIMEOUT 300)

if(WIN32)
  add_executable(tolvik_win_tests ${WIN_TEST_SOURCES} ${WIN_SUPPORT_SOURCES} $<TARGET_OBJECTS:tolvik_res>)
  target_link_libraries(tolvik_win_tests PRIVATE tolvik_shell ${GTEST_LIBS})
  target_include_directories(tolvik_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(tolvik_win_tests PRIVATE TOLVIK_DATA_DIR="${TOLVIK_DATA_DIR_NATIVE}")
  gtest_discover_tests(tolvik_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "win." PROPERTIES RESOURCE_LOCK desktop TIMEOUT 120)

  if(E2E_TEST_SOURCES)
    add_executable(tolvik_e2e_tests ${E2E_TEST_SOURCES})
    target_link_libraries(tolvik_e2e_tests PRIVATE tolvik_core ${GTEST_LIBS} user32 gdi32 kernel32 shell32)
    target_include_directories(tolvik_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(tolvik_e2e_tests PRIVATE TOLVIK_DATA_DIR="${TOLVIK_DATA_DIR_NATIVE}")
    add_dependencies(tolvik_e2e_tests Tolvik)
    gtest_discover_tests(tolvik_e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      TEST_PREFIX "e2e." PROPERTIES RESOURCE_LOCK desktop TIMEOUT 180)
  endif()
endif()
