// The main dialog's keys and option commands, driven by real key input through the dialog's own
// loop: digits type into the edits and assign elsewhere, Ctrl copies, Escape undoes, Enter views
// the next palette.
#include "app/CHuewrightDlg.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

class KeyboardTest : public MainDialogFixture {
protected:
    void Focus(int id) {
        SetFocus(dialog.Item(id));
        PumpMessages(&dialog);
    }
    bool MenuChecked(int id) { return GetMenuState(GetMenu(dialog.Hwnd()), id, MF_BYCOMMAND) & MF_CHECKED; }
};

TEST_F(KeyboardTest, DigitsTypeIntoTheNameAndCtrlDigitsCopyFromThere) {
    Focus(IDC_PALETTE_NAME);
    HWND name = dialog.Item(IDC_PALETTE_NAME);
    SendMessageW(name, EM_SETSEL, 27, 27);
    PressKeys({'2'}, &dialog);
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_NAME), L"Enter new palette name here2");
    EXPECT_EQ(dialog.Box(1).BoxColor(), kDefaultPalette.box[1]);
    PressKeys({VK_RETURN}, &dialog); // Enter in the name presses no button
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_COUNTER), L"new");

    const char* kBoxColors[] = {"#bebea1", "#c8c8ab", "#d2d2b5", "#dbdbbf"};
    for (WORD box = 0; box < 4; ++box) {
        PressKeys({VK_CONTROL, static_cast<WORD>('1' + box)}, &dialog);
        EXPECT_EQ(ClipboardAnsiText(), kBoxColors[box]);
        EXPECT_EQ(ClipboardText(), std::wstring(kBoxColors[box], kBoxColors[box] + 7));
        PressKeys({VK_CONTROL, VK_SHIFT, static_cast<WORD>('1' + box)}, &dialog);
        EXPECT_EQ(ClipboardAnsiText(), "#746955");
    }
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_NAME), L"Enter new palette name here2");
}

TEST_F(KeyboardTest, DigitsAssignOutsideTheEditsAndEscapeUndoes) {
    Focus(IDC_MODE_SATURATION);
    PressKeys({'3'}, &dialog);
    EXPECT_EQ(dialog.Box(2).BoxColor(), dialog.Well(2).GetColor());
    PressKeys({VK_SHIFT, '1'}, &dialog);
    EXPECT_EQ(dialog.Box(0).TextColor(), dialog.Well(0).GetColor());
    PressKeys({VK_NUMPAD2}, &dialog); // keypad digits are no shortcuts
    EXPECT_EQ(dialog.Box(1).BoxColor(), kDefaultPalette.box[1]);

    PressKeys({VK_ESCAPE}, &dialog);
    EXPECT_EQ(dialog.Box(0).TextColor(), kDefaultPalette.text[0]);
    EXPECT_TRUE(IsWindow(dialog.Hwnd()));
    EXPECT_FALSE(TakeQuitMessage());
}

TEST_F(KeyboardTest, EnterViewsTheNextPaletteAndNeverCloses) {
    for (const wchar_t* palette : {L"First", L"Second"}) {
        SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, palette);
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_PALETTE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_SAVE_PALETTE)));
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_NEW_PALETTE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_NEW_PALETTE)));
    }
    Focus(IDC_MODE_SATURATION);
    PressKeys({VK_RETURN}, &dialog);
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_COUNTER), L"1 of 2");
    PressKeys({VK_RETURN}, &dialog);
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_NAME), L"Second");
    EXPECT_TRUE(IsWindow(dialog.Hwnd()));
    EXPECT_FALSE(TakeQuitMessage());
}

TEST_F(KeyboardTest, OptionCommandsToggleTheirCheckMarks) {
    for (int id : {ID_NO_TOOLTIPS, ID_SHOW_ALL_VALUES}) {
        EXPECT_FALSE(MenuChecked(id));
        SendMessageW(dialog.Hwnd(), WM_COMMAND, id, 0);
        EXPECT_TRUE(MenuChecked(id));
        SendMessageW(dialog.Hwnd(), WM_COMMAND, id, 0);
        EXPECT_FALSE(MenuChecked(id));
    }
}

