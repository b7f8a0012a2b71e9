// The main dialog from its template: controls, start-up state and the close paths.
#include "app/CHuewrightDlg.h"
#include "library/Clipboard.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <vector>

namespace {

struct TemplateControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
};

// The template's controls in tab order, with their texts once a first start has begun a new palette.
const std::vector<TemplateControl> kTemplateControls = {
    {1000, L"Static", L""},
    {1001, L"Static", L""},
    {1002, L"Static", L""},
    {1009, L"Static", L""},
    {1010, L"Static", L""},
    {1011, L"Static", L""},
    {1037, L"Edit", L""},
    {1015, L"Button", L"This is the first color text."},
    {1016, L"Button", L"2nd text here!"},
    {1017, L"Button", L"This is the third color text."},
    {1024, L"Button", L"4th text"},
    {-1, L"Button", L"Select to adjust"},
    {1003, L"Button", L"Red"},
    {1004, L"Button", L"Green"},
    {1005, L"Button", L"Blue"},
    {1006, L"Button", L"Hue"},
    {1007, L"Button", L"Saturation"},
    {1008, L"Button", L"Brightness"},
    {17, L"Button", L""},
    {1014, L"msctls_trackbar32", L""},
    {1019, L"Button", L"Auto-assign colors to all boxes:"},
    {1027, L"Button", L"in sequence; 1st color to 1st box"},
    {1028, L"Button", L"in reverse; 1st color to 4th box"},
    {1021, L"Button", L"Auto-assign 1st color to:"},
    {1029, L"Button", L"box text"},
    {1031, L"Button", L"box"},
    {1022, L"Button", L"box1"},
    {1023, L"Button", L"box2"},
    {1025, L"Button", L"box3"},
    {1026, L"Button", L"box4"},
    {5, L"Edit", L"Enter new palette name here"},
    {16, L"Button", L""},
    {15, L"Button", L"i"},
    {14, L"Button", L"B"},
    {-1, L"Static", L"Search:"},
    {7, L"Edit", L""},
    {10, L"Button", L"View &next"},
    {11, L"Button", L"View &previous"},
    {4, L"Button", L"&View in Browser"},
    {1999, L"Button", L"Ne&w Palette"},
    {2000, L"Button", L"&Save Palette"},
    {2001, L"Button", L"&Delete Palette"},
    {1, L"Button", L"E&xit"},
    {-1, L"Button", L"Adjust % decrement for shades"},
    {6, L"Button", L"Selected color and its shades :"},
    {13, L"Button", L"new"},
    {1038, L"Button", L"Color value:"},
};

// The main dialog with a hook that queues actions once initialisation is done, so a modal run can
// be driven from inside its own loop.
class DrivenDialog : public CHuewrightDlg {
public:
    std::vector<std::function<void(HWND)>> afterInit;

protected:
    bool OnInitDialog() override {
        bool result = CHuewrightDlg::OnInitDialog();
        for (auto& action : afterInit) {
            action(Hwnd());
        }
        return result;
    }
};

class MainDialogTest : public MainDialogFixture {
protected:
    MainDialogTest() : MainDialogFixture(std::chrono::milliseconds(0)) {}
    HWND Item(int id) const { return dialog.Item(id); }
};

// The children that come from the template, in z-order: the color controls made at start-up have
// classes of the program's own.
std::vector<HWND> TemplateChildren(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::wstring className = ClassName(child);
        if (wcsncmp(className.c_str(), L"Huewright:", 10) != 0) {
            children.push_back(child);
        }
    }
    return children;
}

TEST_F(MainDialogTest, CreatesAllTemplateControlsInTabOrder) {
    std::vector<HWND> children = TemplateChildren(dialog.Hwnd());
    ASSERT_GE(children.size(), kTemplateControls.size());
    for (size_t i = 0; i < kTemplateControls.size(); ++i) {
        const auto& expected = kTemplateControls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " id " << expected.id);
        EXPECT_EQ(GetDlgCtrlID(children[i]), expected.id);
        EXPECT_EQ(ClassName(children[i]), expected.className);
        EXPECT_EQ(WindowText(children[i]), expected.text);
    }
}

