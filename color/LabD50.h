// CIELAB relative to D50, as print and swatch files give colors, to sRGB: the CSS Color 4
// conversion, with Bradford adaptation from D50 to D65.
#pragma once

#include "color/ColorMath.h"

// Channels outside sRGB are clipped.
Color LabD50ToColor(double lightness, double a, double b);
