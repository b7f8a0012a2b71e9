// The few shell functions the program uses, from shell32 loaded at the first call: the main window
// comes up without the shell. A missing library or function fails the call the way the system's
// own failure would.
#pragma once

#include <windows.h>

#include <objidl.h>

// ShellExecuteW; SE_ERR_DLLNOTFOUND when the shell cannot be loaded.
HINSTANCE ShellOpen(HWND owner, const wchar_t* verb, const wchar_t* file, int show);
// SHCreateStdEnumFmtEtc; the library's load error as an HRESULT when the shell cannot be loaded.
HRESULT CreateStdFormatEnumerator(UINT count, const FORMATETC* formats, IEnumFORMATETC** enumerator);
