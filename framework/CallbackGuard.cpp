#include "framework/CallbackGuard.h"

#include <cwchar>
#include <exception>
#include <string>

void ReportCallbackFailure(const wchar_t* where, UINT message) noexcept {
    try {
        wchar_t id[16];
        swprintf(id, 16, L"0x%04X", message);
        std::wstring text = std::wstring(L"Huewright: exception in ") + where + L", message " + id + L": ";
        try {
            throw;
        } catch (const std::exception& failure) {
            for (const char* c = failure.what(); *c; ++c) {
                text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
            }
        } catch (...) {
            text += L"unknown exception";
        }
        text += L"\n";
        OutputDebugStringW(text.c_str());
    } catch (...) {
        OutputDebugStringW(L"Huewright: exception in a callback\n");
    }
}
