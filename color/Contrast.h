// How readable text is on its background: the WCAG 2.x contrast ratio and the APCA lightness
// contrast (Lc) of the APCA-W3 formula.
#pragma once

#include "color/ColorMath.h"

// An 8-bit sRGB channel (0..255) with the sRGB transfer curve undone: linear light, 0..1.
double SrgbToLinear(int channel) noexcept;

// WCAG 2.x relative luminance of an sRGB color, 0..1.
double RelativeLuminance(Color color);
// WCAG 2.x contrast ratio, 1..21; the order of the two colors does not matter.
double ContrastRatio(Color text, Color background);
// APCA-W3 lightness contrast Lc, about -108..106: positive for dark text on a light background,
// negative for light text on a dark one, 0 below the low clip.
double LightnessContrast(Color text, Color background);
