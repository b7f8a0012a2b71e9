// The two-color blend dialog, opened by two real right clicks in the color field and driven from
// inside its own modal loop with real keys on its trackbar.
#include "color/CColorBlend.h"
#include "color/SelectorAxes.h"
#include "framework/DcGuards.h"
#include "res/resource.h"
#include "tests/win/ColorControlsFixture.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>

namespace {

// Red mode at red 255: near the bottom-left corner and near the top-right one of the field.
constexpr Color kFirst = MakeColor(255, 3, 0);
constexpr Color kSecond = MakeColor(255, 255, 255);

class ColorBlendTest : public ColorControlsTest {
protected:
    POINT FieldPoint(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(selector.Hwnd(), &point);
        return point;
    }
    void DriveBlend(CColorBlend& blend);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    static inline ColorBlendTest* running = nullptr;
    ModalDrive stage = ModalDrive::Waiting;
};

// Ticks inside the dialog's modal loop.
void CALLBACK ColorBlendTest::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DriveModalOnce(running->selector.BlendDialog(), running->stage,
                   [](Dialog& blend) { running->DriveBlend(static_cast<CColorBlend&>(blend)); });
}

void ColorBlendTest::DriveBlend(CColorBlend& blend) {
    ASSERT_EQ(FindWindowW(nullptr, L"Two-color blend"), blend.Hwnd());
    HWND bar = blend.Item(IDC_BLEND_PERCENT);
    EXPECT_EQ(GetFocus(), bar);
    EXPECT_FALSE(IsWindowEnabled(parent.Hwnd()));
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 50);
    // trunc(3 * 0.5 + 255 * 0.5) = 129, trunc(255 * 0.5) = 127
    EXPECT_EQ(selector.CurrentColor(), MakeColor(255, 129, 127));

    RECT field{}, placed{};
    GetWindowRect(selector.Hwnd(), &field);
    GetWindowRect(blend.Hwnd(), &placed);
    EXPECT_EQ(placed.left, field.right + 2);
    EXPECT_EQ(placed.top, field.bottom + 1);

    PumpMessages(&blend, std::chrono::milliseconds(100));
    WindowDc screen(nullptr);
    auto centrePixel = [&](int id) {
        RECT rect{};
        GetWindowRect(blend.Item(id), &rect);
        return GetPixel(screen.Get(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    };
    EXPECT_EQ(centrePixel(IDC_BLEND_FIRST), kFirst);
    EXPECT_EQ(centrePixel(IDC_BLEND_SECOND), kSecond);

    PressKeys({VK_HOME}, &blend);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(selector.CurrentColor(), kSecond);
    PressKeys({VK_END}, &blend);
    EXPECT_EQ(selector.CurrentColor(), kFirst);
    // 99 %: trunc(2.97 + 2.55) = 5, trunc(2.55) = 2
    PressKeys({VK_LEFT}, &blend);
    EXPECT_EQ(selector.CurrentColor(), MakeColor(255, 5, 2));
    PressKeys({VK_ESCAPE}, &blend);
}

TEST_F(ColorBlendTest, TwoRightClicksOpenItAndItsTrackbarMixesLive) {
    selector.SetMode(SelectorModeCode(ModeRed));
    selector.SetColor(MakeColor(255, 0, 0));
    running = this;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
    MouseGesture({FieldPoint(3, 90)}, true);
    EXPECT_TRUE(selector.FirstPicked());
    MouseGesture({FieldPoint(264, 3)}, true);
    KillTimer(nullptr, timer);

    EXPECT_EQ(stage, ModalDrive::Driven);
    EXPECT_EQ(selector.BlendDialog(), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, L"Two-color blend"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(parent.Hwnd()));
    // Escape keeps the last mix; the marker still shows the second color.
    EXPECT_EQ(selector.CurrentColor(), MakeColor(255, 5, 2));
    EXPECT_EQ(selectedWell.GetColor(), MakeColor(255, 5, 2));
    EXPECT_EQ(selector.X(), 255);
    EXPECT_EQ(selector.Y(), 255);
    EXPECT_FALSE(selector.FirstPicked());
    EXPECT_FALSE(selector.IsTracking());
}

} // namespace
