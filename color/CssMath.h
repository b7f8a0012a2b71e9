// The math functions of CSS Values 4 that need no element: calc(), min(), max(), clamp(), round(),
// sign() and abs() over numbers, percentages, angles and absolute lengths, with the constants e, pi,
// infinity, -infinity and NaN.
#pragma once

#include "color/CssSyntax.h"

#include <optional>
#include <string_view>

namespace css {

enum class QuantityType { Number, Percent, Angle, Length };

// Angles in degrees, lengths in pixels.
struct Quantity {
    double value;
    QuantityType type;
};

bool IsMathFunction(const Name& name) noexcept;

// The value of the math function whose Function token was read last, through its ")". A NaN result
// is 0, as CSS censors it; an infinite one stays infinite. Nothing when the calculation is not valid;
// when it uses a unit that needs an element to be resolved (em, vw, cqw, ...), `elementUnit` names it.
std::optional<Quantity> ReadMathFunction(const Name& name, Tokenizer& tokens, std::wstring_view& elementUnit);

} // namespace css
