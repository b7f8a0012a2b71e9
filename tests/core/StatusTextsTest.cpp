#include "app/StatusTexts.h"

#include <gtest/gtest.h>

namespace {

struct SelectedCase {
    Color color;
    const wchar_t* expected;
};

// Red is the low byte of a Color but comes first in both the hexadecimal and the decimal part.
TEST(StatusTextsTest, SelectedColorInHexadecimalThenDecimal) {
    const SelectedCase cases[] = {
        {0x00D08300, L"Current selected color: #0083D0  RGB:0,131,208"},
        {0x00000000, L"Current selected color: #000000  RGB:0,0,0"},
        {0x00FFFFFF, L"Current selected color: #FFFFFF  RGB:255,255,255"},
        {0x000A0B0C, L"Current selected color: #0C0B0A  RGB:12,11,10"},
    };
    for (const auto& c : cases) {
        // The shades never show in this form.
        EXPECT_EQ(ColorStatusText({c.color, 0x00FFFFFF, 0x00123456, 0x00ABCDEF}, false), c.expected);
    }
}

TEST(StatusTextsTest, ShowAllListsSelectedColorAndShadesInWellOrder) {
    EXPECT_EQ(ColorStatusText({0x00D08300, 0x00A66900, 0x007D4F00, 0x00000A0F}, true),
              L"Shade colors: #0083D0 #0069A6 #004F7D #0F0A00");
}

TEST(StatusTextsTest, BoxColorsUpperCaseWithLeadingZeros) {
    EXPECT_EQ(BoxColorsText({0x00A1BEBE, 0x00ABC8C8, 0x00B5D2D2, 0x00010203}),
              L"Box colors: #BEBEA1 #C8C8AB #D2D2B5 #030201");
    EXPECT_EQ(BoxColorsText({0x00FFFFFF, 0, 0x000000FF, 0x00FF0000}),
              L"Box colors: #FFFFFF #000000 #FF0000 #0000FF");
}

TEST(StatusTextsTest, ExportAndImportCountPalettesAndRenames) {
    EXPECT_EQ(ExportStatusText(1, L"Sea.css"), L"Exported 1 palette to Sea.css");
    EXPECT_EQ(ImportStatusText(96, 0, L"gradient.gpl"), L"Imported 96 palettes from gradient.gpl");
    EXPECT_EQ(ImportStatusText(1, 1, L"Sea.json"), L"Imported 1 palette from Sea.json, 1 renamed");
    EXPECT_EQ(ImportStatusText(96, 3, L"gradient.gpl"), L"Imported 96 palettes from gradient.gpl, 3 renamed");
}

} // namespace
