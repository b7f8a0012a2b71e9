// The contrast fixes checked against their promise on many random pairs: what is offered passes,
// nothing on the same hue line that passes is clearly nearer, and black or white comes only when
// nothing else on the line passes.
#include "color/ColorDifference.h"
#include "color/ContrastFixes.h"
#include "color/CssColorSpaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

namespace {

constexpr ContrastTarget kTargets[] = {ContrastTarget::AA, ContrastTarget::AAA, ContrastTarget::Apca};
constexpr TextSize kSizes[] = {TextSize::Body, TextSize::Large, TextSize::Heading};

// Lightness steps of the line that the nearest fix is checked against.
constexpr int kLineSamples = 24;

// Empty when the fix keeps its promise on this pair; otherwise what was wrong.
std::string BrokenPromise(Color text, Color background, TextSize size, ContrastTarget target, bool fixText) {
    const Color original = fixText ? text : background;
    auto passes = [&](Color candidate) {
        return fixText ? PassesTarget(candidate, background, size, target)
                       : PassesTarget(text, candidate, size, target);
    };
    const auto fix =
        fixText ? FixText(text, background, size, target) : FixBackground(text, background, size, target);
    const Lab originalLab = ToLab(original);
    const Triple lch = RectangularToPolar(ColorToOklab(original));
    bool otherPasses = false;
    for (int step = 1; step < kLineSamples; ++step) {
        const Color sample =
            OklabToColor(PolarToRectangular({step / double(kLineSamples), lch[1], lch[2]})).value_or(0);
        if (!passes(sample)) {
            continue;
        }
        const bool blackOrWhite = (sample == 0 || sample == 0xFFFFFF) && lch[1] >= 0.005;
        otherPasses = otherPasses || !blackOrWhite;
        if (!fix) {
            return "nothing offered though a color passes";
        }
        if ((fix->blackOrWhite || !blackOrWhite) &&
            Ciede2000(originalLab, ToLab(sample)) < Ciede2000(originalLab, ToLab(fix->color)) - 0.5) {
            return "a nearer color passes";
        }
    }
    if (fix && !passes(fix->color)) {
        return "the fix does not pass";
    }
    if (fix && fix->blackOrWhite && otherPasses) {
        return "black or white offered though another color passes";
    }
    return {};
}

} // namespace

// Box 1 of the default palette, large text under AA: 2.84:1 becomes at least 3:1.
TEST(ContrastFixesTest, TheDefaultPalettesFirstBoxGetsATextThatPasses) {
    const auto fix = FixText(0x556974, 0xA1BEBE, TextSizeOf(36, true), ContrastTarget::AA);
    ASSERT_TRUE(fix);
    EXPECT_GE(fix->figure, 3.0);
    EXPECT_LT(fix->figure, 3.2);
    EXPECT_FALSE(fix->blackOrWhite);
}

// Each size class and threshold at its boundary: the size just reached, and just missed.
TEST(ContrastFixesTest, SizeClassesAndThresholdsAtTheirBoundaries) {
    const std::tuple<double, bool, TextSize> kSizes[] = {
        {27.0, false, TextSize::Heading}, {26.9, false, TextSize::Large}, {18.0, true, TextSize::Heading},
        {17.9, true, TextSize::Large},    {18.0, false, TextSize::Large}, {17.9, false, TextSize::Body},
        {14.0, true, TextSize::Large},    {13.9, true, TextSize::Body},
    };
    for (const auto& [points, bold, size] : kSizes) {
        EXPECT_EQ(TextSizeOf(points, bold), size) << points << (bold ? " bold" : "");
    }
    const std::tuple<ContrastTarget, TextSize, double> kThresholds[] = {
        {ContrastTarget::AA, TextSize::Body, 4.5},       {ContrastTarget::AA, TextSize::Large, 3.0},
        {ContrastTarget::AA, TextSize::Heading, 3.0},    {ContrastTarget::AAA, TextSize::Body, 7.0},
        {ContrastTarget::AAA, TextSize::Large, 4.5},     {ContrastTarget::AAA, TextSize::Heading, 4.5},
        {ContrastTarget::Apca, TextSize::Body, 75.0},    {ContrastTarget::Apca, TextSize::Large, 60.0},
        {ContrastTarget::Apca, TextSize::Heading, 45.0},
    };
    for (const auto& [target, size, threshold] : kThresholds) {
        EXPECT_EQ(TargetThreshold(target, size), threshold)
            << static_cast<int>(target) << static_cast<int>(size);
    }
    // #767676 on white is 4.54:1 and #777777 4.48:1.
    EXPECT_TRUE(PassesTarget(0x767676, 0xFFFFFF, TextSize::Body, ContrastTarget::AA));
    EXPECT_FALSE(PassesTarget(0x777777, 0xFFFFFF, TextSize::Body, ContrastTarget::AA));
}

