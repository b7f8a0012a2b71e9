#include "color/CssSyntax.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
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
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f';
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

void Name::Append(char32_t c) noexcept {
    if (size == text.size()) {
        tooLong = true;
        return;
    }
    // A character past the 16-bit range is in no keyword: one that cannot be held stands for it.
    text[size++] = c > 0xFFFF ? L'\uFFFD' : static_cast<wchar_t>(c);
}

namespace {

bool IsNewline(wchar_t c) noexcept {
    return c == L'\n' || c == L'\r' || c == L'\f';
}

// Letters, "_", and everything past ASCII; a NUL stands for U+FFFD.
bool IsNameStart(wchar_t c) noexcept {
    return (AsciiLower(c) >= L'a' && AsciiLower(c) <= L'z') || c == L'_' || c >= 0x80 || c == 0;
}

bool IsNameCharacter(wchar_t c) noexcept {
    return IsNameStart(c) || IsDigit(c) || c == L'-';
}

int HexValue(wchar_t c) noexcept {
    if (IsDigit(c)) {
        return c - L'0';
    }
    const wchar_t lower = AsciiLower(c);
    return lower >= L'a' && lower <= L'f' ? lower - L'a' + 10 : -1;
}

} // namespace

bool Tokenizer::SkipComments() {
    bool skipped = false;
    while (text.substr(at).starts_with(L"/*")) {
        const std::size_t end = text.find(L"*/", at + 2);
        at = end == std::wstring_view::npos ? text.size() : end + 2;
        skipped = true;
    }
    return skipped;
}

bool Tokenizer::SkipSpace() {
    bool skipped = false;
    for (;;) {
        const bool comment = SkipComments();
        bool space = false;
        while (at < text.size() && IsSpace(text[at])) {
            ++at;
            space = true;
        }
        if (!comment && !space) {
            return skipped;
        }
        skipped = true;
    }
}

Token Tokenizer::NextNonSpace() {
    SkipSpace();
    return Next();
}

Token Tokenizer::Peek() {
    const std::size_t start = at;
    Token token = Next();
    at = start;
    return token;
}

bool Tokenizer::EscapeAt(std::size_t position) const noexcept {
    return position + 1 < text.size() && text[position] == L'\\' && !IsNewline(text[position + 1]);
}

bool Tokenizer::StartsName(std::size_t position) const noexcept {
    if (position >= text.size()) {
        return false;
    }
    const wchar_t c = text[position];
    if (c == L'-') {
        return (position + 1 < text.size() &&
                (IsNameStart(text[position + 1]) || text[position + 1] == L'-')) ||
               EscapeAt(position + 1);
    }
    return IsNameStart(c) || EscapeAt(position);
}

bool Tokenizer::StartsNumber(std::size_t position) const noexcept {
    auto digitAt = [this](std::size_t index) { return index < text.size() && IsDigit(text[index]); };
    std::size_t first = position;
    if (first < text.size() && (text[first] == L'+' || text[first] == L'-')) {
        ++first;
    }
    return digitAt(first) || (first < text.size() && text[first] == L'.' && digitAt(first + 1));
}

// After the backslash: up to six hexadecimal digits and one white space after them, or the
// character itself.
char32_t Tokenizer::ReadEscape() {
    char32_t code = 0;
    int digits = 0;
    for (; digits < 6 && at < text.size() && HexValue(text[at]) >= 0; ++digits, ++at) {
        code = code * 16 + static_cast<char32_t>(HexValue(text[at]));
    }
    if (digits == 0) {
        return text[at++];
    }
    if (text.substr(at).starts_with(L"\r\n")) {
        at += 2;
    } else if (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    return code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ? 0xFFFD : code;
}

void Tokenizer::ReadName(Name& name) {
    for (;;) {
        if (at < text.size() && IsNameCharacter(text[at])) {
            name.Append(text[at] == 0 ? 0xFFFD : text[at]);
            ++at;
        } else if (EscapeAt(at)) {
            ++at;
            name.Append(ReadEscape());
        } else {
            return;
        }
    }
}

// Dividing by an exact power of ten keeps decimals such as 127.5 exact.
std::optional<double> Tokenizer::ReadNumber() {
    auto digitAt = [this](std::size_t index) { return index < text.size() && IsDigit(text[index]); };
    const bool negative = text[at] == L'-';
    if (text[at] == L'+' || text[at] == L'-') {
        ++at;
    }
    std::uint64_t mantissa = 0;
    long long power = 0;
    // Digits past the eighteenth significant one cannot change the double; whole ones still move the point.
    auto readDigits = [&](bool fraction) {
        for (; digitAt(at); ++at) {
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
    // An "e" not followed by exponent digits starts the unit.
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
    const double magnitude = static_cast<double>(mantissa);
    const double number = mantissa == 0 ? 0.0
                          : power >= 0  ? magnitude * std::pow(10.0, static_cast<double>(power))
                                        : magnitude / std::pow(10.0, static_cast<double>(-power));
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    return negative ? -number : number;
}

Token Tokenizer::Next() {
    SkipComments();
    Token token;
    if (at >= text.size()) {
        return token;
    }
    const wchar_t c = text[at];
    if (IsSpace(c)) {
        SkipSpace();
        token.kind = TokenKind::Space;
        return token;
    }
    if (StartsNumber(at)) {
        const std::optional<double> number = ReadNumber();
        token.number = number.value_or(0);
        if (!number) {
            token.kind = TokenKind::Delim;
        } else if (StartsName(at)) {
            token.kind = TokenKind::Dimension;
            ReadName(token.name);
        } else if (at < text.size() && text[at] == L'%') {
            ++at;
            token.kind = TokenKind::Percentage;
        } else {
            token.kind = TokenKind::Number;
        }
        return token;
    }
    if (StartsName(at)) {
        ReadName(token.name);
        const bool function = at < text.size() && text[at] == L'(';
        at += function ? 1 : 0;
        token.kind = function ? TokenKind::Function : TokenKind::Ident;
        return token;
    }
    ++at;
    if (c == L'#' && at < text.size() && (IsNameCharacter(text[at]) || EscapeAt(at))) {
        token.kind = TokenKind::Hash;
        ReadName(token.name);
        return token;
    }
    constexpr std::pair<wchar_t, TokenKind> kSingles[] = {
        {L',', TokenKind::Comma}, {L'(', TokenKind::OpenParen}, {L')', TokenKind::CloseParen}};
    token.kind = TokenKind::Delim;
    token.delim = c;
    for (const auto& [single, kind] : kSingles) {
        token.kind = c == single ? kind : token.kind;
    }
    return token;
}

} // namespace css
