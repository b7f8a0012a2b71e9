# Windows build: huewright.exe and the Windows-side test suite, which ctest runs through Wine in a
# prefix of its own under the build folder.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}")
add_link_options(-static)
# Win32 structures are set up as `S s{sizeof(s)}`; the remaining fields are meant to be zero.
set(HUEWRIGHT_WIN_WARNINGS -Wall -Wextra -Wno-missing-field-initializers)

set(HUEWRIGHT_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh ${HUEWRIGHT_WINE_PREFIX})

add_custom_command(
    OUTPUT ${HUEWRIGHT_WINE_PREFIX}/.huewright-fonts-1 ${HUEWRIGHT_WINE_PREFIX}/.huewright-unmanaged-1
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${HUEWRIGHT_WINE_PREFIX} --unmanaged
    COMMENT "Preparing the Wine prefix for the tests"
    VERBATIM)
# The display scaling test sets the DPI of a prefix of its own: a copy, made before any test runs.
set(HUEWRIGHT_DPI_PREFIX ${CMAKE_BINARY_DIR}/dpi-prefix)
add_custom_command(
    OUTPUT ${HUEWRIGHT_DPI_PREFIX}/.huewright-unmanaged-1
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/copy-wine-prefix.sh ${HUEWRIGHT_WINE_PREFIX} ${HUEWRIGHT_DPI_PREFIX}
    DEPENDS ${HUEWRIGHT_WINE_PREFIX}/.huewright-fonts-1 ${HUEWRIGHT_WINE_PREFIX}/.huewright-unmanaged-1
    COMMENT "Copying the Wine prefix for the display scaling test"
    VERBATIM)
add_custom_target(wineprefix ALL
    DEPENDS ${HUEWRIGHT_WINE_PREFIX}/.huewright-fonts-1 ${HUEWRIGHT_WINE_PREFIX}/.huewright-unmanaged-1
        ${HUEWRIGHT_DPI_PREFIX}/.huewright-unmanaged-1)

# Everything of the program but its entry point, so the tests link the real code.
add_library(huewright_win STATIC
    app/CBoxFonts.cpp
    app/CDesktopGrab.cpp
    app/CDialogToolTips.cpp
    app/CDlgStatusBar.cpp
    app/CGrabMagnifier.cpp
    app/CHuewrightApp.cpp
    app/CHuewrightDlg.cpp
    app/CHuewrightDlgButtons.cpp
    app/CHuewrightDlgCommands.cpp
    app/CHuewrightDlgLibrary.cpp
    app/CHuewrightDlgTestPage.cpp
    app/CHuewrightDlgTools.cpp
    app/CHuewrightDlgWorkspace.cpp
    app/CPaletteChecker.cpp
    app/CPaletteCheckerFixes.cpp
    app/CTonalScalesWindow.cpp
    app/PlacementSettings.cpp
    app/WorkspaceFlags.cpp
    color/CColorBlend.cpp
    color/ColorTrackingWnd.cpp
    color/GTColorSelectorWnd.cpp
    color/GTColorSliderWnd.cpp
    color/GTColorWellWnd.cpp
    color/GTDrawHelper.cpp
    framework/AccessibleObject.cpp
    framework/CallbackGuard.cpp
    framework/CommonDialogs.cpp
    framework/ContrastTheme.cpp
    framework/Dialog.cpp
    framework/DialogDpiLayout.cpp
    framework/DialogGroup.cpp
    framework/Dpi.cpp
    framework/FocusCue.cpp
    framework/MessageBoxes.cpp
    framework/OffscreenCanvas.cpp
    framework/OleDragSource.cpp
    framework/Profile.cpp
    framework/Reflection.cpp
    framework/RepaintNow.cpp
    framework/ShellFunctions.cpp
    framework/SubclassedControl.cpp
    framework/SystemError.cpp
    framework/SystemLibrary.cpp
    framework/Window.cpp
    library/CCopyColorFormat.cpp
    library/Clipboard.cpp
    library/ExchangeFiles.cpp
    library/WholeFiles.cpp
    library/Win32LibraryFile.cpp
    widgets/CFontHelper.cpp
    widgets/CHelp.cpp
    widgets/CMyHyperLink.cpp
    widgets/COleDropWndTarget.cpp
    widgets/CxShadeButton.cpp
    widgets/CxShadeButtonPaint.cpp
    widgets/CXTipEdit.cpp
)
target_include_directories(huewright_win PUBLIC ${CMAKE_SOURCE_DIR})
# The system headers every Windows file reads, parsed once: most of a file's compile time here.
set(HUEWRIGHT_WIN_HEADERS <windows.h> <commctrl.h> <ole2.h> <algorithm> <array> <functional> <memory> <string>
    <vector>)
