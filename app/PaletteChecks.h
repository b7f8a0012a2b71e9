// What the palette checker shows: each box's text against its background, and the whole palette
// as people with each color vision deficiency see it, with the backgrounds they can hardly tell apart.
#pragma once

#include "color/VisionSimulation.h"
#include "library/PaletteColors.h"

#include <array>
#include <string>

// Backgrounds closer than this (CIEDE2000) are hard to tell apart.
inline constexpr double kHardToTellApart = 5.0;

// A box's text as the page would set it.
struct BoxText {
    double pointSize;
    bool bold;
};

struct BoxContrast {
    bool largeText;
    double ratio;             // WCAG 2.x, 1..21
    bool passesAA;            // 4.5:1, or 3:1 for large text
    bool passesAAA;           // 7:1, or 4.5:1 for large text
    double lightnessContrast; // APCA Lc
};

struct SimulatedPalette {
    PaletteColors colors;
    // hardToTell[i][j] (symmetric, false on the diagonal): box i and box j's backgrounds are hard to tell
    // apart in the simulation though they are not for normal vision.
    std::array<std::array<bool, 4>, 4> hardToTell;
};

struct PaletteChecks {
    std::array<BoxContrast, 4> boxes;
    std::array<SimulatedPalette, kVisionDeficiencyCount> simulations;
};

// WCAG's large text: at least 18 points, or at least 14 points and bold.
bool IsLargeText(double pointSize, bool bold);
BoxContrast BoxContrastOf(Color text, Color background, const BoxText& textStyle);
PaletteChecks CheckPalette(const PaletteColors& colors, const std::array<BoxText, 4>& text);
// Only each box's text against its background, without the simulations, which cost far more.
std::array<BoxContrast, 4> CheckBoxContrasts(const PaletteColors& colors, const std::array<BoxText, 4>& text);

// "4.62:1": two decimals, cut rather than rounded, so a ratio just under a threshold never reads as
// reaching it.
std::wstring FormatContrastRatio(double ratio);
// "Lc 63.1", "Lc -12.4": one decimal, rounded.
std::wstring FormatLightnessContrast(double lightnessContrast);
