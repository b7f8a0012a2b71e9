// The text a color well puts into a drag: "%u,%u,%u" for a box color, "T%u,%u,%u" for a text
// color, red first, as UTF-16.
#pragma once

#include "color/ColorMath.h"

#include <optional>
#include <string_view>

struct DroppedColor {
    Color color;
    bool textColor;

    bool operator==(const DroppedColor&) const = default;
};

// The payload ends at its first zero unit or at the end of its block, whichever comes first.
// Each number keeps its low 8 bits; fewer than three numbers give nothing.
std::optional<DroppedColor> ParseDropPayload(std::u16string_view units);
