// A <color> as CSS reads it: #RGB, #RGBA, #RRGGBB or #RRGGBBAA (alpha ignored), the color functions
// of CSS Color 4 (rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch(), color()) and the named colors.
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

// The text must be trimmed; anything else unrecognised gives nothing.
std::optional<Color> ParseCssColor(std::wstring_view text);

// The digits of #RGB, #RGBA, #RRGGBB or #RRGGBBAA without the "#"; the alpha is dropped.
std::optional<Color> ParseHexColor(std::wstring_view digits);