target_precompile_headers(huewright_win PRIVATE ${HUEWRIGHT_WIN_HEADERS})
target_compile_options(huewright_win PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
# The shell and the common dialogs are not linked: they load on first use (framework/SystemLibrary.h),
# so that start-up does not pay for them.
target_link_libraries(huewright_win PUBLIC huewright_core comctl32 ole32 oleaut32 uuid gdi32 user32 advapi32 version)

# windres reports no dependencies: the files the script reads are named here.
file(GLOB HUEWRIGHT_RC_INPUTS ${CMAKE_SOURCE_DIR}/res/icons/* ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.rc2)
set_source_files_properties(res/Huewright.rc res/HuewrightCli.rc PROPERTIES OBJECT_DEPENDS "${HUEWRIGHT_RC_INPUTS};${CMAKE_SOURCE_DIR}/res/resource.h")
add_executable(huewright WIN32 app/Main.cpp res/Huewright.rc)
target_link_libraries(huewright PRIVATE huewright_win)
# Stripped: the static runtime brings half a megabyte of debug sections, which Wine reads into memory
# with the rest of the image at every start.
target_link_options(huewright PRIVATE -municode -s)

# The console command beside the program, with the program's own file calls.
target_sources(huewright_cli PRIVATE cli/WindowsCliFiles.cpp)
target_link_libraries(huewright_cli PUBLIC huewright_win)
add_executable(huewright-cli cli/CliMain.cpp res/HuewrightCli.rc)
target_link_libraries(huewright-cli PRIVATE huewright_cli)
target_link_options(huewright-cli PRIVATE -municode -s)

# The release files in dist/ of the build, for the installer's test; `make dist` makes the ones to ship.
set(HUEWRIGHT_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_custom_command(
    OUTPUT ${HUEWRIGHT_DIST_DIR}/SHA256SUMS
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-dist.sh ${CMAKE_BINARY_DIR} ${HUEWRIGHT_DIST_DIR}
    DEPENDS huewright huewright-cli ${CMAKE_SOURCE_DIR}/scripts/make-dist.sh ${CMAKE_SOURCE_DIR}/installer/Huewright.nsi
        ${CMAKE_SOURCE_DIR}/installer/README.txt ${CMAKE_SOURCE_DIR}/LICENSE.txt ${CMAKE_SOURCE_DIR}/help.html
    COMMENT "Packing the zip and the installer"
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${HUEWRIGHT_DIST_DIR}/SHA256SUMS)

# Starts the installed program from its shortcut and saves a palette, for tests/dist/installer-test.sh.
add_executable(start_from_shortcut tests/win/StartFromShortcut.cpp)
target_link_libraries(start_from_shortcut PRIVATE huewright_win shell32)
target_compile_options(start_from_shortcut PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
target_link_options(start_from_shortcut PRIVATE -municode)
# In a prefix of its own, made afresh: what a user's first install meets.
add_test(NAME InstallerTest COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/installer-test.sh ${CMAKE_BINARY_DIR}/installer-prefix
    ${HUEWRIGHT_DIST_DIR} $<TARGET_FILE:start_from_shortcut>)
set_tests_properties(InstallerTest PROPERTIES TIMEOUT 300)

# The window at 96, 144 and 192 DPI, in the copied prefix, whose DPI each run sets.
add_test(NAME DpiLayoutTest COMMAND ${CMAKE_SOURCE_DIR}/tests/dpi/dpi-layout-test.sh ${HUEWRIGHT_DPI_PREFIX}
    $<TARGET_FILE:win_tests>)
set_tests_properties(DpiLayoutTest PROPERTIES TIMEOUT 300)

# GoogleTest from Debian's sources, built with the cross compiler.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(${CMAKE_SOURCE_DIR}/cmake/GTestSuites.cmake)
add_executable(win_tests
    tests/win/AboutTest.cpp
    tests/win/AccessibilityTest.cpp
    tests/win/BoxActionsTest.cpp
    tests/win/ColorBlendTest.cpp
    tests/win/ColorControlsFixture.cpp
    tests/win/ColorSelectorTest.cpp
    tests/win/ColorSliderTest.cpp
    tests/win/ContrastThemeTest.cpp
    tests/win/ColorWellTest.cpp
    tests/win/CopyColorFormatTest.cpp
    tests/win/DamagedSettingsTest.cpp
    tests/win/DialogTest.cpp
    tests/win/DpiLayoutTest.cpp
    tests/win/FrameworkTest.cpp
    tests/win/GTDrawHelperTest.cpp
    tests/win/GrabAndTipsTest.cpp
    tests/win/HandleCountTest.cpp
    tests/win/HostileInputTest.cpp
    tests/win/PaletteCheckerTest.cpp
    tests/win/DarkVariantCommandTest.cpp
    tests/win/TonalScalesWindowTest.cpp
    tests/win/InstanceTest.cpp
    tests/win/KeyboardOnlyTest.cpp
    tests/win/KeyboardTest.cpp
    tests/win/LibraryTest.cpp
    tests/win/MainDialogFixture.cpp
    tests/win/SettingsTest.cpp
    tests/win/TestPageTest.cpp
    tests/win/ShadeButtonTest.cpp
    tests/win/SoakTest.cpp
    tests/win/StatusBarTest.cpp
    tests/win/TestSupport.cpp
    tests/win/TipEditTest.cpp
    tests/win/ToolsTest.cpp
    tests/win/WorkspaceTest.cpp
    res/Huewright.rc
)
target_link_libraries(win_tests PRIVATE huewright_win gtest gtest_main)
target_precompile_headers(win_tests PRIVATE ${HUEWRIGHT_WIN_HEADERS} <gtest/gtest.h> <chrono> <filesystem>)
target_compile_definitions(win_tests PRIVATE HUEWRIGHT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_compile_options(win_tests PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
add_dependencies(win_tests huewright huewright-cli wineprefix read_window_text read_accessible)
huewright_add_gtest_suites(TARGET win_tests TIMEOUT 900)

# The library on a disk that is really full: a test program of its own that only
# scripts/test-full-disk.sh runs, once it has mounted the small disk the tests need.
add_executable(full_disk_test tests/win/FullDiskTest.cpp tests/win/TestSupport.cpp res/Huewright.rc)
target_link_libraries(full_disk_test PRIVATE huewright_win gtest gtest_main)
target_compile_options(full_disk_test PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
add_dependencies(full_disk_test wineprefix)
add_test(NAME FullDiskTest COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-full-disk.sh ${HUEWRIGHT_WINE_PREFIX}
    $<TARGET_FILE:full_disk_test> ${CMAKE_BINARY_DIR}/full-disk)
set_tests_properties(FullDiskTest PROPERTIES TIMEOUT 300)

# Reads a window's text from another process, as screen readers and test tools do.
add_executable(read_window_text tests/win/ReadWindowText.cpp)
target_compile_options(read_window_text PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
target_link_options(read_window_text PRIVATE -municode)

# Reads the program's controls from another process, as screen readers do.
add_executable(read_accessible tests/win/ReadAccessible.cpp)
target_link_libraries(read_accessible PRIVATE oleacc ole32 oleaut32 uuid)
target_compile_options(read_accessible PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
target_link_options(read_accessible PRIVATE -municode)

# Saves and deletes without end for scripts/test-killed-saves.sh to kill at random moments.
add_executable(save_stress tests/win/SaveStress.cpp)
target_link_libraries(save_stress PRIVATE huewright_win)
target_compile_options(save_stress PRIVATE ${HUEWRIGHT_WIN_WARNINGS})

# The plain dialog that scripts/measure-startup.sh times Huewright's start against; built only for it.
add_executable(bare_dialog WIN32 EXCLUDE_FROM_ALL bench/BareDialog.cpp bench/BareDialog.rc)
target_compile_options(bare_dialog PRIVATE ${HUEWRIGHT_WIN_WARNINGS})
target_link_options(bare_dialog PRIVATE -municode -s)
