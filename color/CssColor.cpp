#include "color/CssColor.h"

#include "color/CssColorFunctions.h"
#include "color/CssSyntax.h"
#include "color/HexDigits.h"
#include "color/NamedColors.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

using namespace css;

namespace {

constexpr bool LessIgnoringCase(std::wstring_view left, std::wstring_view right) noexcept {
    return std::ranges::lexicographical_compare(left, right, {}, AsciiLower, AsciiLower);
}

std::optional<Color> FindNamedColor(std::wstring_view name) {
    const auto named = CssNamedColors();
    auto found = std::ranges::lower_bound(named, name, LessIgnoringCase, &NamedColor::name);
    if (found == named.end() || !EqualsIgnoringCase(found->name, name)) {
        return std::nullopt;
    }
    return ColorOf(*found);
}

bool IsHexDigit(wchar_t c) noexcept {
    return HexDigitValue(c) >= 0;
}

} // namespace

// #RGB, #RGBA, #RRGGBB or #RRGGBBAA without the "#"; the alpha is dropped.
std::optional<Color> ParseHexColor(std::wstring_view digits) {
    const size_t size = digits.size();
    if ((size != 3 && size != 4 && size != 6 && size != 8) || !std::ranges::all_of(digits, IsHexDigit)) {
        return std::nullopt;
    }
    const size_t width = size <= 4 ? 1 : 2;
    auto channel = [&](size_t index) {
        int value = 0;
        for (wchar_t digit : digits.substr(index * width, width)) {
            value = value * 16 + HexDigitValue(digit);
        }
        return width == 1 ? value * 0x11 : value; // a single digit stands for itself twice: f is ff
    };
    return MakeColor(channel(0), channel(1), channel(2));
}

CssColorReading ReadCssColor(std::wstring_view text) {
    Tokenizer tokens(text);
    const Token first = tokens.NextNonSpace();
    CssColorReading reading;
    switch (first.kind) {
    case TokenKind::Hash:
        reading.color = first.name.TooLong() ? std::nullopt : ParseHexColor(first.name.View());
        break;
    case TokenKind::Function:
        reading.color = ReadColorFunction(first.name, tokens, reading.elementUnit);
        break;
    case TokenKind::Ident:
        reading.color = first.name.TooLong() ? std::nullopt : FindNamedColor(first.name.View());
        break;
    default:
        break;
    }
    if (reading.color && tokens.NextNonSpace().kind != TokenKind::End) {
        reading.color.reset();
    }
    return reading;
}

std::optional<Color> ParseCssColor(std::wstring_view text) {
    return ReadCssColor(text).color;
}
