// Tests of the color math core. Every expected value is computed by hand from the formulas; F = 255 << 20 =
// 267386880 and "a >> 20" means a / 1048576 truncated.
#include "color/ColorMath.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Local spellings of the expected values, independent of the code under test.
constexpr Pixel Px(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
constexpr Color Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
constexpr Pixel kSentinel = 0xFF000000u; // generators never set the high byte

struct Rgbd {
    double r, g, b;
};

Rgbd ToRgb(double h, double s, double v, int* result = nullptr) {
    Rgbd out{-7.0, -7.0, -7.0};
    const int rc = ColorMath::HsbToRgb(h, s, v, out.r, out.g, out.b);
    if (result)
        *result = rc;
    return out;
}

} // namespace

// ---------------------------------------------------------------- helpers

TEST(ColorHelpers, LayoutsAndSwap) {
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(RedOf(0x00563412u), 0x12);
    EXPECT_EQ(GreenOf(0x00563412u), 0x34);
    EXPECT_EQ(BlueOf(0x00563412u), 0x56);
    EXPECT_EQ(ColorToPixel(0x00563412u), 0x00123456u);
}

TEST(ColorHelpers, ControlScalesUseCeiling) {
    EXPECT_EQ(HueToTenths(120.0), 1200);
    EXPECT_EQ(HueToTenths(120.01), 1201); // 1200.1 -> 1201
    EXPECT_EQ(HueToTenths(359.95), 3600); // above 359.9 -> 3600
    EXPECT_EQ(SaturationToThousandths(0.5), 500);
    EXPECT_EQ(SaturationToThousandths(0.5001), 501);        // 500.1 -> 501
    EXPECT_EQ(BrightnessToThousandths(128.0 / 255.0), 502); // 501.96 -> 502
    EXPECT_EQ(BrightnessToThousandths(0.0), 0);
}

// ---------------------------------------------------------------- HsbToRgb

TEST(HsbToRgb, SaturationZeroGivesBrightnessWhateverTheHue) {
    for (double h : {0.0, 45.0, 200.0, 360.0}) {
        int rc = 1;
        const Rgbd c = ToRgb(h, 0.0, 0.5, &rc);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(c.r, 0.5);
        EXPECT_EQ(c.g, 0.5);
        EXPECT_EQ(c.b, 0.5);
    }
}

TEST(HsbToRgb, Hue360EqualsHue0) {
    const Rgbd a = ToRgb(360.0, 1.0, 1.0);
    const Rgbd b = ToRgb(0.0, 1.0, 1.0);
    EXPECT_EQ(a.r, 1.0);
    EXPECT_EQ(a.g, 0.0);
    EXPECT_EQ(a.b, 0.0);
    EXPECT_EQ(b.r, 1.0);
    EXPECT_EQ(b.g, 0.0);
    EXPECT_EQ(b.b, 0.0);
    // s = 0.5, v = 0.8: sector 0, f = 0: (v, t, p) with t = p = 0.8 * 0.5 = 0.4
    const Rgbd c = ToRgb(360.0, 0.5, 0.8);
    EXPECT_DOUBLE_EQ(c.r, 0.8);
    EXPECT_DOUBLE_EQ(c.g, 0.4);
    EXPECT_DOUBLE_EQ(c.b, 0.4);
}

