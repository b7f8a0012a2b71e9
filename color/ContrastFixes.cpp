#include "color/ContrastFixes.h"

#include "color/ColorDifference.h"
#include "color/Contrast.h"
#include "color/CssColorSpaces.h"

#include <cmath>

namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
// Halving the lightness range this often leaves steps far below one 8-bit level.
constexpr int kHalvings = 12;
// Below this OKLCH chroma a color is a grey, whose line black and white lie on anyway.
constexpr double kGreyChroma = 0.005;
// About half an 8-bit level of lightness, and how many such steps past the boundary are weighed.
constexpr double kNearbyStep = 0.002;
constexpr int kNearbySteps = 8;

// Black and white end every line; for a color that is no grey they are the fallback.
bool IsFallback(Color color, const Triple& lch) {
    return (color == kBlack || color == kWhite) && lch[1] >= kGreyChroma;
}

// One color on the original's line: its hue and chroma at another lightness, brought into sRGB.
Color OnLine(const Triple& lch, double lightness) {
    return OklabToColor(PolarToRectangular({lightness, lch[1], lch[2]})).value_or(kBlack);
}

// The passing color nearest the original between it and `end` (0 toward black, 1 toward white),
// when the color at `end` passes at all.
template <typename Passes>
std::optional<Color> NearestOnSide(Color original, const Triple& lch, double end, Passes passes) {
    if (!passes(OnLine(lch, end))) {
        return std::nullopt;
    }
    // `pass` always passes and `fail` never does: the line between them is halved toward the
    // boundary, which is where the passing color nearest the original lies on this side.
    double pass = end, fail = lch[0];
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (pass + fail) / 2;
        (passes(OnLine(lch, middle)) ? pass : fail) = middle;
    }
    // Rounding to 8 bits moves a nearly grey color's hue a little from step to step, so the first
    // passing color is not always the nearest: the next few steps toward `end` are weighed too.
    const Lab originalLab = ToLab(original);
    Color nearest = OnLine(lch, pass);
    double nearestDistance = Ciede2000(originalLab, ToLab(nearest));
    const double step = end > lch[0] ? kNearbyStep : -kNearbyStep;
    for (int i = 1; i <= kNearbySteps; ++i) {
        const double lightness = pass + i * step;
        if ((step > 0) ? lightness > end : lightness < end) {
            break;
        }
        const Color candidate = OnLine(lch, lightness);
        if (IsFallback(candidate, lch)) {
            break;
        }
        const double distance = Ciede2000(originalLab, ToLab(candidate));
        if (distance < nearestDistance && passes(candidate)) {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return nearest;
}

template <typename Passes>
std::optional<ContrastFix> Fix(Color original, Passes passes, ContrastTarget target, Color other,
                               bool isText) {
    const Triple lch = RectangularToPolar(ColorToOklab(original));
    const auto darker = NearestOnSide(original, lch, 0.0, passes);
    const auto lighter = NearestOnSide(original, lch, 1.0, passes);
    if (!darker && !lighter) {
        return std::nullopt;
    }
    // The fallback is taken only when no color of the original's own hue passes on either side.
    auto fallback = [&](const std::optional<Color>& color) { return !color || IsFallback(*color, lch); };
    const Lab originalLab = ToLab(original);
    auto nearer = [&](const std::optional<Color>& first, const std::optional<Color>& second) {
        return !second ||
               (first && Ciede2000(originalLab, ToLab(*first)) <= Ciede2000(originalLab, ToLab(*second)));
    };
    std::optional<Color> chosen;
    if (fallback(darker) == fallback(lighter)) {
        chosen = nearer(darker, lighter) ? darker : lighter;
    } else {
        chosen = fallback(darker) ? lighter : darker;
    }
    const double figure =
        isText ? TargetFigure(*chosen, other, target) : TargetFigure(other, *chosen, target);
    return ContrastFix{*chosen, figure, fallback(chosen)};
}

} // namespace

TextSize TextSizeOf(double pointSize, bool bold) {
    if (pointSize >= 27.0 || (bold && pointSize >= 18.0)) {
        return TextSize::Heading;
    }
    return pointSize >= 18.0 || (bold && pointSize >= 14.0) ? TextSize::Large : TextSize::Body;
}

double TargetFigure(Color text, Color background, ContrastTarget target) {
    return target == ContrastTarget::Apca ? std::fabs(LightnessContrast(text, background))
                                          : ContrastRatio(text, background);
}

double TargetThreshold(ContrastTarget target, TextSize size) {
    const bool large = size != TextSize::Body;
    switch (target) {
    case ContrastTarget::AA:
        return large ? 3.0 : 4.5;
    case ContrastTarget::AAA:
        return large ? 4.5 : 7.0;
    case ContrastTarget::Apca:
        break;
    }
    return size == TextSize::Heading ? 45.0 : large ? 60.0 : 75.0;
}

bool PassesTarget(Color text, Color background, TextSize size, ContrastTarget target) {
    return TargetFigure(text, background, target) >= TargetThreshold(target, size);
}

std::optional<ContrastFix> FixText(Color text, Color background, TextSize size, ContrastTarget target) {
    auto passes = [&](Color candidate) { return PassesTarget(candidate, background, size, target); };
    return Fix(text, passes, target, background, true);
}

std::optional<ContrastFix> FixBackground(Color text, Color background, TextSize size, ContrastTarget target) {
    auto passes = [&](Color candidate) { return PassesTarget(text, candidate, size, target); };
    return Fix(background, passes, target, text, false);
}
