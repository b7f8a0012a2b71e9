// The tonal scales window on the real dialog, driven by real keys and mouse input: F3 opens it beside
// the inspector, its swatches show the scales of the palette and the selected color and follow
// them, a click makes a step the selected color and a drag drops it on a box.
#include "app/CHuewrightDlg.h"
#include "framework/OleSession.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TonalScalesWindowTest : public MainDialogFixture {
protected:
    HWND ScalesWindow() { return dialog.Scales().Hwnd(); }
    // The swatch's color as the screen shows it, in its top-left corner, clear of its text.
    Color ShownColor(int row, int step) {
        const RECT swatch = dialog.Scales().SwatchRect(row, step);
        POINT corner{swatch.left + 2, swatch.top + 2};
        ClientToScreen(ScalesWindow(), &corner);
        HDC screen = GetDC(nullptr);
        const Color color = GetPixel(screen, corner.x, corner.y);
        ReleaseDC(nullptr, screen);
        return color;
    }
    POINT SwatchCentre(int row, int step) {
        const RECT swatch = dialog.Scales().SwatchRect(row, step);
        POINT centre{(swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2};
        ClientToScreen(ScalesWindow(), &centre);
        return centre;
    }
    void ExpectRowShows(int row, Color source) {
        const TonalScale expected = MakeTonalScale(source);
        for (int step = 0; step < kScaleSteps; ++step) {
            EXPECT_EQ(ShownColor(row, step), expected.steps[step]) << "row " << row << " step " << step;
        }
    }

    // The boxes are drop targets only under OLE.
    OleSession ole;
};

TEST_F(TonalScalesWindowTest, F3OpensTheScalesBesideTheInspectorAndTheyFollowTheWorkspace) {
    PressKeys({VK_F2}, &dialog);
    PressKeys({VK_F3}, &dialog);
    PumpMessages(&dialog);
    ASSERT_TRUE(dialog.Scales().IsOpen());
    ASSERT_TRUE(IsWindowVisible(ScalesWindow()));
    // Right of the inspector, as far as the screen leaves room.
    RECT inspector{}, scales{};
    GetWindowRect(dialog.Checker().Hwnd(), &inspector);
    GetWindowRect(ScalesWindow(), &scales);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(scales.left,
              std::max(work.left, std::min(inspector.right, work.right - (scales.right - scales.left))));
    EXPECT_EQ(scales.top, inspector.top);
    const PaletteColors colors = BoxColors();
    for (int box = 0; box < 4; ++box) {
        ExpectRowShows(2 * box, colors.box[box]);
        ExpectRowShows(2 * box + 1, colors.text[box]);
    }
    ExpectRowShows(8, dialog.Selector().CurrentColor());

    // A new selected color and box 1 given it: both rows follow.
    dialog.Selector().SetColor(0x2040C0);
    Command(ID_ASSIGN_BOX1);
    PumpMessages(&dialog);
    ExpectRowShows(0, 0x2040C0);
    ExpectRowShows(8, 0x2040C0);

    PressKeys({VK_F3}, &dialog);
    EXPECT_FALSE(IsWindowVisible(ScalesWindow()));
}

TEST_F(TonalScalesWindowTest, AClickMakesAStepTheSelectedColorAndADragGivesItToABox) {
    Command(ID_TOOLS_TONAL_SCALES);
    PumpMessages(&dialog);
    // Out of the way of the boxes, at the screen's bottom right.
    RECT scales{};
    GetWindowRect(ScalesWindow(), &scales);
    SetWindowPos(ScalesWindow(), nullptr, GetSystemMetrics(SM_CXSCREEN) - (scales.right - scales.left),
                 GetSystemMetrics(SM_CYSCREEN) - (scales.bottom - scales.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(&dialog);
    for (int box : {0, 1}) {
        ASSERT_EQ(WindowFromPoint(CentreOf(dialog.Box(box).Hwnd())), dialog.Box(box).Hwnd()) << box;
    }
    const TonalScale box2 = dialog.Scales().Scale(2);
    MouseGesture({SwatchCentre(2, 8)}, false, &dialog);
    EXPECT_EQ(dialog.Selector().CurrentColor(), box2.steps[8]);

    const Color step = dialog.Scales().Scale(0).steps[3];
    MouseGesture({SwatchCentre(0, 3), CentreOf(dialog.Box(0).Hwnd())}, false, &dialog);
    EXPECT_EQ(dialog.Box(0).BoxColor(), step);
    MouseGesture({SwatchCentre(0, 3), CentreOf(dialog.Box(1).Hwnd())}, true, &dialog);
    EXPECT_EQ(dialog.Box(1).TextColor(), step);
}

} // namespace
