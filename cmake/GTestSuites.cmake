# One ctest entry per GoogleTest suite: each suite runs in one process, which under Wine saves a
# process start per test. The suites are listed when ctest starts, from the built program itself.
#
# huewright_add_gtest_suites(TARGET target TIMEOUT seconds)
function(huewright_add_gtest_suites)
    cmake_parse_arguments(arg "" "TARGET;TIMEOUT" "" ${ARGN})
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${arg_TARGET}_suites.cmake")
    file(GENERATE OUTPUT "${script}" CONTENT "\
set(program \"$<TARGET_FILE:${arg_TARGET}>\")
set(emulator \"$<JOIN:${CMAKE_CROSSCOMPILING_EMULATOR},;>\")
set(timeout ${arg_TIMEOUT})
include(\"${CMAKE_SOURCE_DIR}/cmake/GTestSuitesAdd.cmake\")
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
