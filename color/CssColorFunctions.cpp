#include "color/CssColorFunctions.h"

#include "color/CssColorSpaces.h"
#include "color/CssMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

using namespace css;

namespace {

// The three channels of a color function; whether they were written with commas.
struct Channels {
    std::array<Value, 3> values;
    bool commas;
};

// An infinite calc() stands for the largest value: this one lies past every gamut, and its cube,
// which CIELAB takes, stays within the double range.
constexpr double kLargest = 1e38;

// A number as it is, or a percentage of `full`. Multiplying first keeps 50% of 255 exact; a product
// past the double range is divided first instead.
std::optional<double> Scaled(const Value& value, double full) {
    const double number = std::isinf(value.number) ? std::copysign(kLargest, value.number) : value.number;
    switch (value.unit) {
    case Unit::None:
        return number;
    case Unit::Percent: {
        const double product = number * full;
        return std::isfinite(product) ? product / 100 : number / 100 * full;
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

// A hue in degrees 0..360; a plain number is in degrees. An infinite hue is 0, as CSS takes it.
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
        return 0.0;
    }
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
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
    return ClampedColor(HwbToSrgb(*hue, *whiteness / 100, *blackness / 100));
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

// One component: a number, a percentage, an angle, `none`, or a math function of them.
std::optional<Value> ReadComponent(const Token& token, Tokenizer& tokens, std::wstring_view& elementUnit) {
    constexpr std::pair<std::wstring_view, Unit> kAngles[] = {
        {L"deg", Unit::Degree}, {L"grad", Unit::Gradian}, {L"rad", Unit::Radian}, {L"turn", Unit::Turn}};
    switch (token.kind) {
    case TokenKind::Number:
        return Value{token.number, Unit::None, false};
    case TokenKind::Percentage:
        return Value{token.number, Unit::Percent, false};
    case TokenKind::Dimension:
        for (const auto& [name, unit] : kAngles) {
            if (token.name.Is(name)) {
                return Value{token.number, unit, false};
            }
        }
        return std::nullopt;
    case TokenKind::Ident:
        return token.name.Is(L"none") ? std::optional<Value>(Value{0, Unit::None, true}) : std::nullopt;
    case TokenKind::Function: {
        const auto quantity = ReadMathFunction(token.name, tokens, elementUnit);
        if (!quantity || quantity->type == QuantityType::Length) {
            return std::nullopt;
        }
        constexpr Unit kUnits[] = {Unit::None, Unit::Percent, Unit::Degree};
        return Value{quantity->value, kUnits[static_cast<int>(quantity->type)], false};
    }
    default:
        return std::nullopt;
    }
}

// The three channel values of a color function in either CSS syntax, through its ")": "a, b, c[, alpha]"
// or "a b c[ / alpha]". The alpha must be a number, a percentage or `none`, and is then dropped;
// `none` belongs to the space syntax only.
std::optional<Channels> ReadChannels(Tokenizer& tokens, std::wstring_view& elementUnit) {
    enum class Separator { Space, Comma, Slash };
    Value values[4]{};
    Separator separators[3]{};
    std::size_t count = 0;
    for (Token token = tokens.NextNonSpace();;) {
        const auto value = count < 4 ? ReadComponent(token, tokens, elementUnit) : std::nullopt;
        if (!value) {
            return std::nullopt;
        }
        values[count++] = *value;
        token = tokens.NextNonSpace();
        if (token.kind == TokenKind::CloseParen || token.kind == TokenKind::End || count == 4) {
            if (token.kind != TokenKind::CloseParen && token.kind != TokenKind::End) {
                return std::nullopt;
            }
            break;
        }
        const bool slash = token.kind == TokenKind::Delim && token.delim == L'/';
        separators[count - 1] = token.kind == TokenKind::Comma ? Separator::Comma
                                : slash                        ? Separator::Slash
                                                               : Separator::Space;
        if (separators[count - 1] != Separator::Space) {
            token = tokens.NextNonSpace();
        }
    }
    const bool commas = separators[0] == Separator::Comma;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const Separator expected = commas ? Separator::Comma : i == 2 ? Separator::Slash : Separator::Space;
        if (separators[i] != expected) {
            return std::nullopt;
        }
    }
    if (count < 3) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (commas && values[i].missing) {
            return std::nullopt;
        }
    }
    if (count == 4 && values[3].unit != Unit::None && values[3].unit != Unit::Percent) {
        return std::nullopt;
    }
    return Channels{{values[0], values[1], values[2]}, commas};
}

enum class Space { Srgb, SrgbLinear, DisplayP3, A98Rgb, ProphotoRgb, Rec2020, Xyz, XyzD50 };

// color(space c1 c2 c3 [/ alpha]): numbers, or percentages of 1.
std::optional<Color> PredefinedColor(Tokenizer& tokens, std::wstring_view& elementUnit) {
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
    const Token name = tokens.NextNonSpace();
    const auto space = std::ranges::find_if(
        kSpaces, [&name](auto& entry) { return name.kind == TokenKind::Ident && name.name.Is(entry.first); });
    if (space == std::end(kSpaces)) {
        return std::nullopt;
    }
    const auto channels = ReadChannels(tokens, elementUnit);
    if (!channels || channels->commas) {
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

std::optional<Color> ReadColorFunction(const Name& name, Tokenizer& tokens, std::wstring_view& elementUnit) {
    if (name.Is(L"color")) {
        return PredefinedColor(tokens, elementUnit);
    }
    enum class Kind { Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch };
    constexpr std::pair<std::wstring_view, Kind> kFunctions[] = {
        {L"rgb", Kind::Rgb},  {L"rgba", Kind::Rgb},    {L"hsl", Kind::Hsl},
        {L"hsla", Kind::Hsl}, {L"hwb", Kind::Hwb},     {L"lab", Kind::Lab},
        {L"lch", Kind::Lch},  {L"oklab", Kind::Oklab}, {L"oklch", Kind::Oklch},
    };
    const auto function =
        std::ranges::find_if(kFunctions, [&name](auto& entry) { return name.Is(entry.first); });
    const auto channels = function != std::end(kFunctions) ? ReadChannels(tokens, elementUnit) : std::nullopt;
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
