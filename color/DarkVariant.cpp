#include "color/DarkVariant.h"

#include "color/ColorDifference.h"
#include "color/Contrast.h"
#include "color/CssColorSpaces.h"

#include <algorithm>

namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr int kHalvings = 13;
// The walk that looks for a background that works: its steps, and how fine it halves them at the end.
constexpr double kCoarseStep = 0.025;
constexpr double kFineStep = 0.002;
// Luminance where the contrast against black equals the contrast against white: darker is dark.
constexpr double kMiddleLuminance = 0.1791;
// Surfaces this far apart (CIEDE2000) are told apart beyond doubt; a light palette's larger distance,
// up to black against white's 100, cannot always be had again among dark colors.
constexpr double kToldApart = 40;

Color OnLine(const Triple& lch, double lightness) {
    return OklchToColorKeepingHue({lightness, lch[1], lch[2]});
}

double Lightness(Color color) {
    return ColorToOklab(color)[0];
}

bool AnyTextPasses(Color background, TextSize size, ContrastTarget target) {
    return PassesTarget(kBlack, background, size, target) || PassesTarget(kWhite, background, size, target);
}

// The first lightness from `from` toward `to` at which `fits` holds: found in coarse steps, then
// halved down to about an 8-bit level between the last step that did not fit and the first that did.
template <typename Fits>
std::optional<Color> FirstFitting(const Triple& lch, double from, double to, Fits fits) {
    const double step = to > from ? kCoarseStep : -kCoarseStep;
    double before = from;
    for (int i = 0;; ++i) {
        const double lightness = std::abs(to - from) <= i * kCoarseStep ? to : from + i * step;
        const Color candidate = OnLine(lch, lightness);
        if (fits(candidate)) {
            if (i == 0) {
                return candidate;
            }
            std::optional<Color> found = candidate;
            double fitting = lightness;
            while (std::abs(fitting - before) > kFineStep) {
                const double middle = (fitting + before) / 2;
                const Color between = OnLine(lch, middle);
                if (fits(between)) {
                    fitting = middle;
                    found = between;
                } else {
                    before = middle;
                }
            }
            return found;
        }
        if (lightness == to) {
            return std::nullopt;
        }
        before = lightness;
    }
}

// The nearer of the lightnesses on either side where some text passes.
Color WithPassingText(Color background, TextSize size, ContrastTarget target) {
    if (AnyTextPasses(background, size, target)) {
        return background;
    }
    const Triple lch = RectangularToPolar(ColorToOklab(background));
    auto fits = [&](Color candidate) { return AnyTextPasses(candidate, size, target); };
    const auto darker = FirstFitting(lch, lch[0], 0.0, fits);
    const auto lighter = FirstFitting(lch, lch[0], 1.0, fits);
    if (!darker || !lighter) {
        return darker ? *darker : lighter.value_or(kBlack);
    }
    return lch[0] - Lightness(*darker) <= Lightness(*lighter) - lch[0] ? *darker : *lighter;
}

// Box 4 moves away from box 3 along its own lightness until the two are told apart as well as in
// the original, lighter than box 3 when the variant is dark; where box 4 cannot go far enough, it goes
// as far as it can and box 3 moves the other way.
void KeepNesting(std::array<Color, 4>& boxes, double distance, TextSize outerSize, TextSize innerSize,
                 ContrastTarget target) {
    Color& outer = boxes[2];
    Color& inner = boxes[3];
    const bool dark = RelativeLuminance(outer) < kMiddleLuminance;
    auto apart = [&](Color first, Color second) { return Ciede2000(first, second) >= distance; };
    const bool innerLighter = Lightness(inner) > Lightness(outer);
    if (apart(outer, inner) && (!dark || innerLighter)) {
        return;
    }
    const bool upward = dark || innerLighter;
    const double end = upward ? 1.0 : 0.0;
    const Triple innerLch = RectangularToPolar(ColorToOklab(inner));
    const double outerLightness = Lightness(outer);
    auto innerPlaced = [&](Color candidate) {
        return (Lightness(candidate) > outerLightness) == upward &&
               AnyTextPasses(candidate, innerSize, target);
    };
    const double from =
        upward ? std::max(innerLch[0], outerLightness) : std::min(innerLch[0], outerLightness);
    if (const auto moved = FirstFitting(innerLch, from, end, [&](Color candidate) {
            return apart(outer, candidate) && innerPlaced(candidate);
        })) {
        inner = *moved;
        return;
    }
    if (const auto farthest = FirstFitting(innerLch, end, from, innerPlaced)) {
        inner = *farthest;
    }
    const Triple outerLch = RectangularToPolar(ColorToOklab(outer));
    const double innerLightness = Lightness(inner);
    auto outerFits = [&](Color candidate) {
        return apart(candidate, inner) && (innerLightness > Lightness(candidate)) == upward &&
               AnyTextPasses(candidate, outerSize, target);
    };
    if (const auto moved = FirstFitting(outerLch, outerLch[0], 1.0 - end, outerFits)) {
        outer = *moved;
    }
}

Color PassingText(Color text, Color background, TextSize size, ContrastTarget target) {
    if (PassesTarget(text, background, size, target)) {
        return text;
    }
    if (const auto fix = FixText(text, background, size, target)) {
        return fix->color;
    }
    return PassesTarget(kWhite, background, size, target) ? kWhite : kBlack;
}

} // namespace

// Luminance Y goes to 0.0525 / (Y + 0.05) - 0.05, which is its own inverse; the lightness that gives
// it is found by halving, hue and chroma held.
Color MirrorByContrast(Color background) {
    const double luminance = 0.0525 / (RelativeLuminance(background) + 0.05) - 0.05;
    const Triple lch = RectangularToPolar(ColorToOklab(background));
    double dark = 0, light = 1;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (dark + light) / 2;
        (RelativeLuminance(OnLine(lch, middle)) < luminance ? dark : light) = middle;
    }
    const Color darker = OnLine(lch, dark);
    const Color lighter = OnLine(lch, light);
    return luminance - RelativeLuminance(darker) <= RelativeLuminance(lighter) - luminance ? darker : lighter;
}

PaletteColors MakeDarkVariant(const PaletteColors& original, const std::array<TextSize, 4>& sizes,
                              ContrastTarget target) {
    PaletteColors variant{};
    for (int box = 0; box < 4; ++box) {
        variant.box[box] = WithPassingText(MirrorByContrast(original.box[box]), sizes[box], target);
    }
    KeepNesting(variant.box, std::min(kToldApart, Ciede2000(original.box[2], original.box[3])), sizes[2],
                sizes[3], target);
    for (int box = 0; box < 4; ++box) {
        variant.text[box] = PassingText(original.text[box], variant.box[box], sizes[box], target);
    }
    return variant;
}
