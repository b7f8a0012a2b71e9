// The color functions of CSS Color 4 read into 8-bit sRGB: rgb(), hsl() and hwb() as CSS clamps
// them, lab(), lch(), oklab(), oklch() and color() through CSS gamut mapping.
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

// `name` is the text before "(" in any case, `body` the text inside the parentheses.
std::optional<Color> ParseColorFunction(std::wstring_view name, std::wstring_view body);
