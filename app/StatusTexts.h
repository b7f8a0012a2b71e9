// The texts of the status bar's first pane: the selected color with its values or with its shades,
// the box colors of a shown palette, and what an export or import did.
#pragma once

#include "color/ColorMath.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// wells: the selected color, then its three shades. With showAllColorValues the four are listed as
// hexadecimal; otherwise the selected color alone, in hexadecimal and as decimal channels.
std::wstring ColorStatusText(const std::array<Color, 4>& wells, bool showAllColorValues);

std::wstring BoxColorsText(const std::array<Color, 4>& boxes);

// "Exported 2 palettes to library.json".
std::wstring ExportStatusText(std::size_t count, std::wstring_view fileName);
// "Imported 96 palettes from gradient.gpl", then ", 3 renamed" when names were already taken.
std::wstring ImportStatusText(int imported, int renamed, std::wstring_view fileName);
