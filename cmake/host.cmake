# Native build: the portable core under sanitizers, its unit tests, fuzz targets,
# benchmarks and the end-to-end driver that runs the Windows program under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

set(GLIMMERIX_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

glimmerix_core_library(glimmerix_core_san)
target_compile_options(glimmerix_core_san PUBLIC ${GLIMMERIX_SANITIZERS})
target_link_options(glimmerix_core_san PUBLIC ${GLIMMERIX_SANITIZERS})

add_library(glimmerix_catalog_block_san OBJECT ${CATALOG_CPP})
add_dependencies(glimmerix_catalog_block_san glimmerix_catalog_generate)
target_compile_options(glimmerix_catalog_block_san PRIVATE ${GLIMMERIX_SANITIZERS})

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE glimmerix_core_san glimmerix_catalog_block_san
    GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE
    GLIMMERIX_UNIT_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/unit/data")
gtest_discover_tests(unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# Fuzz targets need clang's libFuzzer; each gets a short bounded run in ctest.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    glimmerix_core_library(glimmerix_core_fuzz)
    target_compile_options(glimmerix_core_fuzz PUBLIC -fsanitize=fuzzer-no-link,address,undefined)
    add_library(glimmerix_catalog_block_fuzz OBJECT ${CATALOG_CPP})
    add_dependencies(glimmerix_catalog_block_fuzz glimmerix_catalog_generate)
    target_compile_options(glimmerix_catalog_block_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*.cpp)
    foreach(source ${FUZZ_SOURCES})
        get_filename_component(stem ${source} NAME_WE)
        add_executable(${stem} ${source})
        target_link_libraries(${stem} PRIVATE glimmerix_core_fuzz glimmerix_catalog_block_fuzz)
        target_link_options(${stem} PRIVATE -fsanitize=fuzzer,address,undefined)
        add_test(NAME ${stem} COMMAND ${stem} -max_total_time=10 -rss_limit_mb=2048
                 -print_final_stats=0)
        set_tests_properties(${stem} PROPERTIES LABELS fuzz TIMEOUT 120)
    endforeach()
endif()

find_package(benchmark REQUIRED)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(BENCH_SOURCES)
    add_executable(glimmerix_bench ${BENCH_SOURCES})
    target_link_libraries(glimmerix_bench PRIVATE glimmerix_core glimmerix_catalog_block
        benchmark::benchmark benchmark::benchmark_main)
endif()

# End-to-end tests: the real Glimmerix.exe under Wine in a private Xvfb.
find_package(X11)
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(E2E_SOURCES AND X11_FOUND AND X11_XTest_FOUND AND X11_Xrandr_FOUND)
    # The harness (X server, Wine prefix, process, captures) once, for the tests, the
    # start-up timing and the README's pictures.
    set(E2E_HARNESS_SOURCES ${E2E_SOURCES})
    list(FILTER E2E_HARNESS_SOURCES EXCLUDE REGEX "_test\\.cpp$")
    set(E2E_TEST_SOURCES ${E2E_SOURCES})
    list(FILTER E2E_TEST_SOURCES INCLUDE REGEX "_test\\.cpp$")
    add_library(e2e_harness STATIC ${E2E_HARNESS_SOURCES})
    target_link_libraries(e2e_harness PUBLIC glimmerix_core X11::X11 X11::Xtst X11::Xrandr)

    add_executable(e2e_tests ${E2E_TEST_SOURCES})
    target_link_libraries(e2e_tests PRIVATE e2e_harness GTest::gtest GTest::gtest_main)
    gtest_discover_tests(e2e_tests PROPERTIES LABELS e2e TIMEOUT 180 DISCOVERY_TIMEOUT 60)

    # Start-up timing on the same harness (scripts/bench-startup).
    add_executable(startup_bench bench/e2e/startup_bench.cpp)
    target_link_libraries(startup_bench PRIVATE e2e_harness)

    # The README's pictures, made on the same harness (scripts/screenshots).
    find_package(ZLIB)
    if(ZLIB_FOUND)
        add_executable(screenshots tools/screenshots.cpp)
        target_link_libraries(screenshots PRIVATE e2e_harness ZLIB::ZLIB)
    endif()
endif()
