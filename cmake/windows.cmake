# Windows build: orvelle.scr, the staged program folder, the Wine test driver and benchmarks.
if(NOT MSVC)
  set(ORVELLE_STATIC_LINK -static -static-libgcc -static-libstdc++)
endif()
set(ORVELLE_WIN_LIBS user32 gdi32 comctl32 comdlg32 winmm ole32 oleaut32 windowscodecs shell32
    advapi32 uuid shlwapi uxtheme)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(ORVELLE_WIN_LIB_SOURCES ${ORVELLE_WIN_SOURCES})
list(FILTER ORVELLE_WIN_LIB_SOURCES EXCLUDE REGEX "/src/main_win\\.cpp$")
add_library(orvelle_win STATIC ${ORVELLE_WIN_LIB_SOURCES})
target_link_libraries(orvelle_win PUBLIC orvelle_core ${ORVELLE_WIN_LIBS})

add_executable(orvelle WIN32 src/main_win.cpp resources/orvelle.rc)
# The resource compiler's dependency scan sees included files, not the pictures they name.
file(GLOB ORVELLE_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/toolbars/*.bmp)
list(APPEND ORVELLE_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/orvelle.ico
     ${CMAKE_SOURCE_DIR}/resources/orvelle.manifest ${CMAKE_SOURCE_DIR}/resources/preview.gif)
set_source_files_properties(resources/orvelle.rc PROPERTIES OBJECT_DEPENDS "${ORVELLE_RESOURCE_FILES}")
target_link_libraries(orvelle PRIVATE orvelle_win)
target_link_options(orvelle PRIVATE ${ORVELLE_STATIC_LINK})
set_target_properties(orvelle PROPERTIES SUFFIX ".scr")

# The installed program folder: the program beside its INI files, themes and pictures.
set(ORVELLE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/program)
add_custom_target(program_folder ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVELLE_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/program ${ORVELLE_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:orvelle> ${ORVELLE_PROGRAM_DIR}/
  DEPENDS orvelle
  COMMENT "Staging the program folder in ${ORVELLE_PROGRAM_DIR}")

# What the test programs and the benchmarks share: picture files through the system's codecs.
add_library(orvelle_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/picture_files_win.cpp)
target_include_directories(orvelle_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(orvelle_test_support PUBLIC orvelle_win)

# The Wine test driver: GoogleTest from Debian's sources, built for Windows.
option(ORVELLE_WINE_TESTS "Build the Windows test driver (run under Wine)" ON)
if(ORVELLE_WINE_TESTS AND NOT MSVC AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB ORVELLE_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
  add_executable(orvelle_wine_tests ${ORVELLE_WINE_TESTS})
  target_include_directories(orvelle_wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
  # version: the installer tests read the program's version resource as Explorer does.
  target_link_libraries(orvelle_wine_tests PRIVATE orvelle_win orvelle_test_support version gtest
                                                   gtest_main)
  target_link_options(orvelle_wine_tests PRIVATE ${ORVELLE_STATIC_LINK})
  target_compile_definitions(orvelle_wine_tests PRIVATE
    ORVELLE_PROGRAM_DIR="${ORVELLE_PROGRAM_DIR}"
    ORVELLE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(orvelle_wine_tests program_folder)
  # The editor window as designed, with nothing behind its controls, for the tests of its layout:
  # a test program of its own, so that the product holds no switch for it.
  add_executable(orvelle_design_window WIN32
    ${CMAKE_SOURCE_DIR}/tests/wine/design_window/design_window_win.cpp resources/orvelle.rc)
  target_link_libraries(orvelle_design_window PRIVATE orvelle_win)
  target_link_options(orvelle_design_window PRIVATE ${ORVELLE_STATIC_LINK})
  add_dependencies(orvelle_wine_tests orvelle_design_window)
  target_compile_definitions(orvelle_wine_tests PRIVATE
    ORVELLE_DESIGN_WINDOW="$<TARGET_FILE:orvelle_design_window>")
  include(GoogleTest)
  # Listed from the sources, not by running the driver: starting Wine at build time is slow.
  gtest_add_tests(TARGET orvelle_wine_tests TEST_LIST ORVELLE_WINE_TEST_LIST)
  set_tests_properties(${ORVELLE_WINE_TEST_LIST} PROPERTIES TIMEOUT 180 RUN_SERIAL ON)
endif()

file(GLOB ORVELLE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_win.cpp)
foreach(bench_src ${ORVELLE_BENCHES})
  get_filename_component(bench_name ${bench_src} NAME_WE)
  add_executable(${bench_name} ${bench_src})
  target_link_libraries(${bench_name} PRIVATE orvelle_win orvelle_test_support)
  target_link_options(${bench_name} PRIVATE ${ORVELLE_STATIC_LINK})
endforeach()
