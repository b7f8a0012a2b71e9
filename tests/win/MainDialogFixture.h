// The real main dialog, modeless, in a throwaway working folder and settings key: the fixture of
// the tests that drive the whole window, with the few ways they all use to drive it.
#pragma once

#include "app/CHuewrightDlg.h"
#include "library/PaletteColors.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

// The eight colors of the dialog's boxes as they are shown.
PaletteColors BoxColorsOf(CHuewrightDlg& dialog);

class MainDialogFixture : public ::testing::Test {
protected:
    // `settle`: how long the new dialog's loop runs before the test starts.
    explicit MainDialogFixture(std::chrono::milliseconds settle = std::chrono::milliseconds(150))
        : settle(settle) {}
    void SetUp() override;
    void TearDown() override;

    void Click(int id) { ClickButton(dialog, id); }
    // A menu command, as the menu or a key sends it.
    void Command(int id);
    PaletteColors BoxColors() { return BoxColorsOf(dialog); }
    // The status bar's text, as Ctrl+S copies it.
    std::wstring StatusText();

    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    CHuewrightDlg dialog;

private:
    std::chrono::milliseconds settle;
};
