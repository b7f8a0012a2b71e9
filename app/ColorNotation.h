// A color written in any of the notations designers copy around: what CSS reads (color/CssColor.h),
// and beside it RRGGBB, 0xRRGGBB, 0x00BBGGRR, &H00BBGGRR& and a decimal triplet "r,g,b".
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

// Leading and trailing white space is ignored; anything else unrecognised gives nothing.
std::optional<Color> ParseColorNotation(std::wstring_view text);
