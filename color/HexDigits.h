// Hexadecimal digits as every reader of color text takes them: 0-9, A-F and a-f.
#pragma once

// The digit's value, or -1 for any other character.
constexpr int HexDigitValue(char32_t c) noexcept {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'a' && c <= U'f') {
        return static_cast<int>(c - U'a' + 10);
    }
    return c >= U'A' && c <= U'F' ? static_cast<int>(c - U'A' + 10) : -1;
}
