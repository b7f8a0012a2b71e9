// The palette workspace in the real main dialog: shades in the wells, auto-assignment, the assign
// commands, Undo and the box pick, read back from the wells, the boxes and the selector.
#include "app/CHuewrightDlg.h"
#include "app/WorkspaceFlags.h"
#include "color/SelectorAxes.h"
#include "color/Shades.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class WorkspaceTest : public MainDialogFixture {
protected:
    WorkspaceTest() : MainDialogFixture(std::chrono::milliseconds(0)) {}

    // Sets a check box or radio as a click would, then tells the dialog it was clicked.
    void CheckAndClick(int id, bool check = true) {
        SendMessageW(dialog.Item(id), BM_SETCHECK, check, 0);
        PumpMessages(&dialog);
        Click(id);
    }
    void ClickWell(int index, UINT message = WM_LBUTTONUP) {
        SendMessageW(dialog.Well(index).Hwnd(), message, 0, MAKELPARAM(10, 10));
    }
    std::array<Color, 4> Backgrounds() {
        return {dialog.Box(0).BoxColor(), dialog.Box(1).BoxColor(), dialog.Box(2).BoxColor(),
                dialog.Box(3).BoxColor()};
    }
    void SetDecrement(int position) {
        HWND bar = dialog.Item(IDC_SHADE_DECREMENT);
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        SendMessageW(dialog.Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(bar));
    }
};

constexpr std::array<Color, 4> kDefaultBoxes = {0x00A1BEBE, 0x00ABC8C8, 0x00B5D2D2, 0x00BFDBDB};

TEST_F(WorkspaceTest, StartsWithTheDefaultPaletteAndNothingToUndo) {
    EXPECT_EQ(Backgrounds(), kDefaultBoxes);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialog.Box(i).TextColor(), 0x00556974u) << i;
    }
    Command(ID_UNDO_LAST_COLOR);
    EXPECT_EQ(Backgrounds(), kDefaultBoxes);
    EXPECT_EQ(dialog.Box(0).TextColor(), 0x00556974u);
}

TEST_F(WorkspaceTest, ClickingTheSelectedColorWellGivesBoxOneTheColor) {
    dialog.Selector().SetColor(MakeColor(10, 20, 30));
    ClickWell(0);
    EXPECT_EQ(dialog.Box(0).BoxColor(), MakeColor(10, 20, 30));
    EXPECT_EQ(lastChangedBox, &dialog.Box(0));
    // "In reverse" alone changes nothing while auto-assign is off.
    CheckAndClick(IDC_IN_REVERSE);
    dialog.Selector().SetColor(MakeColor(40, 50, 60));
    ClickWell(0);
    EXPECT_EQ(dialog.Box(0).BoxColor(), MakeColor(40, 50, 60));
    EXPECT_EQ(Backgrounds()[1], kDefaultBoxes[1]);
}

TEST_F(WorkspaceTest, AutoAssignInSequenceAndInReverseAndOneUndoRestoresAll) {
    dialog.Selector().SetColor(MakeColor(200, 100, 50));
    CheckAndClick(IDC_AUTO_ALL);
    ClickWell(0);
    auto wellColor = [this](int k) { return dialog.Well(k).GetColor(); };
    EXPECT_EQ(Backgrounds(), (std::array<Color, 4>{wellColor(0), wellColor(1), wellColor(2), wellColor(3)}));
    Command(ID_UNDO_LAST_COLOR);
    EXPECT_EQ(Backgrounds(), kDefaultBoxes);

    CheckAndClick(IDC_IN_REVERSE);
    EXPECT_TRUE(reverseAutoAssign);
    ClickWell(0);
    EXPECT_EQ(Backgrounds(), (std::array<Color, 4>{wellColor(3), wellColor(2), wellColor(1), wellColor(0)}));
    Command(ID_UNDO_LAST_COLOR);
    EXPECT_EQ(Backgrounds(), kDefaultBoxes);
    // A second Undo has nothing left to undo.
    Command(ID_UNDO_LAST_COLOR);
    EXPECT_EQ(Backgrounds(), kDefaultBoxes);
}

TEST_F(WorkspaceTest, AutoAssignFirstFollowsTheSelectedColor) {
    CheckAndClick(IDC_AUTO_FIRST);
    CheckAndClick(IDC_FIRST_BOX3);
    dialog.Selector().SetColor(MakeColor(1, 2, 3));
    EXPECT_EQ(dialog.Box(2).TextColor(), MakeColor(1, 2, 3));
    CheckAndClick(IDC_FIRST_TO_BOX);
    dialog.Selector().SetColor(MakeColor(4, 5, 6));
    EXPECT_EQ(dialog.Box(2).BoxColor(), MakeColor(4, 5, 6));
    EXPECT_EQ(lastChangedBox, &dialog.Box(2));
    Command(ID_UNDO_LAST_COLOR);
    EXPECT_EQ(dialog.Box(2).BoxColor(), kDefaultBoxes[2]);
}

