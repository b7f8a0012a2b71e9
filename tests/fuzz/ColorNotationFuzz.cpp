// Arbitrary UTF-16 text through the color notation reader, two bytes to a character, little-endian:
// a color it reads is a COLORREF, white space around the text changes nothing, and the color written
// back as #rrggbb reads as the same color.
#include "app/ColorNotation.h"
#include "tests/fuzz/Require.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }

    const std::optional<Color> color = ParseColorNotation(text);
    Require(!color || *color <= 0x00FFFFFF);
    Require(ParseColorNotation(L" \t\r\n" + text + L"\n\r\t ") == color);

    if (color) {
        wchar_t hex[8];
        std::swprintf(hex, std::size(hex), L"#%02x%02x%02x", RedOf(*color), GreenOf(*color), BlueOf(*color));
        Require(ParseColorNotation(hex) == color);
    }
    return 0;
}
