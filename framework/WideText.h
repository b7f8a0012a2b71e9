// The portable core keeps text as char16_t and Windows as wchar_t, both UTF-16 here: a text passes
// between them unit for unit.
#pragma once

#include <string>
#include <string_view>

inline std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

inline std::u16string Utf16(std::wstring_view text) {
    return {text.begin(), text.end()};
}