TEST_F(WorkspaceTest, AssignCommandsTakeEachBoxsOwnWellAndUndoTwiceEqualsOnce) {
    dialog.Selector().SetColor(MakeColor(90, 60, 30));
    Command(ID_ASSIGN_BOX4);
    EXPECT_EQ(dialog.Box(3).BoxColor(), dialog.Well(3).GetColor());
    Command(ID_ASSIGN_TEXT3);
    EXPECT_EQ(dialog.Box(2).TextColor(), dialog.Well(2).GetColor());
    dialog.Box(2).UndoLastChange();
    dialog.Box(2).UndoLastChange();
    EXPECT_EQ(dialog.Box(2).TextColor(), 0x00556974u);
    EXPECT_EQ(dialog.Box(2).BoxColor(), kDefaultBoxes[2]);
}

TEST_F(WorkspaceTest, RightClickOnAWellGivesItsBoxTheTextColor) {
    ClickWell(2, WM_RBUTTONUP);
    EXPECT_EQ(dialog.Box(2).TextColor(), dialog.Well(2).GetColor());
    EXPECT_EQ(dialog.Box(2).BoxColor(), kDefaultBoxes[2]);
    EXPECT_EQ(lastChangedBox, &dialog.Box(2));
}

TEST_F(WorkspaceTest, BoxPickSelectsABoxColorEvenWhenMostlyCovered) {
    Command(ID_BOX_PICK3);
    EXPECT_EQ(dialog.Selector().CurrentColor(), kDefaultBoxes[2]);
    EXPECT_EQ(dialog.Well(0).GetColor(), kDefaultBoxes[2]);
}

// The decrement changes the shades only: the selected color is not rounded through the field again
// and the marker stays where it is. The start mode is Saturation, where that rounding would drift.
TEST_F(WorkspaceTest, MovingTheDecrementKeepsTheSelectedColorAndTheMarker) {
    GTColorSelectorWnd& selector = dialog.Selector();
    selector.SetColor(0x00C5C900);
    const Color kept = selector.CurrentColor();
    const std::array<int, 3> marker{selector.X(), selector.Y(), selector.Z()};
    for (int decrement : {30, 40, 50, 60, 70, 80}) {
        SetDecrement(decrement);
        EXPECT_EQ(selector.CurrentColor(), kept) << decrement;
        EXPECT_EQ((std::array<int, 3>{selector.X(), selector.Y(), selector.Z()}), marker) << decrement;
        auto shades = ShadesOf(ModeSaturation, kept, decrement);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(dialog.Well(k + 1).GetColor(), shades[k]) << decrement << " shade " << k;
        }
    }
}

struct ShadeCase {
    int modeButton;
    int modeIndex;
    int decrement;
};

class WellShadesTest : public WorkspaceTest, public ::testing::WithParamInterface<ShadeCase> {};

TEST_P(WellShadesTest, WellsShowTheShadesOfTheModeAndDecrement) {
    const ShadeCase& c = GetParam();
    SendMessageW(dialog.Item(c.modeButton), BM_CLICK, 0, 0);
    dialog.Selector().SetColor(MakeColor(200, 120, 40));
    SetDecrement(c.decrement);
    auto expected = ShadesOf(c.modeIndex, dialog.Well(0).GetColor(), c.decrement);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(dialog.Well(k + 1).GetColor(), expected[k]) << k;
    }
    if (c.modeIndex == ModeRed && c.decrement == 20) {
        // Factors 0.7333, 0.4666, 0.2 of red 200.
        EXPECT_EQ(RedOf(expected[0]), 146);
        EXPECT_EQ(RedOf(expected[2]), 40);
    }
}

INSTANTIATE_TEST_SUITE_P(RedAndSaturation, WellShadesTest,
                         ::testing::Values(ShadeCase{IDC_MODE_RED, ModeRed, 20},
                                           ShadeCase{IDC_MODE_RED, ModeRed, 90},
                                           ShadeCase{IDC_MODE_SATURATION, ModeSaturation, 20},
                                           ShadeCase{IDC_MODE_SATURATION, ModeSaturation, 90}));

} // namespace