TEST(HsbToRgb, EverySector) {
    // s = v = 1, f = 0.5 (hue = 60 i + 30): p = 0, q = 0.5, t = 0.5.
    const struct {
        double h, r, g, b;
    } cases[] = {
        {30.0, 1.0, 0.5, 0.0},  // 0: (v, t, p)
        {90.0, 0.5, 1.0, 0.0},  // 1: (q, v, p)
        {150.0, 0.0, 1.0, 0.5}, // 2: (p, v, t)
        {210.0, 0.0, 0.5, 1.0}, // 3: (p, q, v)
        {270.0, 0.5, 0.0, 1.0}, // 4: (t, p, v)
        {330.0, 1.0, 0.0, 0.5}, // 5: (v, p, q)
    };
    for (const auto& k : cases) {
        int rc = 1;
        const Rgbd c = ToRgb(k.h, 1.0, 1.0, &rc);
        EXPECT_EQ(rc, 0) << k.h;
        EXPECT_DOUBLE_EQ(c.r, k.r) << k.h;
        EXPECT_DOUBLE_EQ(c.g, k.g) << k.h;
        EXPECT_DOUBLE_EQ(c.b, k.b) << k.h;
    }
    // hue 200, s 0.5, v 0.8: 200/60 = 3.333: sector 3, f = 1/3;
    // p = 0.8 * 0.5 = 0.4, q = 0.8 * (1 - 0.5/3) = 0.8 * 5/6 = 0.6667 -> (p, q, v)
    const Rgbd c = ToRgb(200.0, 0.5, 0.8);
    EXPECT_NEAR(c.r, 0.4, 1e-12);
    EXPECT_NEAR(c.g, 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(c.b, 0.8, 1e-12);
}

TEST(HsbToRgb, RangeChecksReturnMinusOneAndLeaveOutputsUntouched) {
    const struct {
        double h, s, v;
    } bad[] = {
        {0.0, -0.01, 0.5}, {0.0, 1.01, 0.5},  {0.0, 0.5, -0.01},
        {0.0, 0.5, 1.01},  {-0.01, 0.5, 0.5}, {360.01, 0.5, 0.5},
    };
    for (const auto& k : bad) {
        int rc = 0;
        const Rgbd c = ToRgb(k.h, k.s, k.v, &rc);
        EXPECT_EQ(rc, -1);
        EXPECT_EQ(c.r, -7.0);
        EXPECT_EQ(c.g, -7.0);
        EXPECT_EQ(c.b, -7.0);
    }
    // The bounds themselves are valid.
    int rc = 1;
    ToRgb(360.0, 1.0, 1.0, &rc);
    EXPECT_EQ(rc, 0);
    ToRgb(0.0, 0.0, 0.0, &rc);
    EXPECT_EQ(rc, 0);
}

TEST(HsbToRgb, NanIsNotRejectedAndIsSafe) {
    const double nan = std::nan("");
    int rc = 1;
    const Rgbd c = ToRgb(nan, 1.0, 1.0, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(c.r, 1.0); // treated as sector 0, fraction 0 -> (v, t, p) = (1, 0, 0)
    EXPECT_EQ(ColorMath::HsbToColor(0.0, nan, 1.0) >> 24, 0u); // some color, no UB
}

// ---------------------------------------------------------------- HsbToColor

TEST(HsbToColor, HalfRoundsDown) {
    // 0.5 * 255 = 127.5; ceil(127.5 - 0.5) = 127
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 0.0, 0.5), Rgb(127, 127, 127));
    // 128/255 * 255 = 128; ceil(127.5) = 128
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 0.0, 128.0 / 255.0), Rgb(128, 128, 128));
    // 0.502 * 255 = 128.01; ceil(127.51) = 128
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 0.0, 0.502), Rgb(128, 128, 128));
    // 0.5018 * 255 = 127.959; ceil(127.459) = 128 (nearest)
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 0.0, 0.5018), Rgb(128, 128, 128));
    // 0.4995 * 255 = 127.37; ceil(126.87) = 127
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 0.0, 0.4995), Rgb(127, 127, 127));
}

TEST(HsbToColor, PrimariesAndFailure) {
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 1.0, 1.0), Rgb(255, 0, 0));
    EXPECT_EQ(ColorMath::HsbToColor(360.0, 1.0, 1.0), Rgb(255, 0, 0));
    EXPECT_EQ(ColorMath::HsbToColor(120.0, 1.0, 1.0), Rgb(0, 255, 0));
    EXPECT_EQ(ColorMath::HsbToColor(240.0, 1.0, 1.0), Rgb(0, 0, 255));
    // hue 240, s 0.5, v 1: sector 4, f 0: (t, p, v) = (0.5, 0.5, 1) -> 127, 127, 255
    EXPECT_EQ(ColorMath::HsbToColor(240.0, 0.5, 1.0), Rgb(127, 127, 255));
    EXPECT_EQ(ColorMath::HsbToColor(400.0, 1.0, 1.0), 0u);
    EXPECT_EQ(ColorMath::HsbToColor(0.0, 2.0, 1.0), 0u);
}

// ---------------------------------------------------------------- RgbToHsb

namespace {
struct Hsbd {
    double h, s, v;
    int rc;
};
Hsbd ToHsb(double r, double g, double b) {
    Hsbd out{-7.0, -7.0, -7.0, 1};
    out.rc = ColorMath::RgbToHsb(r, g, b, out.h, out.s, out.v);
    return out;
}
} // namespace

TEST(RgbToHsb, PrimariesSecondariesAndGreys) {
    const struct {
        double r, g, b, h, s, v;
    } cases[] = {
        {1, 0, 0, 0, 1, 1},         // red: (0 - 0)/1 = 0
        {0, 1, 0, 120, 1, 1},       // green: (0 - 0)/1 + 2 = 2 -> 120
        {0, 0, 1, 240, 1, 1},       // blue: (0 - 0)/1 + 4 = 4 -> 240
        {1, 0, 1, 300, 1, 1},       // red wins: (0 - 1)/1 = -1 -> -60 + 360
        {1, 1, 0, 60, 1, 1},        // red wins over green: (1 - 0)/1 = 1 -> 60
        {0, 0, 0, 0, 0, 0},         // black
        {0.5, 0.5, 0.5, 0, 0, 0.5}, // grey: delta 0 -> s 0, h 0
    };
    for (const auto& k : cases) {
        const Hsbd c = ToHsb(k.r, k.g, k.b);
        EXPECT_EQ(c.rc, 0);
        EXPECT_DOUBLE_EQ(c.h, k.h) << k.r << k.g << k.b;
        EXPECT_DOUBLE_EQ(c.s, k.s) << k.r << k.g << k.b;
        EXPECT_DOUBLE_EQ(c.v, k.v) << k.r << k.g << k.b;
    }
    // (0.2, 0.4, 0.8): max blue, delta 0.6, s = 0.75, h = ((0.2-0.4)/0.6 + 4) * 60 = 220
    const Hsbd c = ToHsb(0.2, 0.4, 0.8);
    EXPECT_NEAR(c.h, 220.0, 1e-9);
    EXPECT_NEAR(c.s, 0.75, 1e-12);
    EXPECT_EQ(c.v, 0.8);
}