// Ctrl+S copies what the first pane shows; the second follows Ctrl in the selector.
TEST_F(KeyboardTest, TheStatusBarShowsTheColorAndTheTrackingLock) {
    Focus(IDC_MODE_SATURATION);
    PressKeys({VK_CONTROL, 'S'}, &dialog);
    EXPECT_EQ(ClipboardText(), L"Current selected color: #0083D0  RGB:0,131,208");

    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_SHOW_ALL_VALUES, 0);
    HWND decrement = dialog.Item(IDC_SHADE_DECREMENT);
    SendMessageW(decrement, TBM_SETPOS, TRUE, 40);
    SendMessageW(dialog.Hwnd(), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(decrement));
    PressKeys({VK_CONTROL, 'S'}, &dialog);
    // Saturation 0.6, 0.4 and 0.2 of the selected color's, in the order of the wells.
    EXPECT_EQ(ClipboardText(), L"Shade colors: #0083D0 #53A2D0 #7DB1D0 #A6C1D0");

    HWND bar = GetDlgItem(dialog.Hwnd(), kStatusBarId);
    auto lockText = [bar] {
        wchar_t text[32] = {};
        SendMessageW(bar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(lockText(), L"Unlocked");
    SetFocus(dialog.Selector().Hwnd());
    RECT field;
    GetWindowRect(dialog.Selector().Hwnd(), &field);
    MovePointerTo({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    ASSERT_TRUE(HoldCtrlAtXLevel(true));
    ASSERT_TRUE(HoldCtrlAtXLevel(false));
    PumpMessages(&dialog, std::chrono::milliseconds(50));
    EXPECT_EQ(lockText(), L"Locked");
}

TEST_F(KeyboardTest, TypedColorsApplyOnEnterAndWhenLeavingTheField) {
    Focus(IDC_COLOR_VALUE);
    for (WORD key : {WORD{'0'}, WORD{'0'}, WORD{'F'}, WORD{'F'}, WORD{'0'}, WORD{'0'}, WORD{VK_RETURN}}) {
        PressKeys({key}, &dialog);
    }
    EXPECT_EQ(dialog.Selector().CurrentColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(GetFocus(), dialog.Item(IDC_COLOR_VALUE));

    SetDlgItemTextW(dialog.Hwnd(), IDC_COLOR_VALUE, L"1,2,3");
    PressKeys({VK_TAB}, &dialog);
    EXPECT_EQ(dialog.Selector().CurrentColor(), MakeColor(1, 2, 3));

    // An invalid entry keeps the focus, selects what to fix and says so in the status bar.
    SetDlgItemTextW(dialog.Hwnd(), IDC_COLOR_VALUE, L"00FG00");
    Focus(IDC_COLOR_VALUE);
    PressKeys({VK_RETURN}, &dialog);
    DWORD start = 0, end = 0;
    SendMessageW(dialog.Item(IDC_COLOR_VALUE), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(GetFocus(), dialog.Item(IDC_COLOR_VALUE));
    EXPECT_EQ(dialog.Selector().CurrentColor(), MakeColor(1, 2, 3));
    PressKeys({VK_CONTROL, 'S'}, &dialog);
    EXPECT_EQ(ClipboardText(), L"Invalid color entry. Use either \"00FF00\" or \"0,255,0\" format.");
}

// Inside the format dialog's own loop: the RGB choice takes the focus, Space checks it and Enter
// presses OK.
void CALLBACK ChooseRgbFormat(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND chooser = FindWindowW(nullptr, L"Set copy-color format");
    if (!chooser) {
        return;
    }
    KillTimer(nullptr, timer);
    SetFocus(GetDlgItem(chooser, 1035));
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = i < 2 ? VK_SPACE : VK_RETURN;
        keys[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

TEST_F(KeyboardTest, TheFormatChosenInItsDialogIsWhatTheBoxesCopy) {
    SetTimer(nullptr, 0, 50, ChooseRgbFormat);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_SET_COPY_FORMAT, 0);
    EXPECT_EQ(dialog.Box(3).CopyFormat(), L"RRR,GGG,BBB");
    Focus(IDC_MODE_SATURATION);
    PressKeys({VK_CONTROL, '4'}, &dialog);
    EXPECT_EQ(ClipboardText(), L"219,219,191");
}

TEST_F(KeyboardTest, AHeldClipboardIsSaidAndKeepsItsContent) {
    Focus(IDC_MODE_SATURATION);
    PressKeys({VK_CONTROL, '1'}, &dialog);
    ASSERT_TRUE(OpenClipboard(dialog.Item(IDC_SEARCH)));
    {
        MessageBoxAnswerer answerer(IDOK);
        PressKeys({VK_CONTROL, '2'}, &dialog);
        ASSERT_EQ(answerer.seen.size(), 1u);
        EXPECT_EQ(answerer.seen[0].caption, L"Huewright");
        EXPECT_EQ(answerer.seen[0].text, L"Cannot open the Clipboard");
    }
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), L"#bebea1");
}

bool aboutSeen = false;

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND about = FindWindowW(nullptr, L"About Huewright")) {
        KillTimer(nullptr, timer);
        aboutSeen = true;
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(KeyboardTest, TheAboutCommandShowsTheAboutBox) {
    SetTimer(nullptr, 0, 50, CloseAbout);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_ABOUT, 0);
    EXPECT_TRUE(aboutSeen);
}

TEST_F(KeyboardTest, TheFontCommandOpensTheSystemFontDialog) {
    MessageBoxAnswerer answerer(IDOK);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_SELECT_BOX_FONT, 0);
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].caption, L"Font");
}

TEST_F(KeyboardTest, AMissingUserGuideIsSaid) {
    MessageBoxAnswerer answerer(IDOK);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_USER_GUIDE, 0);
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].caption, L"Huewright Warning!");
    EXPECT_EQ(answerer.seen[0].text, L"There was an error opening Huewright help file.");
}

} // namespace
