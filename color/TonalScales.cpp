#include "color/TonalScales.h"

#include "color/Contrast.h"
#include "color/CssColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>

namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr int kStep50 = 0;
constexpr int kStep200 = 2;
constexpr int kStep500 = 5;
constexpr int kStep600 = 6;
constexpr int kStep900 = 9;
// Halving the lightness range this often leaves steps a quarter of an 8-bit level apart.
constexpr int kHalvings = 10;
// The halvings a guess takes at once: a range 1/64 of the lightness wide. Contrast falls as lightness
// rises, so a range whose ends lie on their sides is the one those halvings would have come to.
constexpr int kGuessedHalvings = 6;
// The contrast against white is (1 + kFlare) / (luminance + kFlare).
constexpr double kFlare = 0.05;
constexpr double kWhiteContrastTerm = 1 + kFlare;
// Beyond every sRGB color: the gamut mapping takes the rest.
constexpr double kMaxChroma = 0.37;
// The promises: large text and UI on white from 500 on, body text on white and on step 50 from 600
// on, and 900's text over steps 50 to 200 at AAA. The ladder keeps a little room over each.
constexpr double kLargeText = 3.0;
constexpr double kBodyText = 4.5;
constexpr double kStrongText = 7.0;
constexpr double kRoom = 1.005;
// Darker steps stay this far apart in contrast when a promise moves one of them.
constexpr double kDarkSpacing = 1.05;

