# The Win32 shell: resources, shell library, Tolvik.exe and the Wine helpers.
enable_language(RC)
# The version is set once, by project() in CMakeLists.txt; the header and the
# manifest that carry it are made from it.
set(TOLVIK_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/res/version.h.in ${TOLVIK_GENERATED_DIR}/res/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/src/res/tolvik.manifest.in ${TOLVIK_GENERATED_DIR}/res/tolvik.manifest @ONLY)
# The shipped pictures in data/ are built into the program as well.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/src/res -I${TOLVIK_GENERATED_DIR}/res -I${CMAKE_SOURCE_DIR}/data")
set(TOLVIK_BUILT_IN_PICTURES
  ${CMAKE_SOURCE_DIR}/data/Textures/BackgroundDialog.jpg
  ${CMAKE_SOURCE_DIR}/data/Textures/BackgroundButton.jpg
  ${CMAKE_SOURCE_DIR}/data/Textures/BackgroundMap.jpg
  ${CMAKE_SOURCE_DIR}/data/Zones/MissingMap.jpg)

add_library(tolvik_res OBJECT ${CMAKE_SOURCE_DIR}/src/res/tolvik.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/res/tolvik.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/tolvik.ico;${TOLVIK_GENERATED_DIR}/res/tolvik.manifest;${TOLVIK_GENERATED_DIR}/res/version.h;${CMAKE_SOURCE_DIR}/src/res/resource.h;${TOLVIK_BUILT_IN_PICTURES}")

add_library(tolvik_shell STATIC ${SHELL_SOURCES})
target_include_directories(tolvik_shell PUBLIC ${CMAKE_SOURCE_DIR}/src ${TOLVIK_GENERATED_DIR})
target_link_libraries(tolvik_shell PUBLIC tolvik_core
  gdiplus comctl32 comdlg32 shell32 ole32 shlwapi advapi32 gdi32 user32 kernel32 uuid ntdll)

add_executable(Tolvik WIN32 ${CMAKE_SOURCE_DIR}/src/app/winmain_win.cpp $<TARGET_OBJECTS:tolvik_res>)
target_link_libraries(Tolvik PRIVATE tolvik_shell)
if(MSVC)
  # Our own manifest is in the resources; the linker must not add one.
  target_link_options(Tolvik PRIVATE /MANIFEST:NO)
elseif(MINGW AND NOT CMAKE_CROSSCOMPILING)
  # One self-contained executable, as the cross build makes.
  target_link_options(Tolvik PRIVATE -static -static-libgcc -static-libstdc++)
endif()

# A hidden-window process that keeps Wine's background services alive for a
# whole test run, outside ctest's output pipes.
add_executable(wine-keeper WIN32 ${CMAKE_SOURCE_DIR}/tools/wine_keeper_win.cpp)
target_link_libraries(wine-keeper PRIVATE user32 kernel32)

# Helper used by the demo and the end-to-end tests to read windows from outside.
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/winprobe_win.cpp)
  add_executable(winprobe ${CMAKE_SOURCE_DIR}/tools/winprobe_win.cpp)
  target_link_libraries(winprobe PRIVATE user32 gdi32 kernel32)
endif()

# Whole-render timing of a big generated vector map, for the README figure.
add_executable(vector-render-time ${CMAKE_SOURCE_DIR}/tools/vector_render_time_win.cpp)
target_include_directories(vector-render-time PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(vector-render-time PRIVATE tolvik_shell)

# Picture load timing and peak memory, for the picture size limits.
add_executable(picture-load-time ${CMAKE_SOURCE_DIR}/tools/picture_load_time_win.cpp)
target_link_libraries(picture-load-time PRIVATE tolvik_shell psapi)
# Wheel notch repaint timing on a big picture, for the README figure.
add_executable(zoom-notch-time ${CMAKE_SOURCE_DIR}/tools/zoom_notch_time_win.cpp $<TARGET_OBJECTS:tolvik_res>)
target_include_directories(zoom-notch-time PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zoom-notch-time PRIVATE tolvik_shell)
