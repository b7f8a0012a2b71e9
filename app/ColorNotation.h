// A color written in any of the notations designers copy around: #RGB, #RRGGBB, #RRGGBBAA (alpha
// ignored), RRGGBB, the color functions of CSS Color 4 (rgb(), hsl(), hwb(), lab(), lch(), oklab(),
// oklch(), color()), 0xRRGGBB, 0x00BBGGRR, &H00BBGGRR&, a decimal triplet "r,g,b", and the CSS named
// colors.
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

// Leading and trailing white space is ignored; anything else unrecognised gives nothing.
std::optional<Color> ParseColorNotation(std::wstring_view text);