// Fitted to the 17 chromatic scales of Tailwind CSS 4's default theme (MIT licence), each at the
// hue of its 500 step: the contrasts of its gamut-mapped 8-bit colors, its chroma shares and hue
// drifts.
constexpr HueRegion kRegions[] = {
    // rose
    {16.4,
     {1.10, 1.20, 1.42, 1.89, 2.78, 3.73, 4.72, 6.31, 8.04, 9.61, 15.70},
     {0.06, 0.12, 0.24, 0.48, 0.79, 1.00, 1.03, 0.90, 0.76, 0.65, 0.43},
     {-4.0, -3.9, -6.4, -4.8, -3.0, 0.0, 1.1, 0.5, -2.7, -6.2, -4.3}},
    // red
    {25.3,
     {1.09, 1.22, 1.44, 1.90, 2.87, 3.81, 4.87, 6.52, 8.36, 10.03, 16.17},
     {0.05, 0.14, 0.26, 0.48, 0.81, 1.00, 1.03, 0.90, 0.75, 0.59, 0.39},
     {-8.0, -7.6, -7.0, -5.8, -3.1, 0.0, 2.0, 2.2, 1.6, 0.4, 0.7}},
    // orange
    {47.6,
     {1.06, 1.15, 1.35, 1.69, 2.34, 2.80, 3.56, 5.20, 7.37, 9.44, 15.65},
     {0.08, 0.18, 0.36, 0.60, 0.86, 1.00, 1.04, 0.92, 0.74, 0.58, 0.37},
     {26.1, 27.6, 23.1, 18.7, 8.3, 0.0, -6.5, -9.2, -10.3, -9.4, -11.3}},
    // amber
    {70.1,
     {1.04, 1.11, 1.24, 1.45, 1.71, 2.14, 3.17, 5.03, 7.13, 9.06, 15.00},
     {0.12, 0.31, 0.64, 0.90, 1.01, 1.00, 0.95, 0.87, 0.73, 0.60, 0.41},
     {25.2, 25.5, 25.7, 21.5, 14.3, 0.0, -11.8, -21.1, -23.9, -24.2, -24.4}},
    // yellow
    {86.0,
     {1.03, 1.07, 1.16, 1.32, 1.58, 1.92, 2.94, 4.90, 6.85, 8.67, 14.51},
     {0.14, 0.39, 0.70, 0.99, 1.08, 1.00, 0.88, 0.73, 0.62, 0.52, 0.36},
     {16.2, 17.1, 15.5, 12.1, 5.9, 0.0, -10.2, -19.6, -24.1, -28.3, -32.2}},
    // lime
    {130.8,
     {1.04, 1.09, 1.17, 1.30, 1.54, 1.98, 3.10, 5.02, 7.04, 8.77, 14.65},
     {0.13, 0.29, 0.55, 0.84, 1.02, 1.00, 0.86, 0.67, 0.53, 0.43, 0.31},
     {-10.1, -8.5, -6.5, -4.2, -2.0, 0.0, 0.8, 0.7, 0.1, 0.2, 1.3}},
    // green
    {149.6,
     {1.05, 1.10, 1.21, 1.40, 1.78, 2.28, 3.28, 5.00, 7.13, 9.05, 14.94},
     {0.08, 0.20, 0.38, 0.68, 0.95, 1.00, 0.89, 0.70, 0.54, 0.43, 0.30},
     {6.2, 7.2, 6.4, 4.9, 2.1, 0.0, -0.4, 0.5, 1.7, 3.0, 3.4}},
    // emerald
    {162.5,
     {1.05, 1.14, 1.28, 1.52, 1.97, 2.54, 3.77, 5.49, 7.71, 9.75, 15.18},
     {0.12, 0.31, 0.55, 0.84, 1.04, 1.00, 0.85, 0.69, 0.56, 0.45, 0.30},
     {3.6, 0.6, 1.7, 2.5, 0.7, 0.0, 0.7, 3.1, 4.4, 6.5, 10.1}},
    // teal
    {182.5,
     {1.04, 1.13, 1.26, 1.48, 1.90, 2.47, 3.76, 5.43, 7.54, 9.41, 14.50},
     {0.10, 0.36, 0.69, 0.99, 1.09, 1.00, 0.84, 0.69, 0.56, 0.45, 0.33},
     {-1.8, -1.7, -2.1, -1.4, -0.6, 0.0, 2.2, 3.9, 5.7, 5.9, 10.0}},
    // cyan
    {215.2,
     {1.04, 1.12, 1.24, 1.44, 1.85, 2.43, 3.68, 5.37, 7.22, 9.15, 13.41},
     {0.13, 0.31, 0.56, 0.89, 1.08, 1.00, 0.88, 0.73, 0.59, 0.49, 0.39},
     {-14.3, -11.8, -10.2, -8.1, -3.7, 0.0, 6.5, 7.9, 9.1, 12.2, 14.5}},
    // sky
    {237.3,
     {1.07, 1.15, 1.33, 1.66, 2.20, 2.77, 4.10, 5.93, 7.57, 9.48, 13.89},
     {0.08, 0.15, 0.34, 0.66, 0.95, 1.00, 0.93, 0.79, 0.65, 0.53, 0.39},
     {-0.7, -0.5, -6.4, -7.0, -4.7, 0.0, 4.6, 5.4, 3.5, 3.6, 5.8}},
    // blue
    {259.8,
     {1.09, 1.22, 1.42, 1.80, 2.62, 3.71, 5.25, 6.83, 8.82, 10.37, 14.78},
     {0.07, 0.15, 0.28, 0.49, 0.77, 1.00, 1.14, 1.14, 0.93, 0.68, 0.43},
     {-5.2, -4.2, -5.7, -8.0, -5.2, 0.0, 3.1, 4.6, 5.8, 5.7, 8.1}},
    // indigo
    {277.1,
     {1.12, 1.23, 1.49, 1.99, 3.10, 4.53, 6.46, 8.09, 10.05, 11.48, 16.03},
     {0.08, 0.15, 0.28, 0.49, 0.78, 1.00, 1.12, 1.03, 0.84, 0.62, 0.39},
     {-4.8, -4.3, -3.1, -2.4, -0.2, 0.0, -0.2, -0.1, 0.2, 1.6, 4.2}},
    // violet
    {292.7,
     {1.10, 1.19, 1.39, 1.86, 2.81, 4.28, 5.89, 7.30, 9.17, 11.03, 15.24},
     {0.06, 0.12, 0.23, 0.44, 0.73, 1.00, 1.12, 1.08, 0.93, 0.76, 0.56},
     {1.0, 1.9, 0.6, 0.9, 0.8, 0.0, 0.3, -0.1, 0.0, 1.0, -1.6}},
    // purple
    {303.9,
     {1.07, 1.18, 1.36, 1.77, 2.75, 3.99, 5.54, 7.12, 8.86, 10.98, 15.03},
     {0.05, 0.12, 0.24, 0.45, 0.77, 1.00, 1.09, 1.00, 0.82, 0.66, 0.56},
     {4.4, 3.3, 2.8, 2.5, 1.6, 0.0, -1.6, -2.0, -0.2, 1.1, -1.2}},
    // fuchsia
    {322.1,
     {1.07, 1.16, 1.36, 1.77, 2.56, 3.54, 4.79, 6.40, 8.36, 10.10, 14.87},
     {0.06, 0.13, 0.26, 0.49, 0.81, 1.00, 0.99, 0.86, 0.72, 0.58, 0.46},
     {-2.1, -3.3, -2.5, -0.7, 0.0, 0.0, 0.7, 1.8, 2.4, 3.5, 3.5}},
    // pink
    {354.3,
     {1.09, 1.18, 1.39, 1.82, 2.76, 3.58, 4.64, 6.09, 7.95, 9.68, 15.08},
     {0.06, 0.12, 0.25, 0.50, 0.84, 1.00, 1.03, 0.93, 0.78, 0.63, 0.45},
     {-11.1, -12.1, -11.1, -8.3, -4.5, 0.0, 6.3, 9.7, 9.5, 8.1, 9.6}},
};

