// A recursive-descent reader of RFC 8259 text that a file reader pulls values from, one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace exchange {

// It stops at the first fault and keeps the byte where it lies.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text(text) {}

    std::size_t Size() const { return text.size(); }
    bool Failed() const { return failed; }
    std::size_t FaultAt() const { return faultAt; }

    // The next value's first character, or '\0' at the end.
    char Peek() {
        SkipSpace();
        return at < text.size() ? text[at] : '\0';
    }

    // Each reader below returns false, keeping the fault, when the text is damaged there.
    // A string's value lies in the text itself unless it has escapes; either way it stays valid
    // until the next String (and a key until the next Key).
    bool String(std::string_view& value) { return ReadString(value, decodedValue); }
    bool Number(std::string_view& number);
    bool Skip();
    // A container: Begin, then More before each member or item until it returns false; an object's
    // members start with Key.
    bool Begin(char open);
    bool More(char close, bool first);
    bool Key(std::string_view& key);
    // Where the reader is, to come back to; and the exact bytes of `literal` there, nothing skipped.
    std::size_t Position() const { return at; }
    void Rewind(std::size_t position) { at = position; }
    // Only equality is asked, so that a literal of a known size is compared in a few moves.
    bool Literally(std::string_view literal) {
        if (text.size() - at < literal.size() ||
            std::memcmp(text.data() + at, literal.data(), literal.size()) != 0) {
            return false;
        }
        at += literal.size();
        return true;
    }
    bool AtEnd() {
        SkipSpace();
        return at == text.size() || Fail();
    }

private:
    bool Fail() {
        if (!failed) {
            failed = true;
            faultAt = at;
        }
        return false;
    }
    // Indentation comes in runs of spaces, taken four at a time.
    void SkipSpace() {
        while (true) {
            while (text.size() - at >= 4 && text.compare(at, 4, "    ") == 0) {
                at += 4;
            }
            if (at == text.size() ||
                (text[at] != ' ' && text[at] != '\t' && text[at] != '\n' && text[at] != '\r')) {
                return;
            }
            ++at;
        }
    }
    bool Next(char c) {
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool Digits() {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        return at > start;
    }
    bool Literal(std::string_view word) {
        if (!text.substr(at).starts_with(word)) {
            return Fail();
        }
        at += word.size();
        return true;
    }
    bool ReadString(std::string_view& value, std::string& decoded);
    std::size_t PlainRunEnd(std::size_t from) const;
    std::int32_t Hex4();
    bool Escape(std::string& value);

    std::string_view text;
    std::size_t at = 0;
    int depth = 0;
    bool failed = false;
    std::size_t faultAt = 0;
    std::string decodedValue;
    std::string decodedKey;
};

} // namespace exchange
