// Tools > Make dark variant on the real dialog: a new palette "Name (dark)" right after the shown one,
// shown, every box passing the inspector's target, and Esc does not take it back.
#include "app/CHuewrightDlg.h"
#include "color/Contrast.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

using DarkVariantCommandTest = MainDialogFixture;

TEST_F(DarkVariantCommandTest, MakesANamedDarkPaletteAfterTheShownOneThatEscDoesNotUndo) {
    SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, L"Sea");
    Click(IDC_SAVE_PALETTE);
    PumpMessages();
    ASSERT_EQ(std::filesystem::file_size("palettes.dat"), 260u);

    Command(ID_TOOLS_DARK_VARIANT);
    PumpMessages();
    EXPECT_EQ(std::filesystem::file_size("palettes.dat"), 2 * 260u);
    EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"Sea (dark)");
    const PaletteColors dark = BoxColors();
    // The inspector judges each box by its real text size.
    Command(ID_TOOLS_CHECKER);
    PumpMessages();
    for (int box = 0; box < 4; ++box) {
        EXPECT_LT(RelativeLuminance(dark.box[box]), RelativeLuminance(kDefaultPalette.box[box])) << box;
        EXPECT_TRUE(dialog.Checker().Checks().boxes[box].passesAA) << box;
    }
    Command(ID_UNDO_LAST_COLOR);
    PumpMessages();
    EXPECT_EQ(BoxColors(), dark);
}
