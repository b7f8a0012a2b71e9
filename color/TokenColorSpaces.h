// The color spaces of design tokens (the DTCG Color module): a space's name and three components,
// any of them missing ("none"), brought into 8-bit sRGB as a pasted CSS color is.
#pragma once

#include "color/ColorMath.h"

#include <array>
#include <optional>
#include <string_view>

enum class TokenColorSpace {
    Srgb,
    SrgbLinear,
    Hsl,
    Hwb,
    Lab,
    Lch,
    Oklab,
    Oklch,
    DisplayP3,
    A98Rgb,
    ProphotoRgb,
    Rec2020,
    XyzD65,
    XyzD50
};

// By the module's exact name ("srgb", "display-p3", ...); nothing for any other.
std::optional<TokenColorSpace> TokenColorSpaceNamed(std::string_view name);

// The components in the module's units: 0..1 for the RGB and XYZ spaces, hue in degrees with
// saturation, lightness, whiteness and blackness 0..100 for HSL and HWB, CIELAB lightness 0..100 and
// OKLab lightness 0..1. A missing one counts as 0, as CSS counts it. Colors outside sRGB are
// gamut-mapped, HSL and HWB clamped, as CSS does; nothing when a component is not finite.
using TokenComponents = std::array<std::optional<double>, 3>;
std::optional<Color> TokenColorToColor(TokenColorSpace space, const TokenComponents& components);
