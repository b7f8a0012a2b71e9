// The CIEDE2000 color difference, on CIELAB under D65 from sRGB.
#pragma once

#include "color/ColorMath.h"

struct Lab {
    double l, a, b;
};

Lab ToLab(Color color);
double Ciede2000(const Lab& first, const Lab& second);
double Ciede2000(Color first, Color second);
