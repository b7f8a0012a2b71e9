// The color functions of CSS Color 4 read into 8-bit sRGB: rgb(), hsl() and hwb() as CSS clamps
// them, lab(), lch(), oklab(), oklch() and color() through CSS gamut mapping.
#pragma once

#include "color/ColorMath.h"
#include "color/CssSyntax.h"

#include <optional>
#include <string_view>

// The function whose Function token `name` was read last, through its ")". When a math function in
// it uses a unit that needs an element, `elementUnit` names the unit.
std::optional<Color> ReadColorFunction(const css::Name& name, css::Tokenizer& tokens,
                                       std::wstring_view& elementUnit);