TEST(RgbToHsb, OutOfRangeReturnsMinusOneUntouched) {
    for (const auto& in : {std::array<double, 3>{-0.1, 0, 0}, std::array<double, 3>{0, 1.1, 0},
                           std::array<double, 3>{0.5, 0.5, 1.0001}}) {
        const Hsbd c = ToHsb(in[0], in[1], in[2]);
        EXPECT_EQ(c.rc, -1);
        EXPECT_EQ(c.h, -7.0);
        EXPECT_EQ(c.s, -7.0);
        EXPECT_EQ(c.v, -7.0);
    }
}

// ---------------------------------------------------------------- ShadeColor

TEST(ShadeColor, RedModeWorkspaceExampleP20) {
    // p = 20: d = 80/3 = 26.67; percentages d, 2d, 3d.
    // 200 * (100 - 26.67) / 100 = 146.67 -> 146; 200 * 46.67 / 100 = 93.33 -> 93; 200 * 20 / 100 = 40
    const double p = 20.0, d = (100.0 - p) / 3.0;
    const Color c = Rgb(200, 10, 20);
    EXPECT_EQ(ShadeColor(0, c, d), Rgb(146, 10, 20));
    EXPECT_EQ(ShadeColor(0, c, 2 * d), Rgb(93, 10, 20));
    EXPECT_EQ(ShadeColor(0, c, 3 * d), Rgb(40, 10, 20));
    // Same factors on the green and blue channels.
    EXPECT_EQ(ShadeColor(1, Rgb(10, 200, 20), 2 * d), Rgb(10, 93, 20));
    EXPECT_EQ(ShadeColor(2, Rgb(10, 20, 200), 3 * d), Rgb(10, 20, 40));
}

TEST(ShadeColor, RedModeP90) {
    // p = 90: d = 10/3; factors 0.9667, 0.9333, 0.9: 193.33 -> 193, 186.67 -> 186, 180
    const double p = 90.0, d = (100.0 - p) / 3.0;
    const Color c = Rgb(200, 10, 20);
    EXPECT_EQ(ShadeColor(0, c, d), Rgb(193, 10, 20));
    EXPECT_EQ(ShadeColor(0, c, 2 * d), Rgb(186, 10, 20));
    EXPECT_EQ(ShadeColor(0, c, 3 * d), Rgb(180, 10, 20));
}

TEST(ShadeColor, SaturationModeP20) {
    // Saturation mode percentages p, p + d, p + 2d = 20, 46.67, 73.33 -> factors 0.8, 0.5333, 0.2667.
    // Pure red: h 0, s 1, v 1 -> s' = factor; sector 0, f 0: (v, t, p), t = p = 1 - s'.
    // 0.2 * 255 = 51 -> ceil(50.5) = 51; 0.4667 * 255 = 119 -> 119; 0.7333 * 255 = 187 -> 187
    const double p = 20.0, d = (100.0 - p) / 3.0;
    const Color red = Rgb(255, 0, 0);
    EXPECT_EQ(ShadeColor(4, red, p), Rgb(255, 51, 51));
    EXPECT_EQ(ShadeColor(4, red, p + d), Rgb(255, 119, 119));
    EXPECT_EQ(ShadeColor(4, red, p + 2 * d), Rgb(255, 187, 187));
}

