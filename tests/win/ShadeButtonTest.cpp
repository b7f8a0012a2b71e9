// The shaded buttons in the real main dialog, driven with real mouse input: radio groups, check
// buttons, double clicks, the faces on screen and the undo memory.
#include "app/CHuewrightDlg.h"
#include "framework/DialogGroup.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ShadeButtonTest : public MainDialogFixture {
protected:
    ShadeButtonTest() : MainDialogFixture(std::chrono::milliseconds(0)) {}
    void SetUp() override {
        MainDialogFixture::SetUp();
        SetWindowPos(dialog.Hwnd(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(dialog.Hwnd());
        // Long enough for the start-up font timer, which checks "B" and "i" for the default font.
        PumpMessages(&dialog, std::chrono::milliseconds(250));
    }

    POINT CentreOf(int id) { return ::CentreOf(dialog.Item(id)); }
    void MoveTo(POINT point) {
        MovePointerTo(point);
        PumpMessages(&dialog, std::chrono::milliseconds(30));
    }
    void SendMouse(DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(input));
        PumpMessages(&dialog, std::chrono::milliseconds(30));
    }
    void ClickOn(int id) {
        MoveTo(CentreOf(id));
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
        PumpMessages(&dialog, std::chrono::milliseconds(50));
    }
    bool Checked(int id) { return dialog.IsChecked(id); }
};

TEST_F(ShadeButtonTest, ARadioUnchecksTheOtherRadiosOfItsGroupOnly) {
    ASSERT_TRUE(Checked(IDC_BOLD));
    SetWindowTextW(dialog.Item(IDC_PALETTE_NAME), L"kept");

    // The group of box1..box4 runs on over the name edit, button 16 and the "i" and "B" buttons.
    ClickOn(IDC_FIRST_BOX3);
    EXPECT_TRUE(Checked(IDC_FIRST_BOX3));
    EXPECT_FALSE(Checked(IDC_FIRST_BOX1));
    EXPECT_TRUE(Checked(IDC_BOLD));
    EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"kept");
    // Other groups are left alone.
    EXPECT_TRUE(Checked(IDC_IN_SEQUENCE));
    EXPECT_TRUE(Checked(IDC_FIRST_TO_TEXT));
}

// The dialog manager's own walk, which goes round every child of the dialog for each group's end.
TEST_F(ShadeButtonTest, GroupMembersAreThoseTheDialogManagersWalkMeets) {
    int groups = 0;
    for (HWND child = GetWindow(dialog.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) {
            continue;
        }
        std::vector<HWND> walked;
        for (HWND next = GetNextDlgGroupItem(dialog.Hwnd(), child, FALSE); next && next != child;
             next = GetNextDlgGroupItem(dialog.Hwnd(), next, FALSE)) {
            walked.push_back(next);
        }
        EXPECT_EQ(OtherGroupMembers(child), walked) << "control " << GetDlgCtrlID(child);
        groups += walked.empty() ? 0 : 1;
    }
    EXPECT_GT(groups, 10);
}

TEST_F(ShadeButtonTest, ACheckButtonReleasedOutsideKeepsItsState) {
    MoveTo(CentreOf(IDC_AUTO_ALL));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    MoveTo(CentreOf(IDC_IN_REVERSE));
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(Checked(IDC_AUTO_ALL));
    EXPECT_FALSE(Checked(IDC_IN_REVERSE));

    ClickOn(IDC_AUTO_ALL);
    EXPECT_TRUE(Checked(IDC_AUTO_ALL));
}

TEST_F(ShadeButtonTest, ADoubleClickIsTwoClicks) {
    MoveTo(CentreOf(IDC_ITALIC));
    for (int click = 0; click < 2; ++click) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    PumpMessages(&dialog, std::chrono::milliseconds(50));
    // Checked at start for the italic default font; two toggles bring it back.
    EXPECT_TRUE(Checked(IDC_ITALIC));
}

TEST_F(ShadeButtonTest, ToolButtonsLightUpUnderTheMouse) {
    CxShadeButton& exit = dialog.ShadedButton(IDC_EXIT);
    MoveTo(CentreOf(IDC_EXIT));
    EXPECT_TRUE(exit.IsHovering());
    MoveTo(CentreOf(IDC_VIEW_NEXT));
    WaitFor([&] { return !exit.IsHovering(); }, std::chrono::milliseconds(500));
    EXPECT_FALSE(exit.IsHovering());
    // Boxes are inert.
    MoveTo(CentreOf(IDC_BOX1));
    EXPECT_FALSE(dialog.Box(0).IsHovering());
}

WNDPROC tooltipProc = nullptr;
POINT relayedPoint{};

LRESULT CALLBACK RecordRelayedPoint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT) {
        relayedPoint = reinterpret_cast<const MSG*>(lParam)->pt;
    }
    return CallWindowProcW(tooltipProc, hwnd, message, wParam, lParam);
}

// A pointer left of and above the button, as on a monitor left of or above the primary one.
TEST_F(ShadeButtonTest, TheTooltipGetsNegativeCoordinatesAsTheyAre) {
    // The pointer's first coming makes the tooltip.
    EXPECT_EQ(dialog.ShadedButton(IDC_BOLD).ToolTip(), nullptr);
    SendMessageW(dialog.Item(IDC_BOLD), WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    HWND tooltip = dialog.ShadedButton(IDC_BOLD).ToolTip();
    ASSERT_NE(tooltip, nullptr);
    tooltipProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tooltip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordRelayedPoint)));
    SendMessageW(dialog.Item(IDC_BOLD), WM_MOUSEMOVE, 0, MAKELPARAM(-5, -7));
    SetWindowLongPtrW(tooltip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tooltipProc));
    EXPECT_EQ(relayedPoint.x, -5);
    EXPECT_EQ(relayedPoint.y, -7);
}

// Boxes are flat fills of their color; labels and options carry a texture around the face color.
TEST_F(ShadeButtonTest, FacesReachTheScreen) {
    UpdateWindow(dialog.Hwnd());
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    HDC screen = GetDC(nullptr);
    auto pixelAt = [&](int id, int dx, int dy) {
        RECT rect{};
        GetWindowRect(dialog.Item(id), &rect);
        return GetPixel(screen, rect.left + dx, rect.top + dy);
    };
    EXPECT_EQ(pixelAt(IDC_BOX1, 2, 2), 0x00A1BEBEu);
    EXPECT_EQ(pixelAt(IDC_BOX4, 2, 2), 0x00BFDBDBu);
    // Box 3's corner lies outside box 4, which is painted on top of it.
    EXPECT_EQ(pixelAt(IDC_BOX3, 2, 2), 0x00B5D2D2u);
    ReleaseDC(nullptr, screen);

    const ShadeFaces& label = dialog.ShadedButton(IDC_SHADES_LABEL).Faces();
    ASSERT_FALSE(label.normal.IsEmpty());
    RECT rect{};
    GetWindowRect(dialog.Item(IDC_SHADES_LABEL), &rect);
    EXPECT_EQ(label.normal.Width(), rect.right - rect.left);
    EXPECT_EQ(label.normal.Height(), rect.bottom - rect.top);
}

} // namespace
