// The color field driven with real messages: dragging, keys, locked tracking, double clicks,
// two-color blending, and the order in which it tells the other controls.
#include "color/SelectorAxes.h"
#include "tests/win/ColorControlsFixture.h"
#include "tests/win/TestSupport.h"

namespace {

// The field is 268 x 94: the inner area runs from (3, 3) to (265, 91), both inclusive; hit tests
// leave out the right and bottom edge.
constexpr int kCentreX = 134;
constexpr int kCentreY = 47;

using SelectorTest = ColorControlsTest;

TEST_F(SelectorTest, LeftDragPicksTheColorUnderTheMouse) {
    selector.SetColor(MakeColor(255, 0, 0)); // Hue mode: x = 1000, y = 1000, z = 0
    ClearRecords();
    HWND field = selector.Hwnd();
    Mouse(field, WM_LBUTTONDOWN, 200, 20, MK_LBUTTON);
    EXPECT_TRUE(selectorDragActive);
    EXPECT_EQ(GetCapture(), field);
    Mouse(field, WM_MOUSEMOVE, kCentreX, kCentreY, MK_LBUTTON);
    Mouse(field, WM_LBUTTONUP, kCentreX, kCentreY);

    // x = ceil(131 * 1000 / 262) = 500, y = ceil(44 * 1000 / 88) = 500
    EXPECT_EQ(selector.X(), 500);
    EXPECT_EQ(selector.Y(), 500);
    // Hue 0 at saturation and brightness 0.5: (127.5 -> 127, 63.75 -> 64, 64)
    EXPECT_EQ(selector.CurrentColor(), MakeColor(127, 64, 64));
    EXPECT_EQ(selectedWell.GetColor(), MakeColor(127, 64, 64));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(selectorDragActive);
    EXPECT_FALSE(selector.IsTracking());
    EXPECT_EQ(GetFocus(), field);
    ASSERT_FALSE(parent.statuses.empty());
    EXPECT_EQ(parent.statuses.back(), static_cast<WPARAM>(StatusUnlocked));
}

TEST_F(SelectorTest, NotifiesSliderWellShadesStatusAndParentInThatOrder) {
    selector.SetColor(MakeColor(0, 0, 200));
    EXPECT_EQ(log, (EventLog{"slider", "well", "status2", "parent"}));
    // By the time the status arrives the shade wells already hold the new shades.
    ASSERT_EQ(parent.shadesAtStatus.size(), 1u);
    for (Color shade : parent.shadesAtStatus[0]) {
        EXPECT_NE(shade, MakeColor(128, 255, 0));
    }
    // Hue mode at decrement 20 scales the hue (240 degrees) by 0.7333, 0.4667, 0.2.
    // 240 * 0.2 = 48 degrees: sector 0, f = 0.8: (v, t, p) = (200, 160, 0).
    EXPECT_EQ(parent.shadesAtStatus[0][2], MakeColor(200, 160, 0));
    EXPECT_EQ(parent.changedValues, (std::vector<std::uint32_t>{MakeColor(0, 0, 200)}));
}

TEST_F(SelectorTest, KeysMoveToCornersAndStopAtEdges) {
    selector.SetColor(MakeColor(255, 0, 0));
    SetFocus(selector.Hwnd());
    ClearRecords();
    Key(selector.Hwnd(), VK_PRIOR);
    EXPECT_EQ(selector.X(), 1000);
    EXPECT_EQ(selector.Y(), 1000);
    Key(selector.Hwnd(), VK_END);
    EXPECT_EQ(selector.X(), 0);
    EXPECT_EQ(selector.Y(), 0);
    EXPECT_EQ(selector.CurrentColor(), MakeColor(0, 0, 0));
    ClearRecords();
    Key(selector.Hwnd(), VK_LEFT);
    Key(selector.Hwnd(), VK_DOWN);
    EXPECT_TRUE(parent.changedValues.empty());
    Key(selector.Hwnd(), VK_UP);
    EXPECT_EQ(selector.Y(), 1);
    EXPECT_EQ(parent.changedValues.size(), 1u);
}

TEST_F(SelectorTest, MouseMoveWithoutTrackingOnlyReportsTheLockState) {
    int x = selector.X(), y = selector.Y();
    Mouse(selector.Hwnd(), WM_MOUSEMOVE, kCentreX, kCentreY);
    EXPECT_EQ(log, (EventLog{"status1"}));
    EXPECT_EQ(selector.X(), x);
    EXPECT_EQ(selector.Y(), y);
}

TEST_F(SelectorTest, CtrlLocksTrackingSoTheMouseAloneMovesTheMarker) {
    SetFocus(selector.Hwnd());
    ASSERT_TRUE(TapCtrl());
    ASSERT_TRUE(selector.IsTrackingLocked());
    ASSERT_FALSE(parent.statuses.empty());
    EXPECT_EQ(parent.statuses.front(), static_cast<WPARAM>(StatusLocked));
    ClearRecords();
    Mouse(selector.Hwnd(), WM_MOUSEMOVE, kCentreX, kCentreY);
    EXPECT_EQ(selector.X(), 500);
    EXPECT_EQ(parent.statuses.front(), static_cast<WPARAM>(StatusLocked));

    ASSERT_TRUE(TapCtrl());
    EXPECT_FALSE(selector.IsTrackingLocked());
    EXPECT_EQ(parent.statuses.back(), static_cast<WPARAM>(StatusUnlocked));
}

TEST_F(SelectorTest, DoubleClickOnlyTakesTheFocus) {
    selector.SetColor(MakeColor(255, 0, 0));
    SetFocus(parent.Hwnd());
    ClearRecords();
    Mouse(selector.Hwnd(), WM_LBUTTONDBLCLK, kCentreX, kCentreY, MK_LBUTTON);
    EXPECT_EQ(GetFocus(), selector.Hwnd());
    EXPECT_EQ(selector.X(), 1000);
    EXPECT_FALSE(selector.IsTracking());
    EXPECT_TRUE(parent.changedValues.empty());
}

TEST_F(SelectorTest, ClickOnTheFrameTakesTheFocusButDoesNotTrack) {
    Mouse(selector.Hwnd(), WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
    EXPECT_EQ(GetFocus(), selector.Hwnd());
    EXPECT_FALSE(selector.IsTracking());
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(selector.Hwnd(), WM_LBUTTONUP, 1, 1);
}

TEST_F(SelectorTest, LeftClickForgetsAPendingFirstBlendColor) {
    HWND field = selector.Hwnd();
    Mouse(field, WM_RBUTTONDOWN, 50, 50, MK_RBUTTON);
    Mouse(field, WM_RBUTTONUP, 50, 50);
    ASSERT_TRUE(selector.FirstPicked());
    Mouse(field, WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
    Mouse(field, WM_LBUTTONUP, 60, 60);
    EXPECT_FALSE(selector.FirstPicked());
    EXPECT_FALSE(selector.SquareMarker());
}

TEST_F(SelectorTest, MiddleButtonTracksUntilTheNextLeftRelease) {
    HWND field = selector.Hwnd();
    Mouse(field, WM_MBUTTONDOWN, kCentreX, kCentreY, MK_MBUTTON);
    Mouse(field, WM_MBUTTONUP, kCentreX, kCentreY);
    EXPECT_TRUE(selector.IsTracking());
    EXPECT_EQ(GetFocus(), field);
    Mouse(field, WM_MOUSEMOVE, 3, 90);
    EXPECT_EQ(selector.X(), 0);
    EXPECT_EQ(selector.Y(), 12); // ceil(1 * 1000 / 88)
    Mouse(field, WM_LBUTTONUP, 3, 91);
    EXPECT_FALSE(selector.IsTracking());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SelectorTest, ModeChangeResetsThePositionWithoutNotifying) {
    selector.SetColor(MakeColor(10, 20, 30));
    ClearRecords();
    selector.SetMode(SelectorModeCode(ModeBlue));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(selector.XMax(), 255);
    EXPECT_EQ(selector.GetColor(), MakeColor(0, 0, 0));
    selector.SetColor(MakeColor(10, 20, 30)); // Blue mode: x red, y green, z blue
    EXPECT_EQ(selector.X(), 10);
    EXPECT_EQ(selector.Y(), 20);
    EXPECT_EQ(selector.Z(), 30);
    selector.SetMode(0x86);
    EXPECT_EQ(selector.Mode(), ModeBlue);
}

TEST_F(SelectorTest, AnIdOfZeroNotifiesNobody) {
    GTColorSelectorWnd orphan;
    ASSERT_TRUE(orphan.Create(WS_CHILD, 0, 0, 40, 40, parent.Hwnd(), 0));
    ClearRecords();
    orphan.SetColor(MakeColor(1, 2, 3));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(orphan.NotifyColorChanged(0), -1);
}

TEST_F(SelectorTest, AsksForArrowsAndCharactersButLetsTabPass) {
    EXPECT_EQ(SendMessageW(selector.Hwnd(), WM_GETDLGCODE, 0, 0), 129);
}

TEST_F(SelectorTest, PaintsTheFieldIntoTheWindowBitmapRightSideUp) {
    selector.SetColor(MakeColor(0, 0, 255)); // Hue mode, hue 240
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kFieldWidth, kFieldHeight, 1, 32, BI_RGB};
    void* memory = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    SendMessageW(selector.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    auto pixel = [&](int x, int y) {
        return static_cast<Pixel*>(memory)[(kFieldHeight - 1 - y) * kFieldWidth + x];
    };
    // The inner black rectangle of the frame, one pixel inside the outer edge.
    EXPECT_EQ(pixel(2, 40), 0u);
    // Bottom inner row: brightness 0, black; left inner column: saturation 0, grey.
    EXPECT_EQ(pixel(100, 91), 0u);
    Pixel left = pixel(3, 30);
    EXPECT_EQ(left & 0xFF, (left >> 8) & 0xFF);
    EXPECT_EQ(left & 0xFF, (left >> 16) & 0xFF);
    // Top right: full saturation and brightness of hue 240, pure blue (0x00RRGGBB).
    EXPECT_EQ(pixel(265, 3) & 0xFFFF00, 0u);
    EXPECT_GT(pixel(265, 3) & 0xFF, 240u);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
}

} // namespace
