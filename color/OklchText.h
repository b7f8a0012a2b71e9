// A color written as CSS oklch(), precise enough that reading the text back gives the same 8-bit
// color: the form the copy menu, the OKLCH export and the palette inspector show.
#pragma once

#include "color/ColorMath.h"

#include <string>

// Appends "oklch(62.80% 0.25768 29.23)": lightness in percent, chroma, and hue in degrees.
void AppendOklchText(std::string& out, Color color);
