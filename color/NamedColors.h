// The named colors of CSS, and the name nearest to any color: what a color is called when it is read
// aloud or shown beside its value.
#pragma once

#include "color/ColorMath.h"

#include <cstdint>
#include <span>
#include <string_view>

struct NamedColor {
    std::wstring_view name;
    std::uint32_t rgb; // 0xRRGGBB, as CSS writes it
};

// Sorted by name, all in lower case.
std::span<const NamedColor> CssNamedColors() noexcept;

Color ColorOf(const NamedColor& named) noexcept;

// The name of the named color nearest by CIEDE2000; of two colors alike, the first by name.
std::wstring_view NearestColorName(Color color);
