// The texts of the status bar's first pane: the selected color with its values or with its shades,
// and the box colors of a shown palette.
#pragma once

#include "color/ColorMath.h"

#include <array>
#include <string>

// wells: the selected color, then its three shades. With showAllColorValues the four are listed as
// hexadecimal; otherwise the selected color alone, in hexadecimal and as decimal channels.
std::wstring ColorStatusText(const std::array<Color, 4>& wells, bool showAllColorValues);

std::wstring BoxColorsText(const std::array<Color, 4>& boxes);
