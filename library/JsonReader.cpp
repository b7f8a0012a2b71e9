#include "library/JsonReader.h"

#include "library/ExchangeText.h"

#include <array>

namespace exchange {

namespace {

constexpr int kMaxJsonDepth = 64;

// The bytes a string copies as they are: ASCII other than controls, quote and backslash.
constexpr std::array<bool, 256> kPlainStringBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) {
        plain[c] = c != '"' && c != '\\';
    }
    return plain;
}();

} // namespace

bool JsonReader::String(std::string& value) {
    value.clear();
    if (Peek() != '"') {
        return Fail();
    }
    ++at;
    while (true) {
        const std::size_t run = at;
        while (at < text.size() && kPlainStringBytes[static_cast<unsigned char>(text[at])]) {
            ++at;
        }
        value.append(text, run, at - run);
        if (at == text.size()) {
            return Fail();
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"') {
            ++at;
            return true;
        }
        if (c < 0x20) {
            return Fail();
        }
        if (c == '\\') {
            if (!Escape(value)) {
                return false;
            }
            continue;
        }
        const std::size_t start = at;
        if (NextCodePoint(text, at) < 0) {
            at = start;
            return Fail();
        }
        value.append(text, start, at - start);
    }
}

std::int32_t JsonReader::Hex4() {
    if (text.size() - at < 4) {
        return -1;
    }
    std::int32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        int digit = 0;
        if (!HexDigit(text[at + i], digit)) {
            return -1;
        }
        value = value * 16 + digit;
    }
    at += 4;
    return value;
}

bool JsonReader::Escape(std::string& value) {
    ++at;
    if (at == text.size()) {
        return Fail();
    }
    static constexpr std::string_view kEscapes = "\"\\/bfnrt";
    static constexpr std::string_view kMeanings = "\"\\/\b\f\n\r\t";
    const std::size_t escape = kEscapes.find(text[at]);
    if (escape != std::string_view::npos) {
        value += kMeanings[escape];
        ++at;
        return true;
    }
    if (text[at] != 'u') {
        return Fail();
    }
    ++at;
    std::int32_t point = Hex4();
    if (point < 0 || IsLowSurrogate(point)) {
        return Fail();
    }
    if (IsHighSurrogate(point)) {
        const std::int32_t low = Next('\\') && Next('u') ? Hex4() : -1;
        if (low < 0 || !IsLowSurrogate(low)) {
            return Fail();
        }
        point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendCodePoint(value, static_cast<std::uint32_t>(point));
    return true;
}

bool JsonReader::Number(std::string_view& number) {
    SkipSpace();
    const std::size_t start = at;
    Next('-');
    if (!Next('0') && !Digits()) {
        return Fail();
    }
    if (Next('.') && !Digits()) {
        return Fail();
    }
    if (Next('e') || Next('E')) {
        if (!Next('+')) {
            Next('-');
        }
        if (!Digits()) {
            return Fail();
        }
    }
    number = text.substr(start, at - start);
    return true;
}

bool JsonReader::Begin(char open) {
    SkipSpace();
    if (!Next(open) || ++depth > kMaxJsonDepth) {
        return Fail();
    }
    return true;
}

bool JsonReader::More(char close, bool first) {
    SkipSpace();
    if (Next(close)) {
        --depth;
        return false;
    }
    return first || Next(',') || Fail();
}

bool JsonReader::Key(std::string& key) {
    if (!String(key)) {
        return false;
    }
    SkipSpace();
    return Next(':') || Fail();
}

bool JsonReader::Skip() {
    std::string_view number;
    switch (Peek()) {
    case '{':
    case '[': {
        const char close = text[at] == '{' ? '}' : ']';
        if (!Begin(text[at])) {
            return false;
        }
        for (bool first = true; More(close, first); first = false) {
            if ((close == '}' && !Key(skipped)) || !Skip()) {
                return false;
            }
        }
        return !failed;
    }
    case '"':
        return String(skipped);
    case 't':
        return Literal("true");
    case 'f':
        return Literal("false");
    case 'n':
        return Literal("null");
    default:
        return Number(number);
    }
}

} // namespace exchange
