#include "color/CssSyntax.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace css {

namespace {

constexpr std::uint64_t kMantissaLimit = 100'000'000'000'000'000; // 18 digits, more than a double holds
constexpr long long kExponentLimit = 100'000;                     // far past the double range either way

} // namespace

// A plain loop: the tests run unoptimised under the sanitizers, where a range algorithm with
// projections costs several times as much, and the names and units are compared for every value.
bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view other) noexcept {
    if (text.size() != other.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(other[i])) {
            return false;
        }
    }
    return true;
}

bool IsSpace(wchar_t c) noexcept {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool IsDigit(wchar_t c) noexcept {
    return c >= L'0' && c <= L'9';
}

std::wstring_view Trim(std::wstring_view text) noexcept {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<Pieces> SplitAt(std::wstring_view text, wchar_t separator) {
    Pieces pieces;
    for (;;) {
        if (pieces.count == pieces.items.size()) {
            return std::nullopt;
        }
        const size_t end = text.find(separator);
        pieces.items[pieces.count++] = Trim(text.substr(0, end));
        if (end == std::wstring_view::npos) {
            return pieces;
        }
        text.remove_prefix(end + 1);
    }
}

std::optional<Pieces> SplitWords(std::wstring_view text) {
    Pieces pieces;
    for (text = Trim(text); !text.empty(); text = Trim(text)) {
        if (pieces.count == pieces.items.size()) {
            return std::nullopt;
        }
        const size_t end = static_cast<size_t>(std::ranges::find_if(text, IsSpace) - text.begin());
        pieces.items[pieces.count++] = text.substr(0, end);
        text.remove_prefix(end);
    }
    return pieces;
}

std::optional<Value> ParseValue(std::wstring_view text) {
    if (EqualsIgnoringCase(text, L"none")) {
        return Value{0, Unit::None, true};
    }
    size_t at = 0;
    auto digitAt = [text](size_t index) { return index < text.size() && IsDigit(text[index]); };
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-')) {
        ++at;
    }
    std::uint64_t mantissa = 0;
    long long power = 0;
    bool anyDigit = false;
    // Digits past the eighteenth significant one cannot change the double; whole ones still move the point.
    auto readDigits = [&](bool fraction) {
        for (; digitAt(at); ++at) {
            anyDigit = true;
            if (mantissa < kMantissaLimit) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - L'0');
                power -= fraction ? 1 : 0;
            } else if (!fraction) {
                ++power;
            }
        }
    };
    readDigits(false);
    if (at < text.size() && text[at] == L'.' && digitAt(at + 1)) {
        ++at;
        readDigits(true);
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    // An "e" not followed by exponent digits is left for the unit, where it is refused.
    if (at < text.size() && AsciiLower(text[at]) == L'e') {
        const bool signedExponent = digitAt(at + 2) && (text[at + 1] == L'+' || text[at + 1] == L'-');
        if (signedExponent || digitAt(at + 1)) {
            const bool negativeExponent = signedExponent && text[at + 1] == L'-';
            long long exponent = 0;
            for (at += signedExponent ? 2 : 1; digitAt(at); ++at) {
                exponent = std::min(exponent * 10 + (text[at] - L'0'), kExponentLimit);
            }
            power += negativeExponent ? -exponent : exponent;
        }
    }
    // Dividing by an exact power of ten keeps decimals such as 127.5 exact.
    const double magnitude = static_cast<double>(mantissa);
    double number = mantissa == 0 ? 0.0
                    : power >= 0  ? magnitude * std::pow(10.0, static_cast<double>(power))
                                  : magnitude / std::pow(10.0, static_cast<double>(-power));
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    number = negative ? -number : number;

    constexpr std::pair<std::wstring_view, Unit> kUnits[] = {
        {L"", Unit::None},        {L"%", Unit::Percent},  {L"deg", Unit::Degree},
        {L"grad", Unit::Gradian}, {L"rad", Unit::Radian}, {L"turn", Unit::Turn},
    };
    for (const auto& [name, unit] : kUnits) {
        if (EqualsIgnoringCase(text.substr(at), name)) {
            return Value{number, unit, false};
        }
    }
    return std::nullopt;
}

std::optional<Channels> ParseArguments(std::wstring_view body) {
    const bool commas = body.find(L',') != std::wstring_view::npos;
    std::optional<Pieces> pieces;
    if (commas) {
        pieces = SplitAt(body, L',');
    } else if (auto halves = SplitAt(body, L'/'); halves && halves->count <= 2) {
        pieces = SplitWords(halves->items[0]);
        if (pieces && pieces->count == 3 && halves->count == 2) {
            pieces->items[pieces->count++] = halves->items[1];
        } else if (pieces && pieces->count != 3) {
            pieces.reset();
        }
    }
    if (!pieces || pieces->count < 3) {
        return std::nullopt;
    }
    if (pieces->count == 4) {
        auto alpha = ParseValue(pieces->items[3]);
        if (!alpha || (commas && alpha->missing) ||
            (alpha->unit != Unit::None && alpha->unit != Unit::Percent)) {
            return std::nullopt;
        }
    }
    Channels channels{{}, commas};
    for (size_t i = 0; i < 3; ++i) {
        auto value = ParseValue(pieces->items[i]);
        if (!value || (commas && value->missing)) {
            return std::nullopt;
        }
        channels.values[i] = *value;
    }
    return channels;
}

} // namespace css
