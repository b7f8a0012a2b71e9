#include "widgets/DropPayload.h"

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Leading white space and a sign, then the digits up to the first other character; 0 without
// digits. Only the low 8 bits are kept, so the value is taken modulo 256 as it goes.
int ComponentOf(std::u16string_view piece) {
    size_t i = 0;
    while (i < piece.size() && IsSpace(piece[i])) {
        ++i;
    }
    bool negative = false;
    if (i < piece.size() && (piece[i] == u'+' || piece[i] == u'-')) {
        negative = piece[i] == u'-';
        ++i;
    }
    unsigned value = 0;
    for (; i < piece.size() && piece[i] >= u'0' && piece[i] <= u'9'; ++i) {
        value = (value * 10 + (piece[i] - u'0')) & 0xFF;
    }
    return static_cast<int>((negative ? 0u - value : value) & 0xFF);
}

} // namespace

std::optional<DroppedColor> ParseDropPayload(std::u16string_view units) {
    std::u16string_view text = units.substr(0, units.find(u'\0'));
    const bool textColor = !text.empty() && text.front() == u'T';
    if (textColor) {
        text.remove_prefix(1);
    }
    int components[3];
    int found = 0;
    for (size_t start = 0; found < 3;) {
        size_t comma = text.find(u',', start);
        components[found++] = ComponentOf(text.substr(start, comma - start));
        if (comma == std::u16string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (found < 3) {
        return std::nullopt;
    }
    return DroppedColor{MakeColor(components[0], components[1], components[2]), textColor};
}
