// A color written as CSS writes it, for "Copy color as", the OKLCH export and the palette inspector:
// #rrggbb, rgb(), hsl() and oklch(), each precise enough that reading the text back gives the same
// 8-bit color.
#pragma once

#include "color/ColorMath.h"

#include <string>

std::string HexText(Color color);   // "#1a2b3c"
std::string RgbText(Color color);   // "rgb(26, 43, 60)"
std::string HslText(Color color);   // "hsl(210, 39.5%, 16.9%)": one decimal, none when it is 0
std::string OklchText(Color color); // "oklch(62.80% 0.25768 29.23)"
// The same as OklchText, appended to `out`; and with more decimals, a quarter step above the color,
// for browsers, which read oklch() a little low ("oklch(62.8137% 0.2576092 29.2394)").
void AppendOklchText(std::string& out, Color color);
void AppendPreciseOklchText(std::string& out, Color color);
