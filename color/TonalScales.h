// Tonal scales: eleven steps, 50 to 950, made from one color. Each step's lightness meets a contrast
// against white, so that the steps keep their promises for text whatever the hue and chroma.
#pragma once

#include "color/ColorMath.h"

#include <array>
#include <span>

inline constexpr int kScaleSteps = 11;
inline constexpr std::array<int, kScaleSteps> kScaleStepNames = {50,  100, 200, 300, 400, 500,
                                                                 600, 700, 800, 900, 950};

struct TonalScale {
    std::array<Color, kScaleSteps> steps;
    // The step that is the source color itself.
    int sourceStep;
};

// What a scale looks like around one hue, the hue of its 500 step: per step the contrast against
// white, the OKLCH chroma as a share of the 500's, and the hue's drift from the 500's, in degrees.
struct HueRegion {
    double hue;
    std::array<double, kScaleSteps> contrast;
    std::array<double, kScaleSteps> chromaShare;
    std::array<double, kScaleSteps> hueDrift;
};

// The regions the scales are made with, in the order of their hues.
std::span<const HueRegion> ScaleHueRegions();

// The contrast ladder of a hue: the regions' contrasts, moved where a promise needs it.
std::array<double, kScaleSteps> ContrastLadder(double hue, std::span<const HueRegion> regions);

TonalScale MakeTonalScale(Color source);
// With other regions, in the order of their hues: the comparison leaves one out.
TonalScale MakeTonalScale(Color source, std::span<const HueRegion> regions);
