#include "library/ColorFormat.h"

#include <cwchar>

namespace {

int Component(Color color, wchar_t letter) {
    switch (letter) {
    case L'R':
        return RedOf(color);
    case L'G':
        return GreenOf(color);
    case L'B':
        return BlueOf(color);
    default:
        return -1;
    }
}

bool RunAt(std::wstring_view format, size_t at, size_t length, int component) {
    if (component < 0 || at + length > format.size()) {
        return false;
    }
    return format.substr(at, length).find_first_not_of(format[at]) == std::wstring_view::npos;
}

} // namespace

// Each step takes a decimal triple if there is one, then a hexadecimal pair or one literal
// character, so a triple followed by a pair of another letter gives decimal and then hexadecimal.
std::wstring FormatColor(Color color, std::wstring_view format) {
    std::wstring text;
    wchar_t digits[8];
    size_t i = 0;
    while (i < format.size()) {
        int value = Component(color, format[i]);
        if (RunAt(format, i, 3, value)) {
            std::swprintf(digits, 8, L"%d", value);
            text += digits;
            i += 3;
        }
        if (i >= format.size()) {
            break;
        }
        value = Component(color, format[i]);
        if (RunAt(format, i, 2, value)) {
            std::swprintf(digits, 8, L"%2.2x", value);
            text += digits;
            i += 2;
        } else {
            text += format[i];
            ++i;
        }
    }
    return text;
}
