// The eight colors of a palette: a background and a text color for each of the four boxes, and the
// colors a new palette starts with.
#pragma once

#include "color/ColorMath.h"

#include <array>

struct PaletteColors {
    std::array<Color, 4> box;
    std::array<Color, 4> text;

    bool operator==(const PaletteColors&) const = default;
};

constexpr PaletteColors kDefaultPalette{
    {0x00A1BEBE, 0x00ABC8C8, 0x00B5D2D2, 0x00BFDBDB},
    {0x00556974, 0x00556974, 0x00556974, 0x00556974},
};
