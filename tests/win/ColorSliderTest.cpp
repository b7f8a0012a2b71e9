// The color slider driven with real messages, and its round trip with the color field.
#include "app/CHuewrightDlg.h"
#include "color/SelectorAxes.h"
#include "res/resource.h"
#include "tests/win/ColorControlsFixture.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using SliderTest = ColorControlsTest;

int Count(const EventLog& log, const std::string& event) {
    return static_cast<int>(std::count(log.begin(), log.end(), event));
}

TEST_F(SliderTest, FollowsTheFieldWithoutEchoing) {
    selector.SetColor(MakeColor(255, 0, 0)); // Hue mode: x 1000, y 1000, z 0
    EXPECT_EQ(slider.Pos(), 3599);
    EXPECT_EQ(slider.ComponentValue(), 0);
    EXPECT_EQ(slider.FixedFirst(), 1000);
    EXPECT_EQ(slider.FixedSecond(), 1000);
    EXPECT_EQ(Count(log, "slider"), 1);
    EXPECT_EQ(Count(log, "parent"), 1);
}

TEST_F(SliderTest, KeysStepTheHueByDegreesAndPages) {
    selector.SetColor(MakeColor(255, 0, 0));
    SetFocus(slider.Hwnd());
    ClearRecords();
    Key(slider.Hwnd(), VK_PRIOR);
    EXPECT_EQ(slider.Pos(), 3499);
    EXPECT_EQ(selector.Z(), 100);
    // One change travels slider -> field -> slider and stops there.
    EXPECT_EQ(Count(log, "slider"), 1);
    EXPECT_EQ(Count(log, "parent"), 1);
    Key(slider.Hwnd(), VK_UP);
    EXPECT_EQ(selector.Z(), 110);
    Key(slider.Hwnd(), VK_HOME);
    EXPECT_EQ(selector.Z(), 3599);
    Key(slider.Hwnd(), VK_END);
    EXPECT_EQ(selector.Z(), 0);
    ClearRecords();
    Key(slider.Hwnd(), VK_END);
    Key(slider.Hwnd(), VK_DOWN);
    Key(slider.Hwnd(), 'A');
    EXPECT_TRUE(log.empty());
}

TEST_F(SliderTest, DragBeyondTheEndsClampsToTheRange) {
    selector.SetColor(MakeColor(255, 0, 0));
    HWND bar = slider.Hwnd();
    Mouse(bar, WM_LBUTTONDOWN, 10, 50, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), bar);
    Mouse(bar, WM_MOUSEMOVE, 10, -500, MK_LBUTTON);
    EXPECT_EQ(slider.Pos(), 0);
    EXPECT_EQ(selector.Z(), 3599);
    Mouse(bar, WM_MOUSEMOVE, 10, 900, MK_LBUTTON);
    EXPECT_EQ(selector.Z(), 0);
    ClearRecords();
    Mouse(bar, WM_LBUTTONUP, 10, 900);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent.statuses.front(), static_cast<WPARAM>(StatusUnlocked));
    // The release notifies the field once more.
    EXPECT_EQ(Count(log, "parent"), 1);
}

TEST_F(SliderTest, DoubleClickAndMiddleButtonOnlyTakeTheFocus) {
    int before = slider.Pos();
    SetFocus(parent.Hwnd());
    Mouse(slider.Hwnd(), WM_LBUTTONDBLCLK, 10, 20, MK_LBUTTON);
    EXPECT_EQ(GetFocus(), slider.Hwnd());
    SetFocus(parent.Hwnd());
    Mouse(slider.Hwnd(), WM_MBUTTONDOWN, 10, 20, MK_MBUTTON);
    EXPECT_EQ(GetFocus(), slider.Hwnd());
    EXPECT_EQ(slider.Pos(), before);
    EXPECT_FALSE(slider.IsTracking());
}

TEST_F(SliderTest, ModesSetTheirRangesAndStartAtTheTop) {
    slider.SetMode(SelectorModeCode(ModeRed));
    EXPECT_EQ(slider.MaxPos(), 255);
    EXPECT_EQ(slider.Pos(), 255);
    slider.SetMode(1); // without the 0x80 bit the position starts at the minimum
    EXPECT_EQ(slider.Pos(), 0);
    EXPECT_EQ(slider.ComponentValue(), 0);
    slider.SetMode(0x87);
    EXPECT_EQ(slider.ModeCode(), 1);
}

