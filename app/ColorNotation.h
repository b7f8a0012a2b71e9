// A color written in any of the notations designers copy around: what CSS reads (color/CssColor.h),
// and beside it RRGGBB, 0xRRGGBB, 0x00BBGGRR, &H00BBGGRR& and a decimal triplet "r,g,b".
#pragma once

#include "color/ColorMath.h"
#include "color/CssColor.h"

#include <optional>
#include <string>
#include <string_view>

// Leading and trailing white space is ignored; anything else unrecognised gives nothing.
CssColorReading ReadColorNotation(std::wstring_view text);
std::optional<Color> ParseColorNotation(std::wstring_view text);

// The status bar's alert for a pasted color that is none because a calc() in it needs an element.
std::wstring ElementUnitAlert(std::wstring_view unit);
