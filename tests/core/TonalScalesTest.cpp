// The promises of the tonal scales, each checked on the scales of 10,000 random source colors.
#include "color/ColorDifference.h"
#include "color/Contrast.h"
#include "color/CssColorSpaces.h"
#include "color/TonalScales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr int kSources = 10000;

int StepIndex(int name) {
    for (int index = 0; index < kScaleSteps; ++index) {
        if (kScaleStepNames[index] == name) {
            return index;
        }
    }
    return -1;
}

struct Sample {
    Color source;
    TonalScale scale;
};

// The same random sources for every test, made once.
const std::vector<Sample>& Samples() {
    static const std::vector<Sample> samples = [] {
        std::mt19937 random(3407);
        std::uniform_int_distribution<Color> anyColor(0, 0xFFFFFF);
        std::vector<Sample> made;
        made.reserve(kSources);
        for (int i = 0; i < kSources; ++i) {
            const Color source = anyColor(random);
            made.push_back({source, MakeTonalScale(source)});
        }
        return made;
    }();
    return samples;
}

// A step's contrast against white or against another step of its scale (0 for white).
struct ContrastRow {
    int step;
    int against;
    double atLeast;
};

void ExpectRows(const std::vector<ContrastRow>& rows) {
    int failures = 0;
    for (const Sample& sample : Samples()) {
        for (const ContrastRow& row : rows) {
            const Color step = sample.scale.steps[StepIndex(row.step)];
            const Color against = row.against == 0 ? kWhite : sample.scale.steps[StepIndex(row.against)];
            const double ratio = ContrastRatio(step, against);
            if (ratio < row.atLeast && ++failures <= 5) {
                ADD_FAILURE() << "source " << std::hex << sample.source << std::dec << ": step " << row.step
                              << " against " << (row.against ? std::to_string(row.against) : "white")
                              << " is " << ratio << ":1";
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

double HueOf(Color color) {
    return RectangularToPolar(ColorToOklab(color))[2];
}

double ChromaOf(Color color) {
    return RectangularToPolar(ColorToOklab(color))[1];
}

} // namespace

TEST(TonalScalesTest, Steps600AndDarkerReadAsBodyTextOnWhiteAndOnStep50) {
    std::vector<ContrastRow> rows;
    for (int step : {600, 700, 800, 900, 950}) {
        rows.push_back({step, 0, 4.5});
        rows.push_back({step, 50, 4.5});
    }
    ExpectRows(rows);
}

TEST(TonalScalesTest, Step500ReadsAsLargeTextOnWhite) {
    ExpectRows({{500, 0, 3.0}});
}

TEST(TonalScalesTest, Step900TextReadsOverSteps50To200) {
    ExpectRows({{50, 900, 7.0}, {100, 900, 7.0}, {200, 900, 7.0}});
}

// Each step is darker than the one before it, the source is exact at its step, and no other step
// is nearer its contrast unless that step would have broken a promise, which only the dark steps'
// and the lightest steps' promises can.
TEST(TonalScalesTest, TheSourceStaysExactAtTheStepNearestItsContrastInAnOrderedScale) {
    int moved = 0;
    for (const Sample& sample : Samples()) {
        const TonalScale& scale = sample.scale;
        ASSERT_EQ(scale.steps[scale.sourceStep], sample.source);
        for (int step = 1; step < kScaleSteps; ++step) {
            ASSERT_GE(ContrastRatio(scale.steps[step], kWhite), ContrastRatio(scale.steps[step - 1], kWhite))
                << std::hex << sample.source << std::dec << " step " << kScaleStepNames[step];
        }
        const auto ladder = ContrastLadder(HueOf(sample.source), ScaleHueRegions());
        const double contrast = std::log(ContrastRatio(sample.source, kWhite));
        int nearest = 0;
        for (int step = 1; step < kScaleSteps; ++step) {
            if (std::fabs(std::log(ladder[step]) - contrast) <
                std::fabs(std::log(ladder[nearest]) - contrast)) {
                nearest = step;
            }
        }
        moved += scale.sourceStep != nearest;
    }
    // A source just under a promised contrast goes one step lighter.
    EXPECT_LT(moved, kSources / 5);
}

// The hue stays within its region's drift of the source's (amber's darkens 50 degrees toward red); greys
// stay grey.
TEST(TonalScalesTest, TheHueFollowsTheSourceAndGreysStayGrey) {
    for (const Sample& sample : Samples()) {
        if (ChromaOf(sample.source) < 0.03) {
            continue;
        }
        for (int step = 1; step < kScaleSteps - 1; ++step) {
            const Color color = sample.scale.steps[step];
            if (ChromaOf(color) < 0.05) {
                continue;
            }
            const double drift = std::remainder(HueOf(color) - HueOf(sample.source), 360.0);
            ASSERT_LT(std::fabs(drift), 60.0)
                << std::hex << sample.source << std::dec << " step " << kScaleStepNames[step];
        }
    }
    const TonalScale grey = MakeTonalScale(0x808080);
    for (Color step : grey.steps) {
        EXPECT_TRUE(RedOf(step) == GreenOf(step) && GreenOf(step) == BlueOf(step)) << std::hex << step;
    }
}
