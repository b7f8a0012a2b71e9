// The pieces of CSS syntax the pasted color notations share: ASCII case folding, white space, numbers
// with their units, and the argument lists of the color functions.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace css {

// Case folding for the Latin letters only: the notations are ASCII, and a wider folding would let
// look-alike characters (the Kelvin sign folds to "k") spell a name.
constexpr wchar_t AsciiLower(wchar_t c) noexcept {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view other) noexcept;
bool IsSpace(wchar_t c) noexcept;
bool IsDigit(wchar_t c) noexcept;
std::wstring_view Trim(std::wstring_view text) noexcept;

// The arguments of a color function or the parts of a triplet: never more than four.
struct Pieces {
    std::array<std::wstring_view, 4> items;
    std::size_t count = 0;
};

// The trimmed pieces between separators; nothing when there are more than four.
std::optional<Pieces> SplitAt(std::wstring_view text, wchar_t separator);
// The runs of characters between white space; nothing when there are more than four.
std::optional<Pieces> SplitWords(std::wstring_view text);

enum class Unit { None, Percent, Degree, Gradian, Radian, Turn };

// A number with its unit. The keyword `none` (a missing component) reads as a plain 0.
struct Value {
    double number;
    Unit unit;
    bool missing;
};

// A CSS number ("12", "-.5", "1.5e2") with no unit, "%" or an angle unit, or `none`; the whole text
// must be one. Values beyond the double range are refused rather than carried on as infinities.
std::optional<Value> ParseValue(std::wstring_view text);

// The three channel values of a color function in either CSS syntax: "a, b, c[, alpha]" or
// "a b c[ / alpha]". The alpha must be a number, a percentage or `none`, and is then dropped; `none`
// belongs to the space syntax only.
struct Channels {
    std::array<Value, 3> values;
    bool commas;
};

std::optional<Channels> ParseArguments(std::wstring_view body);

} // namespace css
