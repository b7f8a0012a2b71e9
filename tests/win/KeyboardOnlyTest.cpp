// The main dialog with the keyboard alone: Tab reaches every control in reading order, a color is
// picked and given to a box without a mouse message, a focused box copies its color, and the focus
// shows after a key press but not after a click.
#include "library/ColorFormat.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <algorithm>
#include <vector>

namespace {

// Mouse button messages this thread takes from its queue while a test runs.
int mouseButtonMessages = 0;

LRESULT CALLBACK CountMouseButtons(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && msg->message >= WM_LBUTTONDOWN && msg->message <= WM_MBUTTONDBLCLK) {
        ++mouseButtonMessages;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class KeyboardOnlyTest : public MainDialogFixture {
protected:
    void SetUp() override {
        MainDialogFixture::SetUp();
        mouseButtonMessages = 0;
        hook = SetWindowsHookExW(WH_GETMESSAGE, CountMouseButtons, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        MainDialogFixture::TearDown();
    }

    // Presses Tab until the focus is on `target`, at most once round the dialog; false if it never is.
    bool TabTo(HWND target) {
        for (int press = 0; press < 80 && GetFocus() != target; ++press) {
            PressKeys({VK_TAB}, &dialog);
        }
        return GetFocus() == target;
    }

    std::vector<HWND> TabStops() {
        std::vector<HWND> stops;
        for (HWND child = GetWindow(dialog.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) &&
                IsWindowEnabled(child)) {
                stops.push_back(child);
            }
        }
        return stops;
    }

    HHOOK hook = nullptr;
};

TEST_F(KeyboardOnlyTest, TabReachesEveryControlInReadingOrder) {
    const HWND start = GetFocus();
    ASSERT_EQ(start, dialog.Item(IDC_MODE_SATURATION));
    std::vector<HWND> visited;
    for (int press = 0; press < 80; ++press) {
        PressKeys({VK_TAB}, &dialog);
        if (GetFocus() == start) {
            break;
        }
        visited.push_back(GetFocus());
    }
    ASSERT_EQ(GetFocus(), start);
    for (HWND stop : TabStops()) {
        if (stop != start) {
            EXPECT_NE(std::find(visited.begin(), visited.end(), stop), visited.end()) << GetDlgCtrlID(stop);
        }
    }
    const std::vector<HWND> readingOrder = {
        dialog.Selector().Hwnd(), dialog.Slider().Hwnd(), dialog.Well(0).Hwnd(), dialog.Item(IDC_COLOR_VALUE),
        dialog.Box(0).Hwnd(),     dialog.Box(1).Hwnd(),   dialog.Box(2).Hwnd(),  dialog.Box(3).Hwnd(),
    };
    auto first = std::find(visited.begin(), visited.end(), readingOrder.front());
    ASSERT_LE(first + static_cast<long>(readingOrder.size()), visited.end());
    EXPECT_EQ(std::vector<HWND>(first, first + static_cast<long>(readingOrder.size())), readingOrder);
    EXPECT_EQ(mouseButtonMessages, 0);
}

// The field's keys pick the color, the shade goes to box 3 with its key, and the focused box copies:
// Enter what a click copies, Ctrl+C its own background even on box 3, whose click with Ctrl would copy
// box 4's.
TEST_F(KeyboardOnlyTest, PicksAColorIntoBox3AndCopiesItWithoutTheMouse) {
    ASSERT_TRUE(TabTo(dialog.Selector().Hwnd()));
    const Color before = dialog.Box(2).BoxColor();
    PressKeys({VK_HOME}, &dialog);
    for (int step = 0; step < 3; ++step) {
        PressKeys({VK_DOWN}, &dialog);
    }
    PressKeys({'3'}, &dialog);
    EXPECT_EQ(dialog.Box(2).BoxColor(), dialog.Well(2).GetColor());
    EXPECT_NE(dialog.Box(2).BoxColor(), before);

    ASSERT_TRUE(TabTo(dialog.Box(2).Hwnd()));
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    PressKeys({VK_RETURN}, &dialog);
    const std::wstring box3 = FormatColor(dialog.Box(2).BoxColor(), dialog.Box(2).CopyFormat());
    EXPECT_EQ(ClipboardText(), box3);
    dialog.Box(3).SetShading(kBoxLook, MakeColor(1, 2, 3));
    PressKeys({VK_CONTROL, 'C'}, &dialog);
    EXPECT_EQ(ClipboardText(), box3);
    EXPECT_EQ(GetFocus(), dialog.Box(2).Hwnd());
    EXPECT_EQ(mouseButtonMessages, 0);
}

// Enter on the selected-color well gives its color to box 1, as a click does; Shift+Space to its text.
TEST_F(KeyboardOnlyTest, SpaceAndEnterPressTheSelectedColorWell) {
    ASSERT_TRUE(TabTo(dialog.Well(0).Hwnd()));
    PressKeys({VK_RETURN}, &dialog);
    EXPECT_EQ(dialog.Box(0).BoxColor(), dialog.Well(0).GetColor());
    PressKeys({VK_SHIFT, VK_SPACE}, &dialog);
    EXPECT_EQ(dialog.Box(0).TextColor(), dialog.Well(0).GetColor());
    EXPECT_EQ(GetFocus(), dialog.Well(0).Hwnd());
}

// The pixel of the field's top-left corner, outside its frame: the face color unless the focus shows.
COLORREF CornerOf(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF corner = GetPixel(dc, 0, 0);
    ReleaseDC(window, dc);
    return corner;
}

// A window started with the mouse hides focus cues until a key is used: the dialog manager tells the
// controls so with WM_UPDATEUISTATE, which Wine does not send itself, so the test sends what Windows
// sends.
TEST_F(KeyboardOnlyTest, TheFocusShowsAfterAKeyButNotAfterAClick) {
    HWND field = dialog.Selector().Hwnd();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    SetFocus(field);
    SendMessageW(field, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    PumpMessages(&dialog);
    ASSERT_EQ(GetFocus(), field);
    EXPECT_EQ(CornerOf(field), face);
    SendMessageW(field, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_NE(CornerOf(field), face);
    // Reached with the keyboard, the field shows its focus.
    SendMessageW(field, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    PressKeys({VK_TAB}, &dialog);
    PressKeys({VK_SHIFT, VK_TAB}, &dialog);
    ASSERT_EQ(GetFocus(), field);
    EXPECT_NE(CornerOf(field), face);
    PressKeys({VK_TAB}, &dialog);
    EXPECT_EQ(CornerOf(field), face);
}

} // namespace
