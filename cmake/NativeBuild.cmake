# Native build: the portable core's GoogleTest suite (under sanitizers) and its benchmarks.
option(HUEWRIGHT_SANITIZE "Build the core and its tests with AddressSanitizer and UBSan" ON)
option(HUEWRIGHT_BENCHMARKS "Build the Google Benchmark programs" ON)

if(HUEWRIGHT_SANITIZE)
    set(sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_compile_options(huewright_core PUBLIC ${sanitizers})
    target_link_options(huewright_core PUBLIC ${sanitizers})
endif()

# The library's files over POSIX calls, for the command line and the benchmarks.
add_library(huewright_posix STATIC cli/PosixLibraryFiles.cpp)
target_link_libraries(huewright_posix PUBLIC huewright_core)
target_sources(huewright_cli PRIVATE cli/OutputFile.cpp cli/PosixCliFiles.cpp)
target_link_libraries(huewright_cli PUBLIC huewright_posix)
add_executable(huewright-cli cli/CliMain.cpp)
target_link_libraries(huewright-cli PRIVATE huewright_cli)
install(TARGETS huewright-cli RUNTIME DESTINATION bin)

option(HUEWRIGHT_TESTS "Build the GoogleTest suite" ON)
if(NOT HUEWRIGHT_TESTS)
    return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(core_tests
    tests/core/AboutTextsTest.cpp
    tests/core/AccessibleTextsTest.cpp
    tests/core/CliTest.cpp
    tests/core/ColorEntryTest.cpp
    tests/core/ColorFormatTest.cpp
    tests/core/ColorMathTest.cpp
    tests/core/ColorNotationTest.cpp
    tests/core/ContrastFixesTest.cpp
    tests/core/ContrastTest.cpp
    tests/core/CssColorTest.cpp
    tests/core/FieldRendererTest.cpp
    tests/core/FontDescriptionTest.cpp
    tests/core/PaletteLibraryTest.cpp
    tests/core/PaletteExchangeTest.cpp
    tests/core/PaletteChecksTest.cpp
    tests/core/PaletteOperationsTest.cpp
    tests/core/RollbackJournalTest.cpp
    tests/core/SelectorAxesTest.cpp
    tests/core/SettingsValuesTest.cpp
    tests/core/ShadesTest.cpp
    tests/core/ShadeBitmapTest.cpp
    tests/core/ShadeFacesTest.cpp
    tests/core/StatusTextsTest.cpp
    tests/core/TestPageTest.cpp
    tests/core/TokensTest.cpp
    tests/core/TonalScalesTest.cpp
    tests/core/DarkVariantTest.cpp
)
target_link_libraries(core_tests PRIVATE huewright_cli GTest::gtest GTest::gtest_main)
target_compile_options(core_tests PRIVATE -Wall -Wextra)
target_compile_definitions(core_tests PRIVATE HUEWRIGHT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(core_tests)
# Every state a crash can leave the library in, a bounded part; `make crash-explore` runs all of it.
add_executable(crash_explorer tests/core/CrashExplorerTest.cpp)
target_link_libraries(crash_explorer PRIVATE huewright_core GTest::gtest GTest::gtest_main)
target_compile_options(crash_explorer PRIVATE -Wall -Wextra)
gtest_discover_tests(crash_explorer)
add_test(NAME CliStatuses COMMAND ${CMAKE_SOURCE_DIR}/tests/cli/cli-statuses.sh $<TARGET_FILE:huewright-cli>)
add_test(NAME DesktopInstall COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/desktop-install-test.sh ${CMAKE_BINARY_DIR})

if(HUEWRIGHT_BENCHMARKS)
    find_package(benchmark REQUIRED)
    add_executable(core_bench
        bench/ColorMathBench.cpp
        bench/ColorNotationBench.cpp
        bench/ExchangeBench.cpp
        bench/FieldBench.cpp
        bench/PaletteCheckBench.cpp
        bench/LibraryBench.cpp
        bench/PaletteSearchBench.cpp
        bench/ShadeBench.cpp
        bench/TonalScaleBench.cpp
    )
    target_link_libraries(core_bench PRIVATE huewright_posix benchmark::benchmark benchmark::benchmark_main)
endif()
