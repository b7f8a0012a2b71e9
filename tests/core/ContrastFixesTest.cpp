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
    EXPECT_EQ(TargetThreshold(ContrastTarget::Apca, TextSizeOf(12, false)), 75.0);
    EXPECT_EQ(TargetThreshold(ContrastTarget::Apca, TextSizeOf(14, true)), 60.0);
    EXPECT_EQ(TargetThreshold(ContrastTarget::AAA, TextSizeOf(27, false)), 4.5);
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
