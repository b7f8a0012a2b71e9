// The dark variant's proof on random palettes under each contrast target: every box passes,
// hues stay, box 4 stays told apart from box 3 and lighter than it, and the dark of the dark comes
// back to the original backgrounds.
#include "color/ColorDifference.h"
#include "color/Contrast.h"
#include "color/CssColorSpaces.h"
#include "color/DarkVariant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// Palettes for each target; HUEWRIGHT_DARK_PALETTES sets another number, for the whole proof of
// 10,000 each in the optimised build.
int PalettesPerTarget() {
    const char* wanted = std::getenv("HUEWRIGHT_DARK_PALETTES");
    return wanted ? std::atoi(wanted) : 3334;
}
constexpr ContrastTarget kTargets[] = {ContrastTarget::AA, ContrastTarget::AAA, ContrastTarget::Apca};
constexpr TextSize kSizes[] = {TextSize::Body, TextSize::Large, TextSize::Heading};
// Below this OKLCH chroma 8-bit rounding alone moves the hue by degrees.
constexpr double kHuedChroma = 0.02;
// A chroma the gamut shortened by more than rounding does.
constexpr double kChromaTaken = 0.004;

Triple Lch(Color color) {
    return RectangularToPolar(ColorToOklab(color));
}

double HueDifference(Color first, Color second) {
    return std::fabs(std::remainder(Lch(first)[2] - Lch(second)[2], 360.0));
}

struct Case {
    PaletteColors original;
    std::array<TextSize, 4> sizes;
    ContrastTarget target;
};

Case RandomCase(int number) {
    std::mt19937 random(static_cast<unsigned>(number));
    Case made{};
    for (int box = 0; box < 4; ++box) {
        made.original.box[box] = random() & 0xFFFFFF;
        made.original.text[box] = random() & 0xFFFFFF;
        made.sizes[box] = kSizes[random() % 3];
    }
    made.target = kTargets[number % 3];
    return made;
}

// Empty when the variant keeps its promises; otherwise what was wrong.
std::string BrokenPromise(const Case& tested, const PaletteColors& variant) {
    for (int box = 0; box < 4; ++box) {
        if (!PassesTarget(variant.text[box], variant.box[box], tested.sizes[box], tested.target)) {
            return "box " + std::to_string(box + 1) + " fails";
        }
        const Color before = tested.original.box[box], after = variant.box[box];
        if (Lch(before)[1] > kHuedChroma && Lch(after)[1] > kHuedChroma && HueDifference(before, after) > 3) {
            return "the hue of box " + std::to_string(box + 1) + " moved";
        }
    }
    if (Ciede2000(variant.box[2], variant.box[3]) <
        std::min(40.0, Ciede2000(tested.original.box[2], tested.original.box[3]))) {
        return "box 4 is nearer box 3";
    }
    if (RelativeLuminance(variant.box[2]) < 0.1791 && Lch(variant.box[3])[0] <= Lch(variant.box[2])[0]) {
        return "box 4 is not lighter than box 3";
    }
    return {};
}

// The gamut took chroma from the background on the way there or back (or rounding a near-black to
// bytes changed it), or the background moved off its mirror to let text pass or to keep the nesting.
bool LeftTheMirror(Color original, Color variant, Color back) {
    const double chroma = Lch(original)[1];
    return std::fabs(chroma - Lch(variant)[1]) > kChromaTaken ||
           std::fabs(chroma - Lch(back)[1]) > kChromaTaken || variant != MirrorByContrast(original) ||
           back != MirrorByContrast(variant);
}

} // namespace

// The mirror takes white to black and back, and a color halfway keeps its contrast.
TEST(DarkVariantTest, TheMirrorSwapsContrastAgainstBlackForContrastAgainstWhite) {
    EXPECT_EQ(MirrorByContrast(0xFFFFFF), 0x000000u);
    EXPECT_EQ(MirrorByContrast(0x000000), 0xFFFFFFu);
    for (Color color : {0x767676u, 0x1E40AFu, 0xDBEAFEu, 0x14532Du}) {
        const Color mirrored = MirrorByContrast(color);
        EXPECT_NEAR(ContrastRatio(mirrored, 0xFFFFFF), ContrastRatio(color, 0x000000),
                    0.03 * ContrastRatio(color, 0x000000))
            << std::hex << color;
    }
}

TEST(DarkVariantTest, EveryRandomPaletteKeepsThePromisesAndComesBackFromTheDarkOfTheDark) {
    const int palettes = 3 * PalettesPerTarget();
    std::atomic<int> next{0}, broken{0};
    std::vector<double> kept(4 * palettes, -1), rest(4 * palettes, -1);
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < std::max(2u, std::thread::hardware_concurrency()); ++w) {
        workers.emplace_back([&] {
            for (int number = next++; number < palettes; number = next++) {
                const Case tested = RandomCase(number);
                const PaletteColors variant = MakeDarkVariant(tested.original, tested.sizes, tested.target);
                const std::string why = BrokenPromise(tested, variant);
                if (!why.empty() && broken++ < 5) {
                    ADD_FAILURE() << why << " in palette " << number;
                }
                const PaletteColors back = MakeDarkVariant(variant, tested.sizes, tested.target);
                for (int box = 0; box < 4; ++box) {
                    const double distance = Ciede2000(tested.original.box[box], back.box[box]);
                    const bool left =
                        LeftTheMirror(tested.original.box[box], variant.box[box], back.box[box]);
                    (left ? rest : kept)[4 * number + box] = distance;
                }
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(broken, 0);
    std::erase(kept, -1);
    std::erase(rest, -1);
    std::ranges::sort(kept);
    std::ranges::sort(rest);
    ASSERT_FALSE(kept.empty());
    EXPECT_LE(kept.back(), 2.0);
    auto at = [](const std::vector<double>& sorted, double share) {
        return sorted.empty() ? 0.0 : sorted[static_cast<std::size_t>(share * (sorted.size() - 1))];
    };
    std::printf("dark of dark, on the mirror: %zu backgrounds, largest distance %.2f\n", kept.size(),
                kept.back());
    std::printf("dark of dark, off the mirror: %zu backgrounds, distance median %.2f, 90%% %.2f, 99%% %.2f, "
                "largest %.2f\n",
                rest.size(), at(rest, 0.5), at(rest, 0.9), at(rest, 0.99), at(rest, 1.0));
}
