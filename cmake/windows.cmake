# Cross build: the Windows program, linked statically so that the one file runs on
# any Windows 10/11 machine, and the Windows test executables run under Wine.
enable_language(RC)

glimmerix_core_library(glimmerix_core)

# comdlg32 is loaded at its first call, not at start-up: importing it brings COM and
# its other dependencies into every start (about 40 ms under Wine) although only the
# translation import's open dialog needs it.
if(MSVC)
    set(GLIMMERIX_DELAYED_LIBS comdlg32 delayimp)
    set(GLIMMERIX_DELAYED_LINK_OPTIONS /DELAYLOAD:comdlg32.dll)
else()
    set(COMDLG32_DELAYED ${PROJECT_BINARY_DIR}/libcomdlg32_delayed.a)
    add_custom_command(OUTPUT ${COMDLG32_DELAYED}
        COMMAND ${CMAKE_DLLTOOL} --input-def ${PROJECT_SOURCE_DIR}/cmake/comdlg32_delayed.def
            --dllname comdlg32.dll --output-delaylib ${COMDLG32_DELAYED}
        DEPENDS ${PROJECT_SOURCE_DIR}/cmake/comdlg32_delayed.def)
    add_custom_target(comdlg32_delayed DEPENDS ${COMDLG32_DELAYED})
    set(GLIMMERIX_DELAYED_LIBS ${COMDLG32_DELAYED})
endif()
set(GLIMMERIX_WIN_LIBS user32 gdi32 shell32 winmm ${GLIMMERIX_DELAYED_LIBS})
# A library needs sources; until the Windows layer has some, carry its settings alone.
if(GLIMMERIX_WIN_SOURCES)
    add_library(glimmerix_win STATIC ${GLIMMERIX_WIN_SOURCES})
    set(GLIMMERIX_WIN_SCOPE PUBLIC)
else()
    add_library(glimmerix_win INTERFACE)
    set(GLIMMERIX_WIN_SCOPE INTERFACE)
endif()
target_compile_definitions(glimmerix_win ${GLIMMERIX_WIN_SCOPE}
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(glimmerix_win ${GLIMMERIX_WIN_SCOPE} glimmerix_core ${GLIMMERIX_WIN_LIBS})
target_link_options(glimmerix_win ${GLIMMERIX_WIN_SCOPE} ${GLIMMERIX_DELAYED_LINK_OPTIONS})
if(TARGET comdlg32_delayed)
    add_dependencies(glimmerix_win comdlg32_delayed)
endif()

set(GLIMMERIX_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The version resource takes its numbers from project(); plain numbers, no quoted
# strings, since windres hands definitions on through a shell of its own.
set_source_files_properties(data/glimmerix.rc PROPERTIES COMPILE_DEFINITIONS
    "GLIMMERIX_VERSION=${PROJECT_VERSION};GLIMMERIX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};GLIMMERIX_VERSION_MINOR=${PROJECT_VERSION_MINOR}")

if(EXISTS ${PROJECT_SOURCE_DIR}/app/win/entry.cpp)
    add_executable(Glimmerix WIN32 app/win/entry.cpp
        $<TARGET_OBJECTS:glimmerix_catalog_block> data/glimmerix.rc)
    target_link_libraries(Glimmerix PRIVATE glimmerix_win)
    # No link time in the header: the same sources give the same program file.
    target_link_options(Glimmerix PRIVATE ${GLIMMERIX_STATIC_LINK} -municode
        -Wl,--no-insert-timestamp)
endif()

# GoogleTest from Debian's source package, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# support/ holds the aids the test files share.
file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS tests/windows/*.cpp
    tests/windows/support/*.cpp)
if(WINDOWS_TEST_SOURCES)
    # The program's resources, so its manifest (DPI awareness) applies here too.
    add_executable(windows_tests ${WINDOWS_TEST_SOURCES}
        $<TARGET_OBJECTS:glimmerix_catalog_block> data/glimmerix.rc)
    target_link_libraries(windows_tests PRIVATE glimmerix_win gtest gtest_main)
    target_link_options(windows_tests PRIVATE ${GLIMMERIX_STATIC_LINK})
    add_test(NAME windows_tests COMMAND windows_tests)
    set_tests_properties(windows_tests PROPERTIES LABELS windows TIMEOUT 600)
endif()

# Timing programs that run under Wine (painter, flashes, throughput); not tests.
file(GLOB WINDOWS_BENCH_SOURCES CONFIGURE_DEPENDS bench/windows/*.cpp)
foreach(source ${WINDOWS_BENCH_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    add_executable(${stem} ${source} $<TARGET_OBJECTS:glimmerix_catalog_block>)
    target_link_libraries(${stem} PRIVATE glimmerix_win)
    target_link_options(${stem} PRIVATE ${GLIMMERIX_STATIC_LINK})
endforeach()
