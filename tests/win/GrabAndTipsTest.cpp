// The desktop grab, reading a window of known color through real mouse input, and the texts of
// the dialog's own tooltip, which give way to the option and to a running grab.
#include "app/AccessibleTexts.h"
#include "app/CHuewrightDlg.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

constexpr COLORREF kPainted = RGB(12, 160, 99);

// A top-level window filled with one color, away from the dialog: 120 x 80 pixels from (left, 500).
class ColorPatch {
public:
    explicit ColorPatch(COLORREF color = kPainted, int left = 700)
        : brush(CreateSolidBrush(color)), className(L"HuewrightTestPatch" + std::to_wstring(color)),
          left(left) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = brush.Get();
        windowClass.lpszClassName = className.c_str();
        RegisterClassW(&windowClass);
        window.Reset(CreateWindowExW(WS_EX_TOPMOST, className.c_str(), nullptr, WS_POPUP | WS_VISIBLE, left,
                                     500, 120, 80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        UpdateWindow(window.Get());
    }
    ~ColorPatch() {
        window.Reset();
        UnregisterClassW(className.c_str(), GetModuleHandleW(nullptr));
    }
    POINT Centre() const { return {left + 60, 540}; }

private:
    UniqueBrush brush;
    std::wstring className;
    int left;
    UniqueWindow window;
};

class GrabAndTipsTest : public MainDialogFixture {
protected:
    // A grab started by a real click on its button, then held over the painted patch at `point`.
    void GrabOver(POINT point) {
        MouseGesture({CentreOf(dialog.Item(IDC_DESKTOP_GRAB))});
        MovePointerTo(point);
        PumpMessages(&dialog, std::chrono::milliseconds(100));
        ASSERT_EQ(dialog.Selector().CurrentColor(), kPainted);
    }
    // What the dialog answers a tooltip that asks for the text of control `id`.
    std::wstring TipText(int id) {
        NMTTDISPINFOW request{};
        request.hdr.hwndFrom = tooltip.Get();
        request.hdr.idFrom = reinterpret_cast<UINT_PTR>(dialog.Item(id));
        request.hdr.code = TTN_NEEDTEXTW;
        request.uFlags = TTF_IDISHWND;
        request.lpszText = request.szText;
        SendMessageW(dialog.Hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&request));
        return request.lpszText ? request.lpszText : L"";
    }

    UniqueWindow tooltip{CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         GetModuleHandleW(nullptr), nullptr)};
};

TEST_F(GrabAndTipsTest, TheDialogTooltipHasATextForEachOfItsControls) {
    const std::pair<int, const wchar_t*> kTexts[] = {
        {IDC_BOX_PICK, L"Set a palette box color as the selected color."},
        {IDC_DESKTOP_GRAB, L"Click to grab a color from the desktop."},
        {IDC_SELECTOR,
         L"Left-click (and drag) to select a new color.\r\nUse the Ctrl key to lock or unlock mouse "
         L"tracking.\r\nRight-click to select 1st and 2nd colors to blend."},
        {IDC_SLIDER,
         L"Move the slider up and down to adjust the selected parameter.\r\nYou can also use the up/down "
         L"arrow keys.\r\nUse the Ctrl key to lock or unlock mouse tracking."},
        {IDC_WELL1, L"Left-click to assign color to test palette boxes below; right-click for text."},
        {IDC_WELL2, L"You can also drag-and-drop while holding down left or right mouse button."},
        {IDC_WELL3, L"Left- or right-click to assign color to palette box 3 or its text, respectively."},
        {IDC_WELL4, L"Left- or right-click to assign color to palette box 4 or its text, respectively"},
        {IDC_SEARCH, L""},
    };
    // A well's tip also names the color it shows.
    const auto named = [this](int id) {
        for (int well = 0; well < 4; ++well) {
            if (dialog.Well(well).Hwnd() == dialog.Item(id)) {
                return L"\r\n" + NamedColorText(dialog.Well(well).GetColor());
            }
        }
        return std::wstring();
    };
    for (auto [id, text] : kTexts) {
        EXPECT_EQ(TipText(id), text + named(id)) << id;
    }
    EXPECT_EQ(SendMessageW(tooltip.Get(), TTM_GETMAXTIPWIDTH, 0, 0), ScaleForWindow(dialog.Hwnd(), 600));
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_NO_TOOLTIPS, 0);
    EXPECT_EQ(TipText(IDC_WELL1), L"");
}