TEST(ShadeColor, SaturationAndBrightnessModesP90) {
    const double p = 90.0, d = (100.0 - p) / 3.0;
    // Saturation: percentages 90, 93.33, 96.67 -> s' = 0.1, 0.0667, 0.0333 on (200, 0, 0)
    // (h 0, s 1, v 200/255): p-channel = 200 * (1 - s') = 180, 186.67, 193.33
    // -> ceil(179.5) = 180, ceil(186.17) = 187, ceil(192.83) = 193; red 200 stays.
    const Color darkRed = Rgb(200, 0, 0);
    EXPECT_EQ(ShadeColor(4, darkRed, p), Rgb(200, 180, 180));
    EXPECT_EQ(ShadeColor(4, darkRed, p + d), Rgb(200, 187, 187));
    EXPECT_EQ(ShadeColor(4, darkRed, p + 2 * d), Rgb(200, 193, 193));
    // Brightness: percentages d, 2d, 3d on grey 200: 200 * 0.9667 = 193.33 -> ceil(192.83) = 193,
    // 200 * 0.9333 = 186.67 -> ceil(186.17) = 187, 200 * 0.9 = 180 -> ceil(179.5) = 180.
    const Color grey = Rgb(200, 200, 200);
    EXPECT_EQ(ShadeColor(5, grey, d), Rgb(193, 193, 193));
    EXPECT_EQ(ShadeColor(5, grey, 2 * d), Rgb(187, 187, 187));
    EXPECT_EQ(ShadeColor(5, grey, 3 * d), Rgb(180, 180, 180));
}

TEST(ShadeColor, HueMode) {
    // 100 percent turns every hue to 0 (red) keeping s and v:
    // (10, 200, 100): v = 200/255, s = 190/200; hue 0 -> (v, p, p), p = v (1 - s) = 10/255
    EXPECT_EQ(ShadeColor(3, Rgb(10, 200, 100), 100.0), Rgb(200, 10, 10));
    EXPECT_EQ(ShadeColor(3, Rgb(0, 0, 255), 100.0), Rgb(255, 0, 0));
    // 50 percent of hue 120 (green) is 60 (yellow): sector 1, f 0 -> (q, v, p) = (1, 1, 0)
    EXPECT_EQ(ShadeColor(3, Rgb(0, 255, 0), 50.0), Rgb(255, 255, 0));
}

TEST(ShadeColor, PercentZeroAndUnknownModes) {
    const Color c = Rgb(201, 13, 77);
    EXPECT_EQ(ShadeColor(0, c, 0.0), c);
    EXPECT_EQ(ShadeColor(1, c, 0.0), c);
    EXPECT_EQ(ShadeColor(2, c, 0.0), c);
    for (int mode : {-1, 6, 7, 0x80, 1000})
        EXPECT_EQ(ShadeColor(mode, c, 50.0), c) << mode;
}

// ---------------------------------------------------------------- BlendColors

TEST(BlendColors, Examples) {
    const Color red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    EXPECT_EQ(BlendColors(red, blue, 50.0), Rgb(127, 0, 127)); // 127.5 -> 127
    EXPECT_EQ(BlendColors(red, blue, 100.0), red);
    EXPECT_EQ(BlendColors(red, blue, 0.0), blue);
    EXPECT_EQ(BlendColors(red, blue, 25.0), Rgb(63, 0, 191)); // 63.75 and 191.25, truncated
    // 25 %: (200*0.25, 100*0.25, 200*0.75) = (50, 25, 150)
    EXPECT_EQ(BlendColors(Rgb(200, 100, 0), Rgb(0, 0, 200), 25.0), Rgb(50, 25, 150));
    // 50 % of 11 and 0: 5.5 -> 5 (midpoint rounded down)
    EXPECT_EQ(BlendColors(Rgb(11, 11, 11), Rgb(0, 0, 0), 50.0), Rgb(5, 5, 5));
}

// ---------------------------------------------------------------- FillTwoColorRow

TEST(FillTwoColorRow, EndpointsAndMiddle) {
    // (0,0,0) -> (255,100,10), count 5: steps F/4 = 66846720 (63.75), (100<<20)/4 = 25<<20,
    // (10<<20)/4 = 2621440 (2.5). Pixel 2: red 127.5 -> 127, green 50, blue 5.
    Pixel row[6] = {kSentinel, kSentinel, kSentinel, kSentinel, kSentinel, kSentinel};
    ColorMath::FillTwoColorRow(row, 5, Rgb(0, 0, 0), Rgb(255, 100, 10));
    EXPECT_EQ(row[0], Px(0, 0, 0));
    EXPECT_EQ(row[1], Px(63, 25, 2));
    EXPECT_EQ(row[2], Px(127, 50, 5));
    EXPECT_EQ(row[4], Px(255, 100, 10));
    EXPECT_EQ(row[5], kSentinel);
}

