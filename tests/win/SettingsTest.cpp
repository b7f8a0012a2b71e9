// Settings across a restart: one dialog closes through the Exit menu item and writes the real
// registry, the next one starts from what was written.
#include "app/CHuewrightDlg.h"
#include "app/WorkspaceFlags.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kSection = L"Software\\Lumenfold\\Huewright\\Settings";

DWORD StoredNumber(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSection, name, RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS)
        << name;
    return value;
}

std::wstring StoredText(const wchar_t* name) {
    wchar_t text[128] = {};
    DWORD size = sizeof(text);
    RegGetValueW(HKEY_CURRENT_USER, kSection, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

RECT WindowRectOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

class SettingsTest : public ::testing::Test {
protected:
    void TearDown() override {
        TakeQuitMessage();
        lastChangedBox = nullptr;
    }
    TempWorkingDirectory folder;
    ScratchSettingsKey settingsKey;
};

TEST_F(SettingsTest, AFirstStartSitsAtOneOneAndWritesTheDefaultsBack) {
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    RECT rect = WindowRectOf(dialog.Hwnd());
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 1);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(StoredNumber(L"curPalette"), 0xFFFFFFFFu);
    EXPECT_EQ(StoredNumber(L"curColor"), 0x00D08300u);
    EXPECT_EQ(StoredNumber(L"left"), 1u);
    EXPECT_EQ(StoredNumber(L"right"), static_cast<DWORD>(rect.right));
    // A new palette's colors are kept: the default palette, text colors included.
    EXPECT_EQ(StoredNumber(L"colorWBox3"), 0x00B5D2D2u);
    EXPECT_EQ(StoredNumber(L"colorWTxt4"), 0x00556974u);
    EXPECT_EQ(StoredNumber(L"colorFormat"), 0u);
    wchar_t format[64] = {};
    DWORD size = sizeof(format);
    EXPECT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, kSection, L"colorFormatStr", RRF_RT_REG_SZ, nullptr, format, &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(format, L"#RRGGBB");
    // The checker was never opened: no value of its own.
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSection, L"inspector", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    DestroyWindow(dialog.Hwnd());
}

TEST_F(SettingsTest, PositionSelectedColorAndNewPaletteColorsAreKept) {
    Color shadeOne = 0;
    {
        CHuewrightDlg first;
        ASSERT_TRUE(first.CreateModeless());
        SetWindowPos(first.Hwnd(), nullptr, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        first.Selector().SetColor(MakeColor(255, 0, 0));
        SendMessageW(first.Hwnd(), WM_COMMAND, ID_ASSIGN_TEXT2, 0);
        shadeOne = first.Well(1).GetColor();
        SendMessageW(first.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpMessages(&first);
        DestroyWindow(first.Hwnd());
    }
    TakeQuitMessage();
    // The new palette's colors are stored; the next start begins a new palette from the defaults.
    EXPECT_EQ(StoredNumber(L"colorWTxt2"), shadeOne);
    CHuewrightDlg second;
    ASSERT_TRUE(second.CreateModeless());
    RECT rect = WindowRectOf(second.Hwnd());
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(second.Selector().CurrentColor(), MakeColor(255, 0, 0));
    DestroyWindow(second.Hwnd());
}

TEST_F(SettingsTest, APositionOffTheScreenIsIgnoredAndTheFormatMarkerReadsAsDefault) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD offScreen = 50000;
    RegSetValueExW(key, L"left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&offScreen), sizeof(offScreen));
    const wchar_t marker[] = L"no path found";
    RegSetValueExW(key, L"colorFormatStr", 0, REG_SZ, reinterpret_cast<const BYTE*>(marker), sizeof(marker));
    RegCloseKey(key);

    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_LT(WindowRectOf(dialog.Hwnd()).left, 50000);
    EXPECT_EQ(dialog.Box(0).CopyFormat(), L"#RRGGBB");
    DestroyWindow(dialog.Hwnd());
}

// A damaged record can fill all 32 units of the face without a terminator: the name read from it
// and the one written to the settings end within the face, as a LOGFONTW's 31 characters.
TEST_F(SettingsTest, AFaceFillingItsWholeFieldIsReadAndSavedAsItsFirstThirtyOneUnits) {
    const std::wstring kFace(31, L'A');
    {
        CFontHelper font(L"Settings", L"Font");
        LOGFONTW unterminated{};
        font.GetDefaultLogFont(unterminated);
        std::fill(std::begin(unterminated.lfFaceName), std::end(unterminated.lfFaceName), L'A');
        font.SetLogFont(unterminated);
        EXPECT_EQ(font.GetFaceName(), kFace);
    }
    EXPECT_EQ(StoredText(L"Font_Name"), kFace);
}

// The box font goes to the settings when the dialog goes, and a saved palette keeps its own: the
// default is Georgia bold italic, and the palette saved without bold shows without it.
TEST_F(SettingsTest, TheBoxFontIsSavedWithTheSettingsAndWithThePalette) {
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        PumpMessages(&dialog, std::chrono::milliseconds(250));
        EXPECT_TRUE(dialog.IsChecked(IDC_BOLD));
        EXPECT_TRUE(dialog.IsChecked(IDC_ITALIC));
        HWND bold = dialog.Item(IDC_BOLD);
        SendMessageW(bold, BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_BOLD, BN_CLICKED),
                     reinterpret_cast<LPARAM>(bold));
        SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, L"Plain");
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_PALETTE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_SAVE_PALETTE)));
        SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_FILE_EXIT, 0);
        DestroyWindow(dialog.Hwnd());
    }
    EXPECT_EQ(StoredText(L"Font_Desc"), L"-48:0:0:0:400:1:0:0:0:1:2:0:34");
    EXPECT_EQ(StoredText(L"Font_Name"), L"Georgia");
    EXPECT_EQ(StoredNumber(L"curPalette"), 0u);
    TakeQuitMessage();
    CHuewrightDlg second;
    ASSERT_TRUE(second.CreateModeless());
    PumpMessages(&second, std::chrono::milliseconds(250));
    EXPECT_EQ(second.ItemText(IDC_PALETTE_NAME), L"Plain");
    EXPECT_FALSE(second.IsChecked(IDC_BOLD));
    EXPECT_TRUE(second.IsChecked(IDC_ITALIC));
    DestroyWindow(second.Hwnd());
}

// The option comes back as it was left: applied at start, not toggled on the way, and written again.
TEST_F(SettingsTest, TheTooltipOptionIsAppliedAtStartAsItWasLeft) {
    {
        CHuewrightDlg first;
        ASSERT_TRUE(first.CreateModeless());
        SendMessageW(first.Hwnd(), WM_COMMAND, ID_NO_TOOLTIPS, 0);
        SendMessageW(first.Hwnd(), WM_COMMAND, ID_FILE_EXIT, 0);
        DestroyWindow(first.Hwnd());
    }
    TakeQuitMessage();
    EXPECT_EQ(StoredNumber(L"dontShowTooltips"), 1u);
    CHuewrightDlg second;
    ASSERT_TRUE(second.CreateModeless());
    EXPECT_TRUE(GetMenuState(GetMenu(second.Hwnd()), ID_NO_TOOLTIPS, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageW(second.Hwnd(), WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(StoredNumber(L"dontShowTooltips"), 1u);
    DestroyWindow(second.Hwnd());
}

} // namespace
