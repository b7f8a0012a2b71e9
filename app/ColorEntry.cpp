#include "app/ColorEntry.h"

#include "color/HexDigits.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr size_t kLongestDecimalEntry = 11; // 255,255,255
constexpr size_t kHexEntryLength = 6;

ColorEntry Invalid(int start, int end) {
    return {ColorEntry::Invalid, 0, start, end};
}

bool IsHexDigit(wchar_t c) {
    return HexDigitValue(c) >= 0;
}

// The numbers between commas, empty pieces skipped; the first three are the channels, a fourth
// must be a number too, anything after it is ignored. Fewer than three numbers are rejected.
ColorEntry ParseDecimal(std::wstring_view typed) {
    std::wstring text(typed);
    std::erase(text, L' ');
    if (text.size() > kLongestDecimalEntry) {
        return Invalid(static_cast<int>(kLongestDecimalEntry), -1);
    }
    std::vector<unsigned> channels;
    size_t start = 0;
    for (int checked = 0; checked < 4 && start <= text.size();) {
        size_t comma = std::min(text.find(L',', start), text.size());
        std::wstring_view piece = std::wstring_view(text).substr(start, comma - start);
        start = comma + 1;
        if (piece.empty()) {
            continue;
        }
        if (FindNonDigit(piece) != -1) {
            return Invalid(0, -1);
        }
        ++checked;
        if (channels.size() < 3) {
            // At most eleven digits: the value fits and anything above 255 is refused anyway.
            channels.push_back(static_cast<unsigned>(std::min(std::stoull(std::wstring(piece)), 256ull)));
        }
    }
    if (channels.size() < 3 || std::ranges::any_of(channels, [](unsigned value) { return value > 255; })) {
        return Invalid(0, -1);
    }
    return {ColorEntry::Valid, MakeColor(channels[0], channels[1], channels[2])};
}

ColorEntry ParseHex(std::wstring_view text) {
    if (text.size() != kHexEntryLength) {
        return Invalid(static_cast<int>(kHexEntryLength), -1);
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsHexDigit(text[i])) {
            return Invalid(static_cast<int>(i), static_cast<int>(i + 1));
        }
    }
    auto channel = [text](size_t at) { return static_cast<int>(ParseHexDigits(text.substr(at, 2))); };
    return {ColorEntry::Valid, MakeColor(channel(0), channel(2), channel(4))};
}

} // namespace

unsigned ParseHexDigits(std::wstring_view text) {
    std::wstring upper(text);
    std::ranges::transform(upper, upper.begin(),
                           [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    std::wstring_view rest = upper;
    if (rest.starts_with(L"0X")) {
        rest.remove_prefix(2);
    }
    unsigned value = 0;
    for (wchar_t c : rest) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

int FindNonDigit(std::wstring_view text) {
    auto other = std::ranges::find_if(text, [](wchar_t c) { return c < L'0' || c > L'9'; });
    return other == text.end() ? -1 : static_cast<int>(other - text.begin());
}

ColorEntry ParseColorEntry(std::wstring_view text) {
    if (text.empty()) {
        return {ColorEntry::Empty};
    }
    return text.find(L',') != std::wstring_view::npos ? ParseDecimal(text) : ParseHex(text);
}
