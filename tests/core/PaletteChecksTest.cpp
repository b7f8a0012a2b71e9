// The palette checker's verdicts, the backgrounds each deficiency merges, and its two figures as text.
#include "app/PaletteChecks.h"

#include <gtest/gtest.h>

namespace {

// Green and orange are far apart but merge for protanopes and in grey; deuteranopes still tell them apart.
// White and near-white are close for everyone, so no simulation marks them.
TEST(PaletteChecksTest, VerdictsFollowTheTextSizeAndSimulationsMarkOnlyWhatTheyTakeAway) {
    const PaletteColors colors{{MakeColor(0, 153, 0), MakeColor(200, 120, 0), 0xFFFFFF, 0xFAFAFA},
                               {0, 0, 0x777777, 0x777777}};
    const PaletteChecks checks = CheckPalette(colors, {{{12, false}, {14, true}, {12, false}, {18, false}}});
    // largeText, AA, AAA: 5.56:1, 6.14:1, 4.48:1 and 4.29:1.
    const bool kVerdicts[4][3] = {
        {false, true, false}, {true, true, true}, {false, false, false}, {true, true, false}};
    for (int i = 0; i < 4; ++i) {
        const BoxContrast& box = checks.boxes[i];
        EXPECT_EQ(box.largeText, kVerdicts[i][0]) << i;
        EXPECT_EQ(box.passesAA, kVerdicts[i][1]) << i;
        EXPECT_EQ(box.passesAAA, kVerdicts[i][2]) << i;
    }
    EXPECT_NEAR(checks.boxes[2].lightnessContrast, 71.11, 0.01);

    const bool kMerged[kVisionDeficiencyCount] = {true, false, false, true};
    for (int d = 0; d < kVisionDeficiencyCount; ++d) {
        const SimulatedPalette& simulated = checks.simulations[d];
        EXPECT_EQ(simulated.colors.text[2], SimulateVision(0x777777, static_cast<VisionDeficiency>(d)));
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                const bool merged = kMerged[d] && i + j == 1;
                EXPECT_EQ(simulated.hardToTell[i][j], merged) << d << ": " << i << ", " << j;
            }
        }
    }
}

TEST(PaletteChecksTest, FiguresAsText) {
    EXPECT_EQ(FormatContrastRatio(4.499), L"4.49:1");
    EXPECT_EQ(FormatContrastRatio(4.5), L"4.50:1");
    EXPECT_EQ(FormatContrastRatio(6.9999999), L"6.99:1");
    EXPECT_EQ(FormatContrastRatio(21.0), L"21.00:1");
    EXPECT_EQ(FormatLightnessContrast(63.056469930209424), L"Lc 63.1");
    EXPECT_EQ(FormatLightnessContrast(-12.44), L"Lc -12.4");
    EXPECT_EQ(FormatLightnessContrast(-0.04), L"Lc 0.0");
    EXPECT_EQ(FormatLightnessContrast(106.04), L"Lc 106.0");
}

} // namespace