// Fixes worked out once and kept, since the random pairs below check promises, not exact colors:
// the first two differ without the search of the steps past the boundary, the third where a step
// that does not pass is not left out (1 pair in 400,000), the APCA ones by which side the figure
// is measured from.
TEST(ContrastFixesTest, KnownPairsGetTheirKnownFixes) {
    struct Case {
        Color text, background;
        TextSize size;
        ContrastTarget target;
        bool fixText;
        Color fixed;
        double figure;
        bool blackOrWhite;
    };
    const Case kCases[] = {
        {0xc0c0c0, 0x7fc101, TextSize::Body, ContrastTarget::AAA, false, 0x1c3b00, 7.0279, false},
        {0x6e6f6e, 0x43d743, TextSize::Large, ContrastTarget::AA, true, 0x656665, 3.0314, false},
        {0x971103, 0x456198, TextSize::Heading, ContrastTarget::AA, true, 0x8b0003, 3.0006, false},
        {0x88f0af, 0x32e4c4, TextSize::Body, ContrastTarget::AA, true, 0x006a30, 4.5464, false},
        {0x88f0af, 0x32e4c4, TextSize::Body, ContrastTarget::AA, false, 0x006a57, 4.5120, false},
        {0x855bac, 0x97de00, TextSize::Heading, ContrastTarget::Apca, true, 0x744a99, 45.0702, false},
        {0x350397, 0xa13667, TextSize::Body, ContrastTarget::Apca, false, 0xffe4f3, 75.0946, false},
        {0xf1a84f, 0xd853f4, TextSize::Large, ContrastTarget::Apca, true, 0xffffff, 60.5258, true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.text << " on " << c.background);
        const auto fix = c.fixText ? FixText(c.text, c.background, c.size, c.target)
                                   : FixBackground(c.text, c.background, c.size, c.target);
        ASSERT_TRUE(fix);
        EXPECT_EQ(fix->color, c.fixed);
        EXPECT_NEAR(fix->figure, c.figure, 0.0001);
        EXPECT_EQ(fix->blackOrWhite, c.blackOrWhite);
    }
}

// Against a mid grey neither black nor white text reaches APCA's body text: nothing is offered.
TEST(ContrastFixesTest, NothingIsOfferedWhereNotEvenBlackOrWhitePasses) {
    ASSERT_LT(TargetFigure(0x000000, 0x8F8F8F, ContrastTarget::Apca), 75.0);
    ASSERT_LT(TargetFigure(0xFFFFFF, 0x8F8F8F, ContrastTarget::Apca), 75.0);
    EXPECT_FALSE(FixText(0x808080, 0x8F8F8F, TextSize::Body, ContrastTarget::Apca));
}

TEST(ContrastFixesTest, EveryFixOfManyRandomPairsKeepsItsPromise) {
    // HUEWRIGHT_FIX_PAIRS sets another number, for a longer run in an optimised build.
    const char* wanted = std::getenv("HUEWRIGHT_FIX_PAIRS");
    const int kPairs = wanted ? std::atoi(wanted) : 10000;
    std::atomic<int> next{0}, broken{0};
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < std::max(2u, std::thread::hardware_concurrency()); ++w) {
        workers.emplace_back([&] {
            for (int pair = next++; pair < kPairs; pair = next++) {
                // Each pair's colors come from its own number, whichever thread takes it.
                std::mt19937 random(static_cast<unsigned>(pair));
                const Color text = random() & 0xFFFFFF, background = random() & 0xFFFFFF;
                const ContrastTarget target = kTargets[pair % 3];
                const TextSize size = kSizes[(pair / 3) % 3];
                for (bool fixText : {true, false}) {
                    if (PassesTarget(text, background, size, target)) {
                        continue;
                    }
                    const std::string why = BrokenPromise(text, background, size, target, fixText);
                    if (!why.empty() && broken++ < 5) {
                        ADD_FAILURE()
                            << why << ": text " << std::hex << text << " on " << background << " target "
                            << static_cast<int>(target) << " size " << static_cast<int>(size)
                            << (fixText ? " fixing the text" : " fixing the background");
                    }
                }
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(broken, 0);
}