// The tooltip hears the pointer through the dialog's loop: resting on the field shows the field's tip.
TEST_F(GrabAndTipsTest, TheFieldsTipShowsUnderARealPointer) {
    const POINT centre = CentreOf(dialog.Item(IDC_SELECTOR));
    MovePointerTo({centre.x - 5, centre.y}, &dialog);
    MovePointerTo(centre, &dialog);
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            PumpMessages(&dialog, std::chrono::milliseconds(50));
            shown = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
            while (shown && !(IsWindowVisible(shown) && GetWindow(shown, GW_OWNER) == dialog.Hwnd())) {
                shown = FindWindowExW(nullptr, shown, TOOLTIPS_CLASSW, nullptr);
            }
            return shown != nullptr;
        },
        std::chrono::seconds(3)));
    TOOLINFOW tool{sizeof(tool)};
    ASSERT_TRUE(SendMessageW(shown, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), dialog.Item(IDC_SELECTOR));
    MovePointerTo({0, 0});
}

// Started by a real click on its button, as a user starts it.
TEST_F(GrabAndTipsTest, TheGrabReadsTheScreenAndARightReleaseRestoresThePlacement) {
    ColorPatch patch;
    PumpMessages(&dialog, std::chrono::milliseconds(50));
    WINDOWPLACEMENT before{sizeof(before)};
    GetWindowPlacement(dialog.Hwnd(), &before);
    MouseGesture({CentreOf(dialog.Item(IDC_DESKTOP_GRAB))});
    PumpMessages(&dialog, std::chrono::milliseconds(50));
    RECT shrunk{};
    GetWindowRect(dialog.Hwnd(), &shrunk);
    EXPECT_LT(shrunk.bottom - shrunk.top, before.rcNormalPosition.bottom - before.rcNormalPosition.top);
    EXPECT_EQ(GetCapture(), dialog.Hwnd());
    EXPECT_EQ(TipText(IDC_WELL1), L"");

    MovePointerTo(patch.Centre());
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    EXPECT_EQ(dialog.Selector().CurrentColor(), kPainted);

    MouseGesture({patch.Centre()}, true);
    WINDOWPLACEMENT after{sizeof(after)};
    GetWindowPlacement(dialog.Hwnd(), &after);
    EXPECT_TRUE(EqualRect(&after.rcNormalPosition, &before.rcNormalPosition));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(dialog.Selector().CurrentColor(), kPainted);
    EXPECT_NE(TipText(IDC_WELL1), L"");
}

// The magnifier sits 24 pixels (at 96 DPI) below right of the cursor; one longer move lands on its
// old place, where the screen shows another color than the magnifier's picture of the first patch.
TEST_F(GrabAndTipsTest, OneLongMoveReadsTheScreenNotTheMagnifier) {
    constexpr COLORREF kOther = RGB(200, 30, 30);
    ColorPatch first;
    ColorPatch second(kOther, 760);
    ASSERT_NO_FATAL_FAILURE(GrabOver({705, 505}));
    RECT magnifier{};
    GetWindowRect(dialog.Magnifier().Hwnd(), &magnifier);
    const int gap = ScaleForWindow(dialog.Hwnd(), 24);
    const POINT target{705 + gap + 36, 505 + gap + 6};
    ASSERT_TRUE(PtInRect(&magnifier, target));

    MovePointerTo(target);
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    EXPECT_EQ(dialog.Selector().CurrentColor(), kOther);
    EXPECT_EQ(dialog.Magnifier().CentreColor(), kOther);
    PressKeys({VK_RETURN}, &dialog);
}

// During a grab Enter ends it, even in the color value field, whose entry it leaves alone.
TEST_F(GrabAndTipsTest, EnterInTheColorValueFieldEndsTheGrab) {
    ColorPatch patch;
    ASSERT_NO_FATAL_FAILURE(GrabOver(patch.Centre()));
    HWND field = dialog.Item(IDC_COLOR_VALUE);
    SetWindowTextW(field, L"#FF0000");
    SetFocus(field);

    PressKeys({VK_RETURN}, &dialog);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog.Magnifier().Hwnd()));
    EXPECT_EQ(dialog.Selector().CurrentColor(), kPainted);
    EXPECT_EQ(GetFocus(), field);
}

} // namespace