TEST_F(SliderTest, BlueModeRampRunsThroughTheFieldsRedAndGreen) {
    selector.SetMode(SelectorModeCode(ModeBlue));
    slider.SetMode(SelectorModeCode(ModeBlue));
    selector.SetColor(MakeColor(200, 50, 10));
    EXPECT_EQ(slider.FixedFirst(), 50);   // green, the field's y
    EXPECT_EQ(slider.FixedSecond(), 200); // red, the field's x
    EXPECT_EQ(slider.ComponentValue(), 10);
}

TEST_F(SliderTest, AsksForArrowsAndCharactersButLetsTabPass) {
    EXPECT_EQ(SendMessageW(slider.Hwnd(), WM_GETDLGCODE, 0, 0), 129);
}

// Tab in the real dialog moves the focus on from the field and from the slider alike.
TEST(ColorControlsInDialogTest, TabLeavesTheFieldAndTheSlider) {
    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    PumpMessages(&dialog);
    HWND field = dialog.Selector().Hwnd();
    HWND bar = dialog.Slider().Hwnd();

    SetFocus(field);
    PostMessageW(field, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpMessages(&dialog);
    EXPECT_NE(GetFocus(), field);

    SetFocus(bar);
    PostMessageW(bar, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpMessages(&dialog);
    EXPECT_NE(GetFocus(), bar);
    DestroyWindow(dialog.Hwnd());
}

TEST(ColorControlsInDialogTest, StartsInSaturationModeWithTheFirstColor) {
    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_TRUE(dialog.IsChecked(IDC_MODE_SATURATION));
    EXPECT_EQ(dialog.Selector().Mode(), ModeSaturation);
    EXPECT_EQ(dialog.Slider().ModeCode(), SelectorModeCode(ModeSaturation));
    // 0x00D08300 is #0083D0; the field's hue/brightness grid keeps it exactly.
    EXPECT_EQ(dialog.Selector().CurrentColor(), 0x00D08300u);
    EXPECT_EQ(dialog.Well(0).GetColor(), 0x00D08300u);
    // The controls sit where their placeholders were and carry their ids.
    RECT placeholder, field;
    GetWindowRect(GetWindow(dialog.Selector().Hwnd(), GW_HWNDNEXT), &placeholder);
    GetWindowRect(dialog.Selector().Hwnd(), &field);
    EXPECT_TRUE(EqualRect(&placeholder, &field));
    EXPECT_EQ(GetDlgCtrlID(dialog.Selector().Hwnd()), IDC_SELECTOR);

    // A mode radio switches both controls and keeps the color.
    SendMessageW(dialog.Item(IDC_MODE_RED), BM_CLICK, 0, 0);
    PumpMessages(&dialog);
    EXPECT_EQ(dialog.Selector().Mode(), ModeRed);
    EXPECT_EQ(dialog.Slider().ModeCode(), SelectorModeCode(ModeRed));
    EXPECT_EQ(dialog.Selector().CurrentColor(), 0x00D08300u);
    EXPECT_EQ(dialog.Selector().Z(), 0); // red channel
    EXPECT_EQ(dialog.Selector().X(), 0xD0);
    DestroyWindow(dialog.Hwnd());
    TakeQuitMessage();
}

TEST(ColorControlsInDialogTest, ShadeDecrementFollowsTheTrackbar) {
    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    SendMessageW(dialog.Item(IDC_MODE_RED), BM_CLICK, 0, 0);
    dialog.Selector().SetColor(MakeColor(200, 0, 0));
    HWND bar = dialog.Item(IDC_SHADE_DECREMENT);
    SendMessageW(bar, TBM_SETPOS, TRUE, 90);
    SendMessageW(dialog.Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 90), reinterpret_cast<LPARAM>(bar));
    // p = 90: factors 0.9666, 0.9333, 0.9 of red 200.
    EXPECT_EQ(dialog.Well(1).GetColor(), MakeColor(193, 0, 0));
    EXPECT_EQ(dialog.Well(2).GetColor(), MakeColor(186, 0, 0));
    EXPECT_EQ(dialog.Well(3).GetColor(), MakeColor(180, 0, 0));
    DestroyWindow(dialog.Hwnd());
}

} // namespace
