// The looks the program gives its shaded buttons: the texture style and the three percentages that
// SetShading takes beside the tint color, named for the buttons that wear them.
#pragma once

#include "widgets/ShadeFaces.h"

#include <cstdint>

struct ShadeLook {
    ShadeStyle style;
    std::uint8_t granularity;
    std::uint8_t highlight; // percent
    std::uint8_t coloring;  // percent
};

// Exit, the palette and dialog buttons: a light-to-shadow ramp in columns, lightly tinted.
inline constexpr ShadeLook kToolButtonLook{ShadeColumns, 8, 70, 10};
// A box filled smoothly with its color: at start-up, by the assign commands and by auto-assignment to
// all boxes; also the blend dialog's swatches.
inline constexpr ShadeLook kBoxLook{ShadeNoise, 0, 0, 100};
// A box filled with its color and a fine grain: a shown palette, a drop, a well click, an undo and
// first-color auto-assignment.
inline constexpr ShadeLook kGrainedBoxLook{ShadeNoise, 20, 0, 100};
// The borderless labels: the untinted face with a light grain.
inline constexpr ShadeLook kLabelLook{ShadeNoise, 10, 0, 0};
// Check boxes, radios and the color value label: the plain untinted face.
inline constexpr ShadeLook kPlainLook{ShadeNoise, 0, 0, 0};
