// A <color> as CSS reads it: #RGB, #RGBA, #RRGGBB or #RRGGBBAA (alpha ignored), the color functions
// of CSS Color 4 (rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch(), color()) and the named colors.
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

// A text read as a color, and when it is none because a calc() in it needs an element to be
// resolved, the unit that does ("em", "cqw").
struct CssColorReading {
    std::optional<Color> color;
    std::wstring_view elementUnit;
};

// White space and comments around the color are skipped; anything else unrecognised gives nothing.
CssColorReading ReadCssColor(std::wstring_view text);
std::optional<Color> ParseCssColor(std::wstring_view text);

// The digits of #RGB, #RGBA, #RRGGBB or #RRGGBBAA without the "#"; the alpha is dropped.
std::optional<Color> ParseHexColor(std::wstring_view digits);