double HueDistance(double from, double to) {
    const double difference = std::fmod(to - from, 360.0);
    return difference < 0 ? difference + 360 : difference;
}

// Linear between the regions on either side of the hue, around the circle.
HueRegion RegionAt(double hue, std::span<const HueRegion> regions) {
    if (regions.size() == 1) {
        return regions.front();
    }
    std::size_t after = 0;
    while (after < regions.size() && regions[after].hue <= hue) {
        ++after;
    }
    const HueRegion& next = regions[after % regions.size()];
    const HueRegion& previous = regions[(after + regions.size() - 1) % regions.size()];
    const double span = HueDistance(previous.hue, next.hue);
    const double weight = span > 0 ? HueDistance(previous.hue, hue) / span : 0;
    HueRegion blended{hue, {}, {}, {}};
    for (int step = 0; step < kScaleSteps; ++step) {
        auto mix = [&](double first, double second) { return first + weight * (second - first); };
        blended.contrast[step] = mix(previous.contrast[step], next.contrast[step]);
        blended.chromaShare[step] = mix(previous.chromaShare[step], next.chromaShare[step]);
        blended.hueDrift[step] = mix(previous.hueDrift[step], next.hueDrift[step]);
    }
    return blended;
}

std::array<double, kScaleSteps> PromisedLadder(std::array<double, kScaleSteps> ladder) {
    ladder[kStep500] = std::max(ladder[kStep500], kLargeText * kRoom);
    ladder[kStep600] = std::max({ladder[kStep600], kBodyText * kRoom, kBodyText * kRoom * ladder[kStep50]});
    for (int step = kStep600 + 1; step < kScaleSteps; ++step) {
        ladder[step] = std::max(ladder[step], ladder[step - 1] * kDarkSpacing);
    }
    ladder[kStep900] = std::max(ladder[kStep900], kStrongText * kRoom * ladder[kStep200]);
    ladder[kStep900 + 1] = std::max(ladder[kStep900 + 1], ladder[kStep900] * kDarkSpacing);
    return ladder;
}

// The source's contrast at its step: the lighter steps stay under it and the darker over it, and the
// promises are asked again, of the darker steps around it too.
std::array<double, kScaleSteps> LadderAround(std::array<double, kScaleSteps> ladder, int sourceStep,
                                             double contrast) {
    for (int step = 0; step < kScaleSteps; ++step) {
        if (step < sourceStep) {
            ladder[step] = std::min(ladder[step], contrast);
        } else if (step > sourceStep) {
            ladder[step] = std::max(ladder[step], contrast * kDarkSpacing);
        }
    }
    ladder = PromisedLadder(ladder);
    ladder[sourceStep] = contrast;
    return ladder;
}

bool Ordered(const std::array<Color, kScaleSteps>& steps) {
    for (int step = 1; step < kScaleSteps; ++step) {
        if (ContrastRatio(steps[step], kWhite) < ContrastRatio(steps[step - 1], kWhite)) {
            return false;
        }
    }
    return true;
}

