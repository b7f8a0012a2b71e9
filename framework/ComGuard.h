// COM methods run their body through Guarded, so no exception crosses into OLE.
#pragma once

#include <windows.h>

#include <exception>

// An exception must not cross into OLE: it is reported and becomes E_UNEXPECTED.
template <typename Body> inline HRESULT Guarded(const wchar_t* method, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        OutputDebugStringW(L"Huewright: exception in ");
        OutputDebugStringW(method);
        try {
            throw;
        } catch (const std::exception& failure) {
            OutputDebugStringW(L": ");
            OutputDebugStringA(failure.what());
        } catch (...) {
        }
        OutputDebugStringW(L"\n");
        return E_UNEXPECTED;
    }
}