TEST(FillTwoColorRow, TruncatingStepMissesTheEnd) {
    // count 8: step F/7 = 38198125 (38198125.7 truncated); pixel 7: 7 * 38198125 = 267386875 -> 254
    Pixel row[8];
    ColorMath::FillTwoColorRow(row, 8, Rgb(0, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(row[0], Px(0, 0, 0));
    EXPECT_EQ(row[7], Px(254, 0, 0));
    // falling: step -38198125 (toward zero); pixel 7: 267386880 - 267386875 = 5 -> 0
    ColorMath::FillTwoColorRow(row, 8, Rgb(0, 0, 255), Rgb(0, 0, 0));
    EXPECT_EQ(row[0], Px(0, 0, 255));
    EXPECT_EQ(row[7], Px(0, 0, 0));
    // pixel 1: 267386880 - 38198125 = 229188755 -> 218.57 -> 218
    EXPECT_EQ(row[1], Px(0, 0, 218));
}

TEST(FillTwoColorRow, ShortRowsAreSafe) {
    Pixel row[2] = {kSentinel, kSentinel};
    ColorMath::FillTwoColorRow(row, 1, Rgb(1, 2, 3), Rgb(255, 255, 255));
    EXPECT_EQ(row[0], Px(1, 2, 3));
    EXPECT_EQ(row[1], kSentinel);
    ColorMath::FillTwoColorRow(row + 1, 0, Rgb(1, 2, 3), Rgb(255, 255, 255));
    ColorMath::FillTwoColorRow(row + 1, -3, Rgb(1, 2, 3), Rgb(255, 255, 255));
    EXPECT_EQ(row[1], kSentinel);
}

// ---------------------------------------------------------------- FillHueRow

TEST(FillHueRow, Count360SixSegmentsOf60) {
    // s = v = 1: V = F, P = Pi = 0, D = 60, six segments of 60.
    // Rising step F / 59 = 4531981; 59 * 4531981 = 267386879 -> 254.
    // Falling step trunc(-F / 59) = -4531981; F - 267386879 = 1 -> 0.
    std::vector<Pixel> row(361, kSentinel);
    ColorMath::FillHueRow(row.data(), 360, 1.0, 1.0);
    EXPECT_EQ(row[0], Px(255, 0, 0));
    EXPECT_EQ(row[30], Px(255, 129, 0)); // 30 * 4531981 = 135959430 -> 129.66 -> 129
    EXPECT_EQ(row[59], Px(255, 254, 0));
    EXPECT_EQ(row[60], Px(255, 255, 0));
    EXPECT_EQ(row[90], Px(125, 255, 0)); // F - 135959430 = 131427450 -> 125.34 -> 125
    EXPECT_EQ(row[119], Px(0, 255, 0));
    EXPECT_EQ(row[120], Px(0, 255, 0));
    EXPECT_EQ(row[179], Px(0, 255, 254));
    EXPECT_EQ(row[180], Px(0, 255, 255));
    EXPECT_EQ(row[239], Px(0, 0, 255));
    EXPECT_EQ(row[240], Px(0, 0, 255));
    EXPECT_EQ(row[299], Px(254, 0, 255));
    EXPECT_EQ(row[300], Px(255, 0, 255));
    EXPECT_EQ(row[359], Px(255, 0, 0));
    EXPECT_EQ(row[360], kSentinel);
}

TEST(FillHueRow, Count12HalfSaturationHalfBrightness) {
    // V = trunc(127.5) << 20 = 127 << 20 = 133169152; P = V * 0.5 = 66584576 (63.5 -> 63).
    // Segments of 2; rising step (V - Pi)/1, falling step trunc((P - V)/1): each segment
    // goes from its start straight to its end.
    Pixel row[13];
    row[12] = kSentinel;
    ColorMath::FillHueRow(row, 12, 0.5, 0.5);
    const Pixel expected[12] = {
        Px(127, 63, 63), Px(127, 127, 63), Px(127, 127, 63), Px(63, 127, 63),
        Px(63, 127, 63), Px(63, 127, 127), Px(63, 127, 127), Px(63, 63, 127),
        Px(63, 63, 127), Px(127, 63, 127), Px(127, 63, 127), Px(127, 63, 63),
    };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(row[i], expected[i]) << i;
    EXPECT_EQ(row[12], kSentinel);
}

TEST(FillHueRow, Count13LastSegmentTakesTheExtraPixel) {
    // D = 13/6 = 2.1667: lengths 2, 2, 2, 2, 2, trunc(13.1) - trunc(10.83) = 3.
    // Segment 6 (pixels 10..12): blue falls with step trunc(-F / 2) = -133693440 -> 255, 127, 0.
    Pixel row[14];
    row[13] = kSentinel;
    ColorMath::FillHueRow(row, 13, 1.0, 1.0);
    EXPECT_EQ(row[9], Px(255, 0, 255)); // end of segment 5
    EXPECT_EQ(row[10], Px(255, 0, 255));
    EXPECT_EQ(row[11], Px(255, 0, 127));
    EXPECT_EQ(row[12], Px(255, 0, 0));
    EXPECT_EQ(row[13], kSentinel);
}

TEST(FillHueRow, SixteenPixelsSplitIntoSegmentsOfTwoAndThree) {
    // D = 16 / 6; E: 2.67 5.33 8 10.67 13.33 16.1 -> lengths 2, 3, 3, 2, 3, 3.
    // s = v = 1: V = 255 << 20, Pi = 0; a two-pixel segment steps by V, a three-pixel one by V / 2,
    // which lands on 127 (127.5 truncated) in the middle.
    Pixel row[16];
    ColorMath::FillHueRow(row, 16, 1.0, 1.0);
    const Pixel expected[16] = {
        Px(255, 0, 0),   Px(255, 255, 0),                  // red to yellow
        Px(255, 255, 0), Px(127, 255, 0), Px(0, 255, 0),   // yellow to green
        Px(0, 255, 0),   Px(0, 255, 127), Px(0, 255, 255), // green to cyan
        Px(0, 255, 255), Px(0, 0, 255),                    // cyan to blue
        Px(0, 0, 255),   Px(127, 0, 255), Px(255, 0, 255), // blue to magenta
        Px(255, 0, 255), Px(255, 0, 127), Px(255, 0, 0),   // magenta to red
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(row[i], expected[i]) << i;
}

TEST(FillHueRow, WritesExactlyCountPixelsAlsoBelowTheMinimum) {
    std::vector<Pixel> row;
    for (int count = 0; count <= 3000; ++count) {
        row.assign(static_cast<std::size_t>(count) + 8, kSentinel);
        ColorMath::FillHueRow(row.data(), count, 0.7, 0.9);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(row[i] >> 24, 0u) << count << " " << i;
        for (int i = count; i < count + 8; ++i)
            ASSERT_EQ(row[i], kSentinel) << count;
    }
}

// ---------------------------------------------------------------- FillSaturationRow

TEST(FillSaturationRow, FirstPixelIsGrey) {
    // v = 0.5: V = trunc(127.5) << 20 -> 127
    Pixel row[7];
    ColorMath::FillSaturationRow(row, 7, 200.0, 0.5);
    EXPECT_EQ(row[0], Px(127, 127, 127));
}

TEST(FillSaturationRow, StepsPerSector) {
    // count 10, v = 1: V = F; p-step = -(F / 10) = -26738688; pixel 9: F - 9 * 26738688 = 26738688 -> 25.5
    // -> 25. f = 0: q-step = trunc(V - V)/10 = 0, t-step = trunc(0 - V)/10 = p-step.
    const struct {
        double h;
        Pixel last;
    } cases[] = {
        {0.0, Px(255, 25, 25)},    // (V, t, p)
        {120.0, Px(25, 255, 25)},  // (p, V, t)
        {180.0, Px(25, 255, 255)}, // (p, q, V)
        {240.0, Px(25, 25, 255)},  // (t, p, V)
        {300.0, Px(255, 25, 255)}, // (V, p, q)
    };
    Pixel row[11];
    for (const auto& k : cases) {
        row[10] = kSentinel;
        ColorMath::FillSaturationRow(row, 10, k.h, 1.0);
        EXPECT_EQ(row[0], Px(255, 255, 255)) << k.h;
        EXPECT_EQ(row[9], k.last) << k.h;
        EXPECT_EQ(row[10], kSentinel);
    }
    // h = 90: sector 1, f = 0.5: (q, V, p); q-step = trunc(0.5 V - V)/10 = -13369344;
    // pixel 9: q = F - 120324096 = 147062784 -> 140.25 -> 140, p -> 25
    ColorMath::FillSaturationRow(row, 10, 90.0, 1.0);
    EXPECT_EQ(row[9], Px(140, 255, 25));
    // pixel 5: q = F - 66846720 = 200540160 -> 191.25 -> 191; p = F - 133693440 -> 127.5 -> 127
    EXPECT_EQ(row[5], Px(191, 255, 127));
}

TEST(FillSaturationRow, SectorAboveFiveWritesNothing) {
    Pixel row[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    ColorMath::FillSaturationRow(row, 4, 360.0, 1.0);
    ColorMath::FillSaturationRow(row, 4, 500.0, 1.0);
    ColorMath::FillSaturationRow(row, 4, -1.0, 1.0);         // negative hue: nothing either
    ColorMath::FillSaturationRow(row, 4, std::nan(""), 1.0); // NaN: nothing
    ColorMath::FillSaturationRow(row, 0, 10.0, 1.0);         // count 0: nothing
    for (Pixel p : row)
        EXPECT_EQ(p, kSentinel);
}

// ---------------------------------------------------------------- FillBrightnessRow

TEST(FillBrightnessRow, FirstPixelBlackAndSteps) {
    // h = 90 (sector 1, f 0.5), s = 1, count 10: (q, v, p)
    // v-step = F/10 = 26738688 -> pixel 9: 240648192 -> 229.5 -> 229
    // q-step = trunc(0.5 F)/10 = 13369344 -> pixel 9: 120324096 -> 114.75 -> 114; p-step 0
    Pixel row[11];
    row[10] = kSentinel;
    ColorMath::FillBrightnessRow(row, 10, 90.0, 1.0);
    EXPECT_EQ(row[0], Px(0, 0, 0));
    EXPECT_EQ(row[9], Px(114, 229, 0));
    EXPECT_EQ(row[10], kSentinel);
    // h = 0, s = 0.5, count 4: (v, t, p); v-step F/4 = 66846720; t = p step trunc(0.5 F)/4 = 33423360;
    // pixel 3: 200540160 -> 191.25 -> 191, 100270080 -> 95.6 -> 95
    ColorMath::FillBrightnessRow(row, 4, 0.0, 0.5);
    EXPECT_EQ(row[0], Px(0, 0, 0));
    EXPECT_EQ(row[3], Px(191, 95, 95));
}

TEST(FillBrightnessRow, SectorAboveFiveWritesNothing) {
    Pixel row[3] = {kSentinel, kSentinel, kSentinel};
    ColorMath::FillBrightnessRow(row, 3, 360.0, 1.0);
    ColorMath::FillBrightnessRow(row, 3, 720.0, 0.5);
    ColorMath::FillBrightnessRow(row, 0, 10.0, 0.5);
    for (Pixel p : row)
        EXPECT_EQ(p, kSentinel);
}

// ---------------------------------------------------------------- runs and reverse

TEST(Runs, FillRunAndCopyRunAdvanceTheCursor) {
    Pixel row[8] = {};
    Pixel* cursor = ColorMath::FillRun(row, 0x00ABCDEFu, 3);
    EXPECT_EQ(cursor, row + 3);
    const Pixel source[4] = {1, 2, 3, 4};
    cursor = ColorMath::CopyRun(cursor, source, 4);
    EXPECT_EQ(cursor, row + 7);
    cursor = ColorMath::FillRun(cursor, 9u, 0);
    EXPECT_EQ(cursor, row + 7);
    cursor = ColorMath::CopyRun(cursor, source, 0);
    EXPECT_EQ(cursor, row + 7);
    const Pixel expected[8] = {0x00ABCDEFu, 0x00ABCDEFu, 0x00ABCDEFu, 1, 2, 3, 4, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(row[i], expected[i]) << i;
}

TEST(Runs, ReverseRowOddAndEven) {
    Pixel odd[5] = {1, 2, 3, 4, 5};
    ColorMath::ReverseRow(odd, 5);
    const Pixel oddExpected[5] = {5, 4, 3, 2, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(odd[i], oddExpected[i]);
    Pixel even[4] = {1, 2, 3, 4};
    ColorMath::ReverseRow(even, 4);
    const Pixel evenExpected[4] = {4, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(even[i], evenExpected[i]);
    Pixel one[2] = {7, 8};
    ColorMath::ReverseRow(one, 1);
    ColorMath::ReverseRow(one, 0);
    EXPECT_EQ(one[0], 7u);
    EXPECT_EQ(one[1], 8u);
}

// GTDrawHelper (Win32) derives from ColorMath; the static members must be
// reachable through a derived class.
namespace {
struct DerivedHelper : ColorMath {};
} // namespace

TEST(ColorMathInheritance, StaticMembersReachableThroughDerivedClass) {
    EXPECT_EQ(DerivedHelper::HsbToColor(0.0, 0.0, 0.5), Rgb(127, 127, 127));
    Pixel px[2];
    DerivedHelper::FillTwoColorRow(px, 2, Rgb(0, 0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(px[1], Px(255, 255, 255));
}

// ---------------------------------------------------------------- reference comparison
// A literal, one-pixel-at-a-time transcription of the generators in signed 32-bit arithmetic,
// compared with the implementation over
// many in-range parameters and lengths.
namespace ref {

Pixel Pack(int r, int g, int b) {
    return Px(static_cast<std::uint32_t>((r >> 20) & 0xFF), static_cast<std::uint32_t>((g >> 20) & 0xFF),
              static_cast<std::uint32_t>((b >> 20) & 0xFF));
}

void Segment(Pixel*& out, int n, int r, int g, int b, int dr, int dg, int db) {
    for (int i = 0; i < n; ++i) {
        *out++ = Pack(r, g, b);
        r += dr;
        g += dg;
        b += db;
    }
}

void TwoColor(Pixel* row, int count, Color s, Color e) {
    int r = static_cast<int>(s & 0xFF) << 20, g = static_cast<int>((s >> 8) & 0xFF) << 20,
        b = static_cast<int>((s >> 16) & 0xFF) << 20;
    const int dr = ((static_cast<int>(e & 0xFF) << 20) - r) / (count - 1);
    const int dg = ((static_cast<int>((e >> 8) & 0xFF) << 20) - g) / (count - 1);
    const int db = ((static_cast<int>((e >> 16) & 0xFF) << 20) - b) / (count - 1);
    Segment(row, count, r, g, b, dr, dg, db);
}

void Hue(Pixel* row, int count, double s, double v) {
    const int V = static_cast<int>(v * 255) << 20;
    const double P = V * (1 - s);
    const int Pi = static_cast<int>(P);
    const double D = count / 6.0;
    double E1 = 0 + D, E2 = E1 + D, E3 = E2 + D, E4 = E3 + D, E5 = E4 + D, E6 = E5 + D + 0.1;
    const int N1 = static_cast<int>(E1), N2 = static_cast<int>(E2) - static_cast<int>(D),
              N3 = static_cast<int>(E3) - static_cast<int>(2 * D),
              N4 = static_cast<int>(E4) - static_cast<int>(3 * D),
              N5 = static_cast<int>(E5) - static_cast<int>(4 * D),
              N6 = static_cast<int>(E6) - static_cast<int>(5 * D);
    Segment(row, N1, V, Pi, Pi, 0, (V - Pi) / (N1 - 1), 0);
    Segment(row, N2, V, V, Pi, static_cast<int>((P - V) / (N2 - 1)), 0, 0);
    Segment(row, N3, Pi, V, Pi, 0, 0, (V - Pi) / (N3 - 1));
    Segment(row, N4, Pi, V, V, 0, static_cast<int>((P - V) / (N4 - 1)), 0);
    Segment(row, N5, Pi, Pi, V, (V - Pi) / (N5 - 1), 0, 0);
    Segment(row, N6, V, Pi, V, 0, 0, static_cast<int>((P - V) / (N6 - 1)));
}

void Place(Pixel* row, int count, int sector, int c, int dc, int p, int dp, int q, int dq, int t, int dt) {
    switch (sector) {
    case 0:
        Segment(row, count, c, t, p, dc, dt, dp);
        break;
    case 1:
        Segment(row, count, q, c, p, dq, dc, dp);
        break;
    case 2:
        Segment(row, count, p, c, t, dp, dc, dt);
        break;
    case 3:
        Segment(row, count, p, q, c, dp, dq, dc);
        break;
    case 4:
        Segment(row, count, t, p, c, dt, dp, dc);
        break;
    case 5:
        Segment(row, count, c, p, q, dc, dp, dq);
        break;
    default:
        break;
    }
}

void Saturation(Pixel* row, int count, double h, double v) {
    const int sector = static_cast<int>(h / 60);
    const double f = h / 60 - sector;
    const int V = static_cast<int>(v * 255) << 20;
    Place(row, count, sector, V, 0, V, -(V / count), V, static_cast<int>(V * (1 - f) - V) / count, V,
          static_cast<int>(f * V - V) / count);
}

void Brightness(Pixel* row, int count, double h, double s) {
    const int sector = static_cast<int>(h / 60);
    const double f = h / 60 - sector;
    const double F = 267386880.0;
    Place(row, count, sector, 0, 267386880 / count, 0, static_cast<int>((1 - s) * F) / count, 0,
          static_cast<int>((1 - s * f) * F) / count, 0, static_cast<int>((1 - s * (1 - f)) * F) / count);
}

} // namespace ref

TEST(ReferenceComparison, GeneratorsMatchThePixelByPixelReference) {
    // A fixed linear congruential sequence, so every run checks the same rows.
    std::uint32_t lcgState = 12345;
    auto next = [&lcgState] {
        lcgState = lcgState * 1664525u + 1013904223u;
        return lcgState >> 8;
    };
    auto unit = [&] { return (next() % 100001) / 100000.0; };
    std::vector<Pixel> got, want;
    for (int iter = 0; iter < 3000; ++iter) {
        const int count = 12 + static_cast<int>(next() % 700);
        got.assign(count, 0);
        want.assign(count, 0);
        const double a = unit(), b = unit(), hue = (next() % 36000) / 100.0;
        switch (iter % 4) {
        case 0: {
            Color s = next() & 0xFFFFFF, e = next() & 0xFFFFFF;
            // Also rows with one moving channel (or none): copy the other channels over.
            const std::uint32_t keep[4] = {0x000000u, 0xFFFF00u, 0xFF00FFu, 0x00FFFFu};
            const std::uint32_t mask = keep[(iter / 4) % 4];
            e = (e & ~mask) | (s & mask);
            if ((iter / 4) % 7 == 6)
                e = s;
            ColorMath::FillTwoColorRow(got.data(), count, s, e);
            ref::TwoColor(want.data(), count, s, e);
            break;
        }
        case 1:
            ColorMath::FillHueRow(got.data(), count, a, b);
            ref::Hue(want.data(), count, a, b);
            break;
        case 2:
            ColorMath::FillSaturationRow(got.data(), count, hue, b);
            ref::Saturation(want.data(), count, hue, b);
            break;
        default:
            ColorMath::FillBrightnessRow(got.data(), count, hue, a);
            ref::Brightness(want.data(), count, hue, a);
            break;
        }
        ASSERT_EQ(got, want) << "iteration " << iter << " count " << count;
    }
}
