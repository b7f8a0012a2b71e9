#include "library/JsonReader.h"

#include "library/ExchangeText.h"

#include <array>
#include <cstring>

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

// Plain bytes are most of a file: they are checked eight at a time, and only a word that holds a
// quote, a backslash, a control or a non-ASCII byte is looked at byte by byte.
std::size_t JsonReader::PlainRunEnd(std::size_t from) const {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    auto hasByte = [](std::uint64_t word, unsigned char byte) {
        const std::uint64_t match = word ^ (kOnes * byte);
        return ((match - kOnes) & ~match & kHigh) != 0;
    };
    while (text.size() - from >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + from, 8);
        const bool control = ((word - kOnes * 0x20) & ~word & kHigh) != 0;
        if ((word & kHigh) || control || hasByte(word, '"') || hasByte(word, '\\')) {
            break;
        }
        from += 8;
    }
    while (from < text.size() && kPlainStringBytes[static_cast<unsigned char>(text[from])]) {
        ++from;
    }
    return from;
}

bool JsonReader::ReadString(std::string_view& value, std::string& decoded) {
    if (Peek() != '"') {
        return Fail();
    }
    const std::size_t start = ++at;
    // Once an escape turns up, the value is built in `decoded` from there on.
    bool escaped = false;
    while (true) {
        const std::size_t run = at;
        at = PlainRunEnd(at);
        if (escaped) {
            decoded.append(text, run, at - run);
        }
        if (at == text.size()) {
            return Fail();
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"') {
            value = escaped ? std::string_view(decoded) : text.substr(start, at - start);
            ++at;
            return true;
        }
        if (c < 0x20) {
            return Fail();
        }
        if (c == '\\') {
            if (!escaped) {
                decoded.assign(text, start, at - start);
                escaped = true;
            }
            if (!Escape(decoded)) {
                return false;
            }
            continue;
        }
        const std::size_t sequence = at;
        if (NextCodePoint(text, at) < 0) {
            at = sequence;
            return Fail();
        }
        if (escaped) {
            decoded.append(text, sequence, at - sequence);
        }
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

bool JsonReader::Key(std::string_view& key) {
    if (!ReadString(key, decodedKey)) {
        return false;
    }
    SkipSpace();
    return Next(':') || Fail();
}

bool JsonReader::Skip() {
    std::string_view skipped;
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
        return Number(skipped);
    }
}

} // namespace exchange
