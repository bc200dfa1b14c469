# Fuzz targets. With TOLVIK_FUZZ (clang) each becomes a libFuzzer binary; in the
# ordinary native builds each is linked with a small driver that replays the
# committed corpus, so the targets stay compiled and their seeds keep passing.
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
if(WIN32)
  return()
endif()
foreach(f IN LISTS FUZZ_SOURCES)
  get_filename_component(name ${f} NAME_WE)
  if(TOLVIK_FUZZ)
    add_executable(${name} ${f})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE tolvik_core)
  elseif(BUILD_TESTING)
    add_executable(${name}_replay ${f} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE tolvik_core)
    add_test(NAME fuzz.${name}.corpus COMMAND ${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
endforeach()
