// How a color looks to people with a color vision deficiency: the full-severity matrices of
// Machado, Oliveira and Fernandes (2009) applied in linear RGB, and achromatopsia as luminance.
#pragma once

#include "color/ColorMath.h"

enum class VisionDeficiency { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
inline constexpr int kVisionDeficiencyCount = 4;

Color SimulateVision(Color color, VisionDeficiency deficiency);
// "Protanopia", "Deuteranopia", "Tritanopia", "Achromatopsia".
const wchar_t* VisionDeficiencyName(VisionDeficiency deficiency);
