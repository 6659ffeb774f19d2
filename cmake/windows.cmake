# Cross build: the Windows program, linked statically so that the one file runs on
# any Windows 10/11 machine, and the Windows test executables run under Wine.
enable_language(RC)

glimmerix_core_library(glimmerix_core)

# These DLLs are loaded at their first call, not at start-up: under Wine, importing
# comdlg32 brings COM and its other dependencies into every start (about 40 ms), and
# winmm brings COM and the audio compression manager. Only the open dialog and the
# workers' timers need them, the defect report setupapi and advapi32 (the monitor's
# EDID), the refresh pacer dwmapi. cmake/delayed_<dll>.def lists the functions taken from each.
set(GLIMMERIX_DELAYED_DLLS comdlg32 winmm setupapi advapi32 dwmapi)
if(MSVC)
    set(GLIMMERIX_DELAYED_LIBS ${GLIMMERIX_DELAYED_DLLS} delayimp)
    list(TRANSFORM GLIMMERIX_DELAYED_DLLS REPLACE "(.+)" "/DELAYLOAD:\\1.dll"
        OUTPUT_VARIABLE GLIMMERIX_DELAYED_LINK_OPTIONS)
else()
    set(GLIMMERIX_DELAYED_LIBS)
    foreach(dll ${GLIMMERIX_DELAYED_DLLS})
        set(def ${PROJECT_SOURCE_DIR}/cmake/delayed_${dll}.def)
        set(lib ${PROJECT_BINARY_DIR}/lib${dll}_delayed.a)
        add_custom_command(OUTPUT ${lib}
            COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll
                --output-delaylib ${lib}
            DEPENDS ${def})
        list(APPEND GLIMMERIX_DELAYED_LIBS ${lib})
    endforeach()
    add_custom_target(delayed_imports DEPENDS ${GLIMMERIX_DELAYED_LIBS})
endif()
set(GLIMMERIX_WIN_LIBS user32 gdi32 shell32 ${GLIMMERIX_DELAYED_LIBS})
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
if(TARGET delayed_imports)
    add_dependencies(glimmerix_win delayed_imports)
endif()

set(GLIMMERIX_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The release program is compiled for size: -O3 made the defect report's page and its
# file writer alone about 100 KB of inlined string code. The sources that touch every
# pixel of a picture, flash or copy block, or decode and build the catalogue at start-up
# keep their -O3 speed; they are small.
if(NOT MSVC)
    set(GLIMMERIX_SIZE_OPTIONS $<$<CONFIG:Release>:-Os>)
    target_compile_options(glimmerix_core PRIVATE ${GLIMMERIX_SIZE_OPTIONS})
    if(GLIMMERIX_WIN_SOURCES)
        target_compile_options(glimmerix_win PRIVATE ${GLIMMERIX_SIZE_OPTIONS})
    endif()
    set_source_files_properties(
        screens/picture.cpp screens/ringed_picture.cpp screens/source_image.cpp
        screens/random.cpp screens/repair_colours.cpp screens/win/painter.cpp
        screens/win/repair_worker.cpp screens/win/throughput_worker.cpp
        text/lzari.cpp text/lzari_model.cpp text/catalog.cpp
        PROPERTIES COMPILE_OPTIONS $<$<CONFIG:Release>:-O3>)
endif()

# The version resource takes its numbers from project(); plain numbers, no quoted
# strings, since windres hands definitions on through a shell of its own.
set_source_files_properties(data/glimmerix.rc PROPERTIES COMPILE_DEFINITIONS
    "GLIMMERIX_VERSION=${PROJECT_VERSION};GLIMMERIX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};GLIMMERIX_VERSION_MINOR=${PROJECT_VERSION_MINOR}")

if(EXISTS ${PROJECT_SOURCE_DIR}/app/win/entry.cpp)
    add_executable(Glimmerix WIN32 app/win/entry.cpp app/win/terminate_handler.cpp
        $<TARGET_OBJECTS:glimmerix_catalog_block> data/glimmerix.rc)
    target_link_libraries(Glimmerix PRIVATE glimmerix_win)
    target_compile_options(Glimmerix PRIVATE ${GLIMMERIX_SIZE_OPTIONS})
    # No link time in the header: the same sources give the same program file. No
    # debug sections either (the static runtime libraries bring about 600 KB): the
    # loader reads every section of the image at each start, about 10 ms under Wine.
    # The symbol table stays for backtraces; the release package strips it too.
    # Sections nothing refers to are dropped: the GUID of every shell interface that
    # <initguid.h> defines, the runtime's unused type descriptions (about 22 KB).
    target_link_options(Glimmerix PRIVATE ${GLIMMERIX_STATIC_LINK} -municode
        -Wl,--no-insert-timestamp -Wl,--strip-debug -Wl,--gc-sections)
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

# Timing programs that run under Wine (painter, flashes, throughput); not tests. Linked
# like the program, without debug sections, so that the start-up baselines load as it does.
file(GLOB WINDOWS_BENCH_SOURCES CONFIGURE_DEPENDS bench/windows/*.cpp)
foreach(source ${WINDOWS_BENCH_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    add_executable(${stem} ${source} $<TARGET_OBJECTS:glimmerix_catalog_block>)
    target_link_libraries(${stem} PRIVATE glimmerix_win)
    target_link_options(${stem} PRIVATE ${GLIMMERIX_STATIC_LINK} -Wl,--strip-debug)
endforeach()
