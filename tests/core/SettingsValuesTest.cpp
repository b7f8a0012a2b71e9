// The rules that turn stored settings into program values.
#include "app/SettingsValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SettingsValuesTest, CopyFormatMarkerAndLength) {
    EXPECT_EQ(CopyFormatFromStored(L"no path found"), L"#RRGGBB");
    EXPECT_EQ(CopyFormatFromStored(L"no path found "), L"no path found ");
    EXPECT_EQ(CopyFormatFromStored(L""), L"");
    EXPECT_EQ(CopyFormatFromStored(std::wstring(40, L'x')), std::wstring(32, L'x'));
}

TEST(SettingsValuesTest, AColorWithBitsAboveTwentyFourIsNoColor) {
    const Color fallback = 0x00D08300;
    EXPECT_EQ(ColorFromStored(0, fallback), 0u);
    EXPECT_EQ(ColorFromStored(0x00FFFFFF, fallback), 0x00FFFFFFu);
    EXPECT_EQ(ColorFromStored(0x01000000, fallback), fallback);
    EXPECT_EQ(ColorFromStored(-1, fallback), fallback);
    EXPECT_EQ(ColorFromStored(INT_MIN, fallback), fallback);
}

struct PlacementCase {
    int left, top;
    bool placed;
    int expectedLeft, expectedTop;
};

TEST(SettingsValuesTest, PlacementKeepsTheSizeAndNeedsSomeOfTheScreen) {
    const PlacementCase cases[] = {
        {0, 0, true, 1, 1},             // nothing stored, or exactly (0, 0)
        {0, 5, true, 0, 5},             // only both zero moves
        {-300, -200, true, -300, -200}, // partly on screen
        {-400, 10, false, 0, 0},        // right edge at 0: entirely off
        {1024, 10, false, 0, 0},        // past the right edge
        {10, 768, false, 0, 0},         // below the bottom edge
        {INT_MAX - 5, 10, false, 0, 0},
    };
    for (const auto& c : cases) {
        auto placed = PlacementFromStored(c.left, c.top, 400, 300, 1024, 768);
        ASSERT_EQ(placed.has_value(), c.placed) << c.left << "," << c.top;
        if (placed) {
            EXPECT_EQ(placed->left, c.expectedLeft);
            EXPECT_EQ(placed->top, c.expectedTop);
            EXPECT_EQ(placed->right - placed->left, 400);
            EXPECT_EQ(placed->bottom - placed->top, 300);
        }
    }
}

} // namespace
