// Reads arbitrary profile text as a Font_Desc value and a face name. The input is taken two bytes
// to a character, little-endian, as the profile's UTF-16 text would arrive.
#include "widgets/FontDescription.h"
#include "tests/fuzz/Require.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    }

    const std::wstring face = FaceNameFromStored(text);
    Require(face == text ? !face.empty() && face.size() <= 31 : face == kDefaultFontFace);

    // What is written back must read back as the same numbers.
    if (const std::optional<FontNumbers> numbers = ParseFontDesc(text)) {
        Require(ParseFontDesc(FormatFontDesc(*numbers)) == numbers);
    }
    return 0;
}
