#include "color/TokenColorSpaces.h"

#include "color/CssColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double HueOf(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
}

// HWB is sRGB already: a channel past its range is clamped, as CSS clamps it.
Color ClampedColor(const Triple& srgb) {
    return MakeColor(RoundToByte(255 * srgb[0]), RoundToByte(255 * srgb[1]), RoundToByte(255 * srgb[2]));
}

std::optional<Color> CieLabToColor(const Triple& lab) {
    return OklabToColor(XyzToOklab(XyzD50ToD65(LabToXyzD50(lab))));
}

} // namespace

std::optional<TokenColorSpace> TokenColorSpaceNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, TokenColorSpace> kNames[] = {
        {"srgb", TokenColorSpace::Srgb},
        {"srgb-linear", TokenColorSpace::SrgbLinear},
        {"hsl", TokenColorSpace::Hsl},
        {"hwb", TokenColorSpace::Hwb},
        {"lab", TokenColorSpace::Lab},
        {"lch", TokenColorSpace::Lch},
        {"oklab", TokenColorSpace::Oklab},
        {"oklch", TokenColorSpace::Oklch},
        {"display-p3", TokenColorSpace::DisplayP3},
        {"a98-rgb", TokenColorSpace::A98Rgb},
        {"prophoto-rgb", TokenColorSpace::ProphotoRgb},
        {"rec2020", TokenColorSpace::Rec2020},
        {"xyz-d65", TokenColorSpace::XyzD65},
        {"xyz-d50", TokenColorSpace::XyzD50},
    };
    for (const auto& [known, space] : kNames) {
        if (name == known) {
            return space;
        }
    }
    return std::nullopt;
}

// As a pasted color of the same numbers: lightness is clamped and a chroma kept at 0 or more in
// lab(), lch(), oklab() and oklch(), and a saturation at 0 or more in hsl(), whose colors past sRGB
// are gamut mapped.
std::optional<Color> TokenColorToColor(TokenColorSpace space, const TokenComponents& components) {
    Triple c{};
    for (std::size_t i = 0; i < 3; ++i) {
        c[i] = components[i].value_or(0.0);
        if (!std::isfinite(c[i])) {
            return std::nullopt;
        }
    }
    switch (space) {
    case TokenColorSpace::Srgb:
        return SrgbToColor(c);
    case TokenColorSpace::SrgbLinear:
        return LinearSrgbToColor(c);
    case TokenColorSpace::Hsl:
        return SrgbToColor(HslToSrgb(HueOf(c[0]), std::max(c[1], 0.0) / 100, c[2] / 100));
    case TokenColorSpace::Hwb:
        return ClampedColor(HwbToSrgb(HueOf(c[0]), c[1] / 100, c[2] / 100));
    case TokenColorSpace::Lab:
        return CieLabToColor({std::clamp(c[0], 0.0, 100.0), c[1], c[2]});
    case TokenColorSpace::Lch:
        return CieLabToColor(PolarToRectangular({std::clamp(c[0], 0.0, 100.0), std::max(c[1], 0.0), c[2]}));
    case TokenColorSpace::Oklab:
        return OklabToColor({std::clamp(c[0], 0.0, 1.0), c[1], c[2]});
    case TokenColorSpace::Oklch:
        return OklabToColor(PolarToRectangular({std::clamp(c[0], 0.0, 1.0), std::max(c[1], 0.0), c[2]}));
    case TokenColorSpace::DisplayP3:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::DisplayP3, c));
    case TokenColorSpace::A98Rgb:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::A98Rgb, c));
    case TokenColorSpace::ProphotoRgb:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::ProphotoRgb, c));
    case TokenColorSpace::Rec2020:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::Rec2020, c));
    case TokenColorSpace::XyzD65:
        return XyzToColor(c);
    case TokenColorSpace::XyzD50:
        return XyzToColor(XyzD50ToD65(c));
    }
    return std::nullopt;
}
