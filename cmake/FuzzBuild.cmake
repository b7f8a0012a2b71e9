# libFuzzer targets, clang only. The core gets coverage and sanitizer instrumentation without
# libFuzzer's main, so the GoogleTest suite still links in this build; the targets add the main.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HUEWRIGHT_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

set(fuzz_common -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
target_compile_options(huewright_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined ${fuzz_common})
target_link_options(huewright_core INTERFACE -fsanitize=address,undefined)

function(huewright_fuzzer name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE huewright_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined ${fuzz_common} -Wall -Wextra)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

huewright_fuzzer(library_loader_fuzz tests/fuzz/LibraryLoaderFuzz.cpp)
huewright_fuzzer(font_desc_fuzz tests/fuzz/FontDescFuzz.cpp)
huewright_fuzzer(color_text_fuzz tests/fuzz/ColorTextFuzz.cpp)
huewright_fuzzer(settings_fuzz tests/fuzz/SettingsFuzz.cpp)
huewright_fuzzer(exchange_import_fuzz tests/fuzz/ExchangeImportFuzz.cpp)
huewright_fuzzer(color_notation_fuzz tests/fuzz/ColorNotationFuzz.cpp)
add_custom_target(fuzzers DEPENDS library_loader_fuzz font_desc_fuzz color_text_fuzz settings_fuzz exchange_import_fuzz
    color_notation_fuzz)
