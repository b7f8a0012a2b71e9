#include "framework/ShellFunctions.h"

#include "framework/SystemLibrary.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

const SystemLibrary& Shell32() {
    static const SystemLibrary library(L"shell32.dll");
    return library;
}

} // namespace

HINSTANCE ShellOpen(HWND owner, const wchar_t* verb, const wchar_t* file, int show) {
    if (auto* shellExecute = Shell32().Find<decltype(ShellExecuteW)>("ShellExecuteW")) {
        return shellExecute(owner, verb, file, nullptr, nullptr, show);
    }
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
}

HRESULT CreateStdFormatEnumerator(UINT count, const FORMATETC* formats, IEnumFORMATETC** enumerator) {
    if (auto* create = Shell32().Find<decltype(SHCreateStdEnumFmtEtc)>("SHCreateStdEnumFmtEtc")) {
        return create(count, formats, enumerator);
    }
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}
