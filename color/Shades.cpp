#include "color/Shades.h"

#include "color/SelectorAxes.h"

std::array<double, 3> ShadePercentages(int modeIndex, double shadeDecrement) noexcept {
    double d = (100.0 - shadeDecrement) / 3.0;
    if (modeIndex == ModeSaturation) {
        return {shadeDecrement, shadeDecrement + d, shadeDecrement + 2 * d};
    }
    return {d, 2 * d, 3 * d};
}

std::array<Color, 3> ShadesOf(int modeIndex, Color color, double shadeDecrement) noexcept {
    auto percentages = ShadePercentages(modeIndex, shadeDecrement);
    return {ShadeColor(modeIndex, color, percentages[0]), ShadeColor(modeIndex, color, percentages[1]),
            ShadeColor(modeIndex, color, percentages[2])};
}
