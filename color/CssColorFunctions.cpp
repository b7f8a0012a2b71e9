#include "color/CssColorFunctions.h"

#include "color/CssSyntax.h"
#include "color/CssColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

using namespace css;

namespace {

// A number as it is, or a percentage of `full`. Multiplying first keeps 50% of 255 exact; a product
// past the double range is divided first instead.
std::optional<double> Scaled(const Value& value, double full) {
    switch (value.unit) {
    case Unit::None:
        return value.number;
    case Unit::Percent: {
        const double product = value.number * full;
        return std::isfinite(product) ? product / 100 : value.number / 100 * full;
    }
    default:
        return std::nullopt;
    }
}

// Numbers 0..255 or percentages, clamped. The comma syntax wants three of one kind; the space syntax
// of CSS Color 4 lets them mix.
std::optional<Color> RgbColor(const Channels& channels) {
    int bytes[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const Value& value = channels.values[i];
        const auto channel = Scaled(value, 255);
        if (!channel || (channels.commas && value.unit != channels.values[0].unit)) {
            return std::nullopt;
        }
        bytes[i] = RoundToByte(*channel);
    }
    return MakeColor(bytes[0], bytes[1], bytes[2]);
}

// A hue in degrees 0..360; a plain number is in degrees.
std::optional<double> HueDegrees(const Value& value) {
    double degrees = 0;
    switch (value.unit) {
    case Unit::None:
    case Unit::Degree:
        degrees = value.number;
        break;
    case Unit::Gradian:
        degrees = value.number / 400 * 360;
        break;
    case Unit::Radian:
        degrees = value.number * 180 / std::numbers::pi;
        break;
    case Unit::Turn:
        degrees = value.number * 360;
        break;
    case Unit::Percent:
        return std::nullopt;
    }
    if (!std::isfinite(degrees)) {
        return std::nullopt;
    }
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
}

// The hslToRgb of CSS Color 4, each channel 0..1.
Triple HslToSrgb(double hue, double saturation, double lightness) {
    const double chroma = saturation * std::min(lightness, 1 - lightness);
    auto channel = [&](double offset) {
        const double k = std::fmod(offset + hue / 30, 12.0);
        return lightness - chroma * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {channel(0), channel(8), channel(4)};
}

Color ClampedColor(const Triple& srgb) {
    return MakeColor(RoundToByte(255 * srgb[0]), RoundToByte(255 * srgb[1]), RoundToByte(255 * srgb[2]));
}

// Saturation and lightness as percentages or, in the space syntax, plain numbers, which mean the
// same. Only a saturation below 0 is clamped: one above 100, or a lightness outside 0..100, reaches
// past sRGB and is gamut mapped.
std::optional<Color> HslColor(const Channels& channels) {
    const auto hue = HueDegrees(channels.values[0]);
    double parts[2] = {};
    for (size_t i = 0; i < 2; ++i) {
        const Value& value = channels.values[i + 1];
        const auto part = Scaled(value, 100);
        if (!part || (channels.commas && value.unit != Unit::Percent)) {
            return std::nullopt;
        }
        parts[i] = (i == 0 ? std::max(*part, 0.0) : *part) / 100;
    }
    if (!hue) {
        return std::nullopt;
    }
    return SrgbToColor(HslToSrgb(*hue, parts[0], parts[1]));
}

// Whiteness and blackness as percentages or plain numbers; when they add up past 100% they are
// scaled to a grey.
std::optional<Color> HwbColor(const Channels& channels) {
    const auto hue = HueDegrees(channels.values[0]);
    auto whiteness = Scaled(channels.values[1], 100);
    auto blackness = Scaled(channels.values[2], 100);
    if (channels.commas || !hue || !whiteness || !blackness) {
        return std::nullopt;
    }
    double white = *whiteness / 100;
    double black = *blackness / 100;
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return ClampedColor({grey, grey, grey});
    }
    // In this order the channels are exact where they are halves: 1 - 0.3 - 0.5 is not 0.2 in doubles.
    Triple srgb = HslToSrgb(*hue, 1, 0.5);
    for (double& channel : srgb) {
        channel = channel * (1 - black) + white * (1 - channel);
    }
    return ClampedColor(srgb);
}

// lab(), lch(), oklab() and oklch(): a lightness clamped to 0..100% (100 for CIELAB, 1 for OKLab),
// then a and b, or a chroma of at least 0 and a hue. A percentage of a, b or chroma is of the
// reference range CSS gives each.
std::optional<Color> LabColor(const Channels& channels, bool ok, bool polar) {
    const double lightnessFull = ok ? 1 : 100;
    const double axisFull = ok ? 0.4 : (polar ? 150 : 125);
    const auto lightness = Scaled(channels.values[0], lightnessFull);
    const auto second = Scaled(channels.values[1], axisFull);
    const auto third = polar ? HueDegrees(channels.values[2]) : Scaled(channels.values[2], axisFull);
    if (channels.commas || !lightness || !second || !third) {
        return std::nullopt;
    }
    Triple lab = {std::clamp(*lightness, 0.0, lightnessFull), *second, *third};
    if (polar) {
        lab = PolarToRectangular({lab[0], std::max(lab[1], 0.0), lab[2]});
    }
    return OklabToColor(ok ? lab : XyzToOklab(XyzD50ToD65(LabToXyzD50(lab))));
}

enum class Space { Srgb, SrgbLinear, DisplayP3, A98Rgb, ProphotoRgb, Rec2020, Xyz, XyzD50 };

// color(space c1 c2 c3 [/ alpha]): numbers, or percentages of 1.
std::optional<Color> PredefinedColor(std::wstring_view body) {
    constexpr std::pair<std::wstring_view, Space> kSpaces[] = {
        {L"srgb", Space::Srgb},
        {L"srgb-linear", Space::SrgbLinear},
        {L"display-p3", Space::DisplayP3},
        {L"a98-rgb", Space::A98Rgb},
        {L"prophoto-rgb", Space::ProphotoRgb},
        {L"rec2020", Space::Rec2020},
        {L"xyz", Space::Xyz},
        {L"xyz-d65", Space::Xyz},
        {L"xyz-d50", Space::XyzD50},
    };
    body = Trim(body);
    const auto nameEnd = std::ranges::find_if(body, IsSpace);
    const std::wstring_view name(body.begin(), nameEnd);
    const auto space =
        std::ranges::find_if(kSpaces, [name](auto& entry) { return EqualsIgnoringCase(name, entry.first); });
    const auto channels = ParseArguments(std::wstring_view(nameEnd, body.end()));
    if (space == std::end(kSpaces) || !channels || channels->commas) {
        return std::nullopt;
    }
    Triple values{};
    for (size_t i = 0; i < 3; ++i) {
        const auto value = Scaled(channels->values[i], 1);
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    switch (space->second) {
    case Space::Srgb:
        return SrgbToColor(values);
    case Space::SrgbLinear:
        return LinearSrgbToColor(values);
    case Space::Xyz:
        return XyzToColor(values);
    case Space::XyzD50:
        return XyzToColor(XyzD50ToD65(values));
    case Space::DisplayP3:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::DisplayP3, values));
    case Space::A98Rgb:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::A98Rgb, values));
    case Space::ProphotoRgb:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::ProphotoRgb, values));
    case Space::Rec2020:
        return XyzToColor(RgbSpaceToXyz(RgbSpace::Rec2020, values));
    }
    return std::nullopt;
}

} // namespace

