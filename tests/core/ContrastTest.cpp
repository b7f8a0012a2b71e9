// Readability figures against their published references, the vision simulations against values worked
// by hand, and CIEDE2000 against the test data of Sharma, Wu and Dalal (2005).
#include "color/ColorDifference.h"
#include "color/Contrast.h"
#include "color/VisionSimulation.h"

#include <gtest/gtest.h>

namespace {

constexpr Color kWhite = 0xFFFFFF, kBlack = 0;
constexpr Color kNavy = MakeColor(0x11, 0x22, 0x33), kIce = MakeColor(0xDD, 0xEE, 0xFF);

constexpr Color Grey(int level) {
    return MakeColor(level, level, level);
}

TEST(ContrastTest, RatioAndLightnessContrastMatchThePublishedValues) {
    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_NEAR(ContrastRatio(Grey(0x77), kWhite), 4.48, 0.01);
    // Text, background and Lc: the APCA-W3 0.0.98G-4g reference pairs, both polarities, and the extremes.
    const std::tuple<Color, Color, double> kCases[] = {
        {Grey(0x88), kWhite, 63.056469930209424},  {kWhite, Grey(0x88), -68.54146436644962},
        {kBlack, Grey(0xAA), 58.146262578561334},  {Grey(0xAA), kBlack, -56.24113336839742},
        {kNavy, kIce, 91.66830811481631},          {kIce, kNavy, -93.06770049484275},
        {kNavy, Grey(0x44), 8.32326136957393},     {Grey(0x44), kNavy, -7.526878460278154},
        {kBlack, kWhite, 106.04067321268862},      {kWhite, kBlack, -107.88473318309848},
        {kNavy, MakeColor(0x22, 0x33, 0x44), 0.0}, // below the low clip
    };
    for (const auto& [text, background, lc] : kCases) {
        EXPECT_NEAR(LightnessContrast(text, background), lc, 1e-9)
            << std::hex << text << " on " << background;
    }
}

// Linear red is (1, 0, 0), so each matrix gives its first column, clamped to 0..1 and encoded as
// 1.055 x^(1/2.4) - 0.055. Protanopia: 0.152286 -> 0.4266 -> 109, 0.114503 -> 0.3727 -> 95, -0.0039 -> 0.
// Achromatopsia: 0.2126 -> 0.4984 -> 127. Blue under tritanopia, third column: -0.1788 -> 0,
// 0.147602 -> 0.4203 -> 107, 0.3039 -> 0.5874 -> 150. Each matrix row sums to 1, so greys stay.
TEST(VisionSimulationTest, ColorsAsEachDeficiencySeesThem) {
    using enum VisionDeficiency;
    const std::tuple<Color, VisionDeficiency, Color> kCases[] = {
        {MakeColor(255, 0, 0), Protanopia, MakeColor(109, 95, 0)},
        {MakeColor(255, 0, 0), Achromatopsia, Grey(127)},
        {MakeColor(0, 0, 255), Tritanopia, MakeColor(0, 107, 150)},
        {kWhite, Protanopia, kWhite},
        {kWhite, Achromatopsia, kWhite},
        {Grey(128), Deuteranopia, Grey(128)},
    };
    for (const auto& [color, deficiency, seen] : kCases) {
        EXPECT_EQ(SimulateVision(color, deficiency), seen) << VisionDeficiencyName(deficiency);
    }
    EXPECT_STREQ(VisionDeficiencyName(Deuteranopia), L"Deuteranopia");
}

TEST(Ciede2000Test, MatchesTheTestDataOfSharmaWuAndDalal) {
    const double kPairs[34][7] = {
        {50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425},
        {50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615},
        {50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412},
        {50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669},
        {50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461},
        {50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065},
        {50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492},
        {50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977},
        {50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030},
        {50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000},
        {60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644},
        {63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630},
        {61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731},
        {35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645},
        {22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373},
        {36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146},
        {90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441},
        {90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381},
        {6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377},
        {2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082},
    };
    for (int i = 0; i < 34; ++i) {
        const double* row = kPairs[i];
        const Lab first{row[0], row[1], row[2]}, second{row[3], row[4], row[5]};
        EXPECT_NEAR(Ciede2000(first, second), row[6], 1e-4) << "pair " << i + 1;
        EXPECT_NEAR(Ciede2000(second, first), row[6], 1e-4) << "pair " << i + 1 << " swapped";
    }
    // sRGB red is L 53.24, a 80.09, b 67.20 under D65.
    const Lab red = ToLab(MakeColor(255, 0, 0));
    EXPECT_NEAR(red.l, 53.24, 0.01);
    EXPECT_NEAR(red.a, 80.09, 0.01);
    EXPECT_NEAR(red.b, 67.20, 0.01);
}

} // namespace
