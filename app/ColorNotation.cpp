#include "app/ColorNotation.h"

#include "color/CssColor.h"
#include "color/CssSyntax.h"
#include "color/HexDigits.h"

#include <algorithm>

using namespace css;

namespace {

bool IsHexDigit(wchar_t c) noexcept {
    return HexDigitValue(c) >= 0;
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
CssColorReading ReadColorNotation(std::wstring_view text) {
    text = Trim(text);
    const std::wstring_view prefix = text.substr(0, 2);
    if (EqualsIgnoringCase(prefix, L"0x")) {
        // Six digits are the web's 0xRRGGBB; the copy formats write the COLORREF with all eight.
        const std::wstring_view digits = text.substr(2);
        return {digits.size() == 6 ? ParseHexColor(digits) : ParseColorRef(digits), {}};
    }
    if (EqualsIgnoringCase(prefix, L"&h")) {
        text.remove_prefix(2);
        if (text.ends_with(L'&')) {
            text.remove_suffix(1);
        }
        return {ParseColorRef(text), {}};
    }
    if (text.find(L'(') == std::wstring_view::npos) {
        if (text.size() == 6 && std::ranges::all_of(text, IsHexDigit)) {
            return {ParseHexColor(text), {}};
        }
        if (!text.empty() && IsDigit(text.front())) {
            return {ParseTriplet(text), {}};
        }
    }
    return ReadCssColor(text);
}

std::optional<Color> ParseColorNotation(std::wstring_view text) {
    return ReadColorNotation(text).color;
}

std::wstring ElementUnitAlert(std::wstring_view unit) {
    return L"Invalid color entry: " + std::wstring(unit) +
           L" depends on the element a color is used on. Use numbers, percentages or angles.";
}