std::optional<Color> ParseColorFunction(std::wstring_view name, std::wstring_view body) {
    if (EqualsIgnoringCase(name, L"color")) {
        return PredefinedColor(body);
    }
    enum class Kind { Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch };
    constexpr std::pair<std::wstring_view, Kind> kFunctions[] = {
        {L"rgb", Kind::Rgb},  {L"rgba", Kind::Rgb},    {L"hsl", Kind::Hsl},
        {L"hsla", Kind::Hsl}, {L"hwb", Kind::Hwb},     {L"lab", Kind::Lab},
        {L"lch", Kind::Lch},  {L"oklab", Kind::Oklab}, {L"oklch", Kind::Oklch},
    };
    const auto function = std::ranges::find_if(
        kFunctions, [name](auto& entry) { return EqualsIgnoringCase(name, entry.first); });
    const auto channels = function != std::end(kFunctions) ? ParseArguments(body) : std::nullopt;
    if (!channels) {
        return std::nullopt;
    }
    switch (function->second) {
    case Kind::Rgb:
        return RgbColor(*channels);
    case Kind::Hsl:
        return HslColor(*channels);
    case Kind::Hwb:
        return HwbColor(*channels);
    case Kind::Lab:
        return LabColor(*channels, false, false);
    case Kind::Lch:
        return LabColor(*channels, false, true);
    case Kind::Oklab:
        return LabColor(*channels, true, false);
    case Kind::Oklch:
        return LabColor(*channels, true, true);
    }
    return std::nullopt;
}
