// Arbitrary UTF-16 text through the three readers and writers of color text: the drag payload a
// box receives, the typed color entry, and the copy format. The first four bytes are the color the
// format is applied to; the rest is the text, two bytes to a character, little-endian.
#include "app/ColorEntry.h"
#include "library/ColorFormat.h"
#include "widgets/DropPayload.h"
#include "tests/fuzz/Require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Color color = 0;
    std::memcpy(&color, data, size < sizeof(color) ? size : sizeof(color));
    std::u16string units;
    for (std::size_t i = sizeof(color); i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    std::wstring text(units.begin(), units.end());

    if (auto dropped = ParseDropPayload(units)) {
        Require(dropped->color <= 0x00FFFFFF);
    }

    ColorEntry entry = ParseColorEntry(text);
    const int length = static_cast<int>(text.size());
    switch (entry.kind) {
    case ColorEntry::Empty:
        Require(text.empty());
        break;
    case ColorEntry::Valid:
        Require(entry.color <= 0x00FFFFFF);
        break;
    case ColorEntry::Invalid:
        // A selection from a length limit may start past a shorter text; the edit clamps it.
        Require(entry.selectionStart >= 0 && entry.selectionStart <= std::max(length, 11));
        Require(entry.selectionEnd == -1 ||
                (entry.selectionStart < entry.selectionEnd && entry.selectionEnd <= length));
        break;
    }

    // Each run of two or three letters gives at most as many characters, everything else one.
    Require(FormatColor(color & 0x00FFFFFF, text).size() <= text.size());
    return 0;
}
