#include "app/ColorNotation.h"

#include "app/CssColorFunctions.h"
#include "app/CssSyntax.h"
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

// #RGB, #RGBA, #RRGGBB or #RRGGBBAA without the "#"; the alpha is dropped.
std::optional<Color> ParseHexChannels(std::wstring_view digits) {
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

// One to eight hexadecimal digits of a COLORREF (0x00BBGGRR); a non-zero top byte is no color.
std::optional<Color> ParseColorRef(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 8 || !std::ranges::all_of(digits, IsHexDigit)) {
        return std::nullopt;
    }
    Color value = 0;
    for (wchar_t digit : digits) {
        value = value << 4 | static_cast<Color>(HexDigitValue(digit));
    }
    return value <= 0x00FFFFFF ? std::optional<Color>(value) : std::nullopt;
}

// "r,g,b" or "r g b": three whole numbers 0..255.
std::optional<Color> ParseTriplet(std::wstring_view text) {
    auto pieces = text.find(L',') != std::wstring_view::npos ? SplitAt(text, L',') : SplitWords(text);
    if (!pieces || pieces->count != 3) {
        return std::nullopt;
    }
    int channels[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const std::wstring_view piece = pieces->items[i];
        if (piece.empty() || !std::ranges::all_of(piece, IsDigit)) {
            return std::nullopt;
        }
        for (wchar_t digit : piece) {
            channels[i] = std::min(channels[i] * 10 + (digit - L'0'), 256); // 256 stands for any larger value
        }
        if (channels[i] > 255) {
            return std::nullopt;
        }
    }
    return MakeColor(channels[0], channels[1], channels[2]);
}

} // namespace

// Each notation has its own opening (RRGGBB its own length and digits), so no text is read two ways.
std::optional<Color> ParseColorNotation(std::wstring_view text) {
    text = Trim(text);
    const std::wstring_view prefix = text.substr(0, 2);
    if (text.starts_with(L'#')) {
        return ParseHexChannels(text.substr(1));
    }
    if (EqualsIgnoringCase(prefix, L"0x")) {
        // Six digits are the web's 0xRRGGBB; the copy formats write the COLORREF with all eight.
        const std::wstring_view digits = text.substr(2);
        return digits.size() == 6 ? ParseHexChannels(digits) : ParseColorRef(digits);
    }
    if (EqualsIgnoringCase(prefix, L"&h")) {
        text.remove_prefix(2);
        if (text.ends_with(L'&')) {
            text.remove_suffix(1);
        }
        return ParseColorRef(text);
    }
    if (const size_t open = text.find(L'('); open != std::wstring_view::npos) {
        // CSS closes a function the text leaves open at its end.
        std::wstring_view body = text.substr(open + 1);
        if (body.ends_with(L')')) {
            body.remove_suffix(1);
        }
        return ParseColorFunction(text.substr(0, open), body);
    }
    if (text.size() == 6 && std::ranges::all_of(text, IsHexDigit)) {
        return ParseHexChannels(text);
    }
    if (!text.empty() && IsDigit(text.front())) {
        return ParseTriplet(text);
    }
    return FindNamedColor(text);
}
