// The nearest colors that let a box's text pass a contrast target: the text color changed on its
// background, or the background changed under its text.
#pragma once

#include "color/ColorMath.h"

#include <optional>

enum class ContrastTarget { AA, AAA, Apca };

// WCAG's large text is 18 points, or 14 bold; APCA's headings are 27 points, or 18 bold (36 and 24
// pixels).
enum class TextSize { Body, Large, Heading };
TextSize TextSizeOf(double pointSize, bool bold);

// What the target judges: the contrast ratio for AA and AAA, |Lc| for APCA; and how much it asks:
// 4.5 or 3 (AA), 7 or 4.5 (AAA), Lc 75, 60 or 45 (APCA).
double TargetFigure(Color text, Color background, ContrastTarget target);
double TargetThreshold(ContrastTarget target, TextSize size);
bool PassesTarget(Color text, Color background, TextSize size, ContrastTarget target);

struct ContrastFix {
    Color color;
    // The ratio or |Lc| it reaches.
    double figure;
    // No color of the original's hue and chroma passes: black or white is offered instead.
    bool blackOrWhite;
};

// Only the OKLCH lightness of the color changes; its hue and chroma stay, the chroma reduced only
// where the color would leave sRGB. Of the passing colors on that line, the one nearest the original
// by CIEDE2000. Nothing when not even black or white passes.
std::optional<ContrastFix> FixText(Color text, Color background, TextSize size, ContrastTarget target);
std::optional<ContrastFix> FixBackground(Color text, Color background, TextSize size, ContrastTarget target);