TEST_F(MainDialogTest, HasTemplateCaptionAndPlaceholdersStayHidden) {
    EXPECT_EQ(WindowText(dialog.Hwnd()), L"Huewright");
    EXPECT_TRUE(GetWindowLongW(dialog.Hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    for (HWND child : TemplateChildren(dialog.Hwnd())) {
        int id = GetDlgCtrlID(child);
        if (id >= 1000 && id <= 1011 && ClassName(child) == L"Static") {
            EXPECT_FALSE(IsWindowVisible(child)) << id;
        }
    }
    // Looking up a placeholder's id finds the color control made over it.
    EXPECT_EQ(Item(IDC_SELECTOR), dialog.Selector().Hwnd());
    EXPECT_EQ(Item(IDC_WELL3), dialog.Well(2).Hwnd());
    // Box 4 lies inside box 3.
    RECT box3, box4, overlap;
    GetWindowRect(Item(IDC_BOX3), &box3);
    GetWindowRect(Item(IDC_BOX4), &box4);
    IntersectRect(&overlap, &box3, &box4);
    EXPECT_TRUE(EqualRect(&overlap, &box4));
}

TEST_F(MainDialogTest, MenuCarriesEveryCommand) {
    HMENU menu = GetMenu(dialog.Hwnd());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    const wchar_t* kPopups[] = {L"&File", L"&Edit", L"&Option", L"&Tools", L"&Help"};
    for (int i = 0; i < 5; ++i) {
        wchar_t buffer[32] = {};
        GetMenuStringW(menu, i, buffer, 32, MF_BYPOSITION);
        EXPECT_STREQ(buffer, kPopups[i]);
    }
    const std::vector<std::pair<int, const wchar_t*>> items = {
        {ID_UNDO_LAST_COLOR, L"&Undo last color\tEsc"},
        {ID_ASSIGN_BOX3, L"Assign 3rd color to box 3\t3"},
        {ID_ASSIGN_TEXT4, L"Assign 4th color to box 4 text\tShift+4"},
        {ID_FILE_EXIT, L"E&xit"},
        {ID_COPY_BOX1, L"Copy box 1 color\tCtrl+1"},
        {ID_COPY_TEXT4, L"Copy box 4 text color\tCtrl+Shift+4"},
        {ID_COPY_STATUS_BAR, L"Copy Status Bar\tCtrl+S"},
        {ID_NO_TOOLTIPS, L"&Do not show tooltips"},
        {ID_SHOW_ALL_VALUES, L"Show &all color values"},
        {ID_SET_COPY_FORMAT, L"&Set copy-color format"},
        {ID_SELECT_BOX_FONT, L"Select box text &font"},
        {ID_TOOLS_CHECKER, L"Palette &inspector\tF2"},
        {ID_TOOLS_EXPORT_PALETTE, L"&Export palette..."},
        {ID_TOOLS_EXPORT_LIBRARY, L"Export &library..."},
        {ID_TOOLS_IMPORT, L"Imp&ort palettes..."},
        {ID_TOOLS_PASTE_COLOR, L"&Paste color\tCtrl+V"},
        {ID_USER_GUIDE, L"&User guide"},
        {ID_ABOUT, L"&About"},
    };
    for (const auto& [id, text] : items) {
        wchar_t buffer[128] = {};
        ASSERT_GT(GetMenuStringW(menu, id, buffer, 128, MF_BYCOMMAND), 0) << id;
        EXPECT_STREQ(buffer, text);
    }
    EXPECT_EQ(GetMenuState(menu, ID_SHOW_ALL_VALUES, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(MainDialogTest, StartsWithTheDefaultOptions) {
    HWND bar = Item(IDC_SHADE_DECREMENT);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 90);
    for (int id : {IDC_IN_SEQUENCE, IDC_FIRST_TO_TEXT, IDC_FIRST_BOX1}) {
        EXPECT_TRUE(dialog.IsChecked(id)) << id;
    }
    for (int id : {IDC_IN_REVERSE, IDC_FIRST_TO_BOX, IDC_FIRST_BOX2, IDC_AUTO_ALL, IDC_AUTO_FIRST}) {
        EXPECT_FALSE(dialog.IsChecked(id)) << id;
    }
    EXPECT_EQ(GetFocus(), Item(IDC_MODE_SATURATION));
    EXPECT_EQ(SendMessageW(Item(IDC_SEARCH), EM_GETLIMITTEXT, 0, 0), 63);
    EXPECT_EQ(SendMessageW(Item(IDC_PALETTE_NAME), EM_GETLIMITTEXT, 0, 0), 63);
}

TEST_F(MainDialogTest, PaletteNameIsWritableOnlyWhileFocused) {
    HWND name = Item(IDC_PALETTE_NAME);
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
    SetFocus(name);
    PumpMessages(&dialog);
    EXPECT_FALSE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
    // A paste cut at the limit keeps an emoji's pair whole: after 62 units it does not fit at all.
    for (const std::size_t before : {61u, 62u}) {
        SetWindowTextW(name, std::wstring(before, L'x').c_str());
        SendMessageW(name, EM_SETSEL, before, before);
        CopyTextToClipboard(dialog.Hwnd(), L"\U0001F600!");
        SendMessageW(name, WM_PASTE, 0, 0);
        EXPECT_EQ(WindowText(name), std::wstring(before, L'x') + (before == 61 ? L"\U0001F600" : L""));
    }
    SetFocus(Item(IDC_SEARCH));
    PumpMessages(&dialog);
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
}

TEST_F(MainDialogTest, CarriesItsIconsForTheTaskbarAndDragging) {
    auto big = reinterpret_cast<HICON>(SendMessageW(dialog.Hwnd(), WM_GETICON, ICON_BIG, 0));
    auto small = reinterpret_cast<HICON>(SendMessageW(dialog.Hwnd(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(big, nullptr);
    EXPECT_NE(small, nullptr);
    EXPECT_NE(big, small);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog.Hwnd(), WM_QUERYDRAGICON, 0, 0)), small);
}

TEST_F(MainDialogTest, FontTimerFiresOnce) {
    PumpMessages(&dialog, std::chrono::milliseconds(400));
    // Killing it again fails because the first tick already did.
    EXPECT_FALSE(KillTimer(dialog.Hwnd(), CHuewrightDlg::kApplyFontTimer));
}

TEST_F(MainDialogTest, EscapeIsConsumedAndNeverCloses) {
    HWND focus = Item(IDC_MODE_SATURATION);
    SetFocus(focus);
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PumpMessages(&dialog, std::chrono::milliseconds(50));
    EXPECT_TRUE(IsWindow(dialog.Hwnd()));
    EXPECT_FALSE(TakeQuitMessage());
}

// The main dialog noting, when it is first shown, whether its last children already exist.
class ShowWatchingDialog : public CHuewrightDlg {
public:
    int shows = 0;
    bool wholeAtFirstShow = false;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SHOWWINDOW && wParam && shows++ == 0) {
            wholeAtFirstShow = GetDlgItem(Hwnd(), kStatusBarId) && Selector().Hwnd();
        }
        return CHuewrightDlg::OnMessage(message, wParam, lParam);
    }
};

// Putting the window where it was does not show it: it appears once, with its status bar and
// color controls.
TEST(MainDialogStartTest, TheWindowIsFirstShownWhole) {
    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    ShowWatchingDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_TRUE(IsWindowVisible(dialog.Hwnd()));
    EXPECT_EQ(dialog.shows, 1);
    EXPECT_TRUE(dialog.wholeAtFirstShow);
    DestroyWindow(dialog.Hwnd());
    TakeQuitMessage();
}

class CloseTest : public ::testing::Test {
protected:
    INT_PTR RunUntilClosed(std::function<void(HWND)> action) {
        dialog.afterInit.push_back(std::move(action));
        INT_PTR result = dialog.DoModal();
        quitPosted = TakeQuitMessage();
        return result;
    }

    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    DrivenDialog dialog;
    bool quitPosted = false;
};

TEST_F(CloseTest, ExitButtonEndsWithOk) {
    INT_PTR result =
        RunUntilClosed([](HWND hwnd) { PostMessageW(GetDlgItem(hwnd, IDC_EXIT), BM_CLICK, 0, 0); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(quitPosted);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST_F(CloseTest, ExitMenuItemPostsQuit) {
    RunUntilClosed([](HWND hwnd) { PostMessageW(hwnd, WM_COMMAND, ID_FILE_EXIT, 0); });
    EXPECT_TRUE(quitPosted);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST_F(CloseTest, CloseBoxCancels) {
    INT_PTR result = RunUntilClosed([](HWND hwnd) { PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(quitPosted);
}

bool escapeSurvived = false;

TEST_F(CloseTest, EscapeLeavesTheModalRunGoing) {
    escapeSurvived = false;
    INT_PTR result = RunUntilClosed([](HWND hwnd) {
        PostMessageW(GetDlgItem(hwnd, IDC_MODE_SATURATION), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        // Fires only after the Escape was handled, and only if the dialog is still running.
        SetTimer(hwnd, 1, 50, [](HWND h, UINT, UINT_PTR, DWORD) {
            KillTimer(h, 1);
            escapeSurvived = true;
            PostMessageW(GetDlgItem(h, IDC_EXIT), BM_CLICK, 0, 0);
        });
    });
    EXPECT_TRUE(escapeSurvived);
    EXPECT_EQ(result, IDOK);
}

} // namespace
