#include "color/SelectorAxes.h"
#include "color/Shades.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadesTest, PercentagesAtTheDefaultDecrement) {
    auto hue = ShadePercentages(ModeHue, 20.0);
    EXPECT_NEAR(hue[0], 26.6667, 1e-4);
    EXPECT_NEAR(hue[1], 53.3333, 1e-4);
    EXPECT_DOUBLE_EQ(hue[2], 80.0);
    auto saturation = ShadePercentages(ModeSaturation, 20.0);
    EXPECT_DOUBLE_EQ(saturation[0], 20.0);
    EXPECT_NEAR(saturation[1], 46.6667, 1e-4);
    EXPECT_NEAR(saturation[2], 73.3333, 1e-4);
}

TEST(ShadesTest, DecrementAtTheEndsOfTheTrackbar) {
    // p = 90: d = 3.333..., factors 0.9666, 0.9333, 0.9 outside Saturation mode.
    auto red = ShadesOf(ModeRed, MakeColor(200, 10, 20), 90.0);
    EXPECT_EQ(red[0], MakeColor(193, 10, 20)); // trunc(200 * 0.96667) = 193
    EXPECT_EQ(red[1], MakeColor(186, 10, 20)); // trunc(186.67)
    EXPECT_EQ(red[2], MakeColor(180, 10, 20));
    // p = 0: the third shade of the Red mode has factor 0.
    EXPECT_EQ(ShadesOf(ModeRed, MakeColor(200, 10, 20), 0.0)[2], MakeColor(0, 10, 20));
    // p = 0 in Saturation mode: the first shade keeps the saturation.
    Color blue = MakeColor(0, 0, 255);
    EXPECT_EQ(ShadesOf(ModeSaturation, blue, 0.0)[0], blue);
}

TEST(ShadesTest, RedModeExampleAtTwentyPercent) {
    auto shades = ShadesOf(ModeRed, MakeColor(200, 0, 0), 20.0);
    EXPECT_EQ(RedOf(shades[0]), 146);
    EXPECT_EQ(RedOf(shades[1]), 93);
    EXPECT_EQ(RedOf(shades[2]), 40);
}

} // namespace