// Halves the lightness range toward the boundary of the target contrast against white; light steps
// stay at or under it, dark steps at or over it. The hue's direction is worked out once for all the
// halvings, and the color of the end that is kept is the one its halving already made. The first
// halvings are guessed from the lightness that meets the target inside sRGB, and taken only when
// both ends of the guessed range are on their sides; they stop once both ends make the same color.
Color StepAt(double target, double chroma, double hue, bool darkSide) {
    const double radians = hue * std::numbers::pi / 180;
    const double a = chroma * std::cos(radians);
    const double b = chroma * std::sin(radians);
    auto colorAt = [&](double lightness) { return OklabToColor({lightness, a, b}).value_or(kBlack); };
    auto meets = [&](Color color) { return ContrastRatio(color, kWhite) >= target; };
    double dark = 0, light = 1;
    std::optional<Color> darkColor, lightColor;
    int halvings = 0;
    const double guess = OklabLightnessAtLuminance(kWhiteContrastTerm / target - kFlare, a, b);
    if (std::isfinite(guess)) {
        constexpr double kCells = 1 << kGuessedHalvings;
        const double lower = std::clamp(std::floor(guess * kCells), 0.0, kCells - 1) / kCells;
        const double upper = lower + 1 / kCells;
        const std::optional<Color> lowerColor = lower > 0 ? std::optional(colorAt(lower)) : std::nullopt;
        const std::optional<Color> upperColor = upper < 1 ? std::optional(colorAt(upper)) : std::nullopt;
        if ((!lowerColor || meets(*lowerColor)) && (!upperColor || !meets(*upperColor))) {
            dark = lower;
            light = upper;
            darkColor = lowerColor;
            lightColor = upperColor;
            halvings = kGuessedHalvings;
        }
    }
    for (; halvings < kHalvings && !(darkColor && darkColor == lightColor); ++halvings) {
        const double middle = (dark + light) / 2;
        const Color color = colorAt(middle);
        const bool onDarkSide = meets(color);
        (onDarkSide ? dark : light) = middle;
        (onDarkSide ? darkColor : lightColor) = color;
    }
    const std::optional<Color>& kept = darkSide ? darkColor : lightColor;
    return kept ? *kept : colorAt(darkSide ? dark : light);
}

bool KeepsPromises(const std::array<Color, kScaleSteps>& steps) {
    if (ContrastRatio(steps[kStep500], kWhite) < kLargeText) {
        return false;
    }
    for (int step = kStep600; step < kScaleSteps; ++step) {
        if (ContrastRatio(steps[step], kWhite) < kBodyText ||
            ContrastRatio(steps[step], steps[kStep50]) < kBodyText) {
            return false;
        }
    }
    for (int step = kStep50; step <= kStep200; ++step) {
        if (ContrastRatio(steps[step], steps[kStep900]) < kStrongText) {
            return false;
        }
    }
    return true;
}

// The steps with the source at `sourceStep`: the others take the chroma and hue the source has
// there along the region's curves.
std::array<Color, kScaleSteps> StepsAround(Color source, const Triple& lch, int sourceStep,
                                           const HueRegion& region,
                                           const std::array<double, kScaleSteps>& ladder) {
    std::array<Color, kScaleSteps> steps{};
    const double share = std::max(region.chromaShare[sourceStep], 0.01);
    for (int step = 0; step < kScaleSteps; ++step) {
        if (step == sourceStep) {
            steps[step] = source;
            continue;
        }
        const double chroma = std::min(kMaxChroma, lch[1] * region.chromaShare[step] / share);
        const double hue = lch[2] + region.hueDrift[step] - region.hueDrift[sourceStep];
        steps[step] = StepAt(ladder[step], chroma, hue, step >= kStep500);
    }
    return steps;
}

} // namespace

std::span<const HueRegion> ScaleHueRegions() {
    return kRegions;
}

std::array<double, kScaleSteps> ContrastLadder(double hue, std::span<const HueRegion> regions) {
    return PromisedLadder(RegionAt(hue, regions).contrast);
}

TonalScale MakeTonalScale(Color source) {
    return MakeTonalScale(source, kRegions);
}

// The source takes the step whose contrast is nearest its own, on a logarithmic scale, and the other
// steps make room for it; where the scale would still break a promise or its order, the next nearest.
TonalScale MakeTonalScale(Color source, std::span<const HueRegion> regions) {
    const Triple lch = RectangularToPolar(ColorToOklab(source));
    const HueRegion region = RegionAt(lch[2], regions);
    const std::array<double, kScaleSteps> ladder = PromisedLadder(region.contrast);
    const double contrast = ContrastRatio(source, kWhite);
    std::array<int, kScaleSteps> order{};
    std::iota(order.begin(), order.end(), 0);
    auto distance = [&](int step) { return std::fabs(std::log(ladder[step] / contrast)); };
    std::ranges::stable_sort(order,
                             [&](int first, int second) { return distance(first) < distance(second); });
    TonalScale scale{};
    for (int candidate : order) {
        scale = {StepsAround(source, lch, candidate, region, LadderAround(ladder, candidate, contrast)),
                 candidate};
        if (KeepsPromises(scale.steps) && Ordered(scale.steps)) {
            break;
        }
    }
    return scale;
}
