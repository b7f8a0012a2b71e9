// The three shades of the selected color: percentages from the shade decrement and the mode.
#pragma once

#include "color/ColorMath.h"

#include <array>

// With d = (100 - decrement) / 3: d, 2d, 3d, or in the Saturation mode decrement, +d, +2d.
std::array<double, 3> ShadePercentages(int modeIndex, double shadeDecrement) noexcept;

std::array<Color, 3> ShadesOf(int modeIndex, Color color, double shadeDecrement) noexcept;
