#include "framework/SystemError.h"

#include <cwchar>

std::wstring SystemErrorText(DWORD code) {
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  0, text, 512, nullptr);
    while (length > 0 &&
           (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        std::swprintf(text, 512, L"System error 0x%08lX", code);
        return text;
    }
    return {text, length};
}
