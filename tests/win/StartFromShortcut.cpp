// Starts Huewright from its Start menu shortcut the way the shell does, names and saves a palette in
// it and closes it, then checks that the library was written in the user's data folder, which the
// shortcut gives as the working folder. Run by tests/dist/installer-test.sh after a silent install.
#include "framework/OleSession.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

int Fail(const std::wstring& what) {
    std::fwprintf(stderr, L"%ls\n", what.c_str());
    return 1;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR raw = nullptr;
    const HRESULT found = SHGetKnownFolderPath(id, 0, nullptr, &raw);
    std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> path(raw, CoTaskMemFree);
    return SUCCEEDED(found) ? std::wstring(path.get()) : std::wstring();
}

HWND WaitForMainWindow() {
    for (int tries = 0; tries < 300; ++tries) {
        if (HWND window = FindWindowW(L"#32770", L"Huewright")) {
            return window;
        }
        Sleep(100);
    }
    return nullptr;
}

} // namespace

int wmain() {
    OleSession ole;
    const std::wstring data = KnownFolder(FOLDERID_RoamingAppData) + L"\\Huewright";
    const std::wstring shortcut = KnownFolder(FOLDERID_Programs) + L"\\Huewright.lnk";
    SHELLEXECUTEINFOW start{sizeof(start)};
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.lpFile = shortcut.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&start)) {
        return Fail(L"The shell did not start " + shortcut + L".");
    }
    UniqueHandle launcher(start.hProcess);
    HWND window = WaitForMainWindow();
    if (!window) {
        return Fail(L"Huewright showed no window.");
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    UniqueHandle program(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    // The window exists before its dialog initialisation has loaded the library; the program is ready
    // once it waits for input.
    if (!program || WaitForInputIdle(program.Get(), 30000) != 0) {
        return Fail(L"Huewright did not become ready for input.");
    }

    SetDlgItemTextW(window, IDC_PALETTE_NAME, L"Installed");
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SAVE_PALETTE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_SAVE_PALETTE)));
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.Get(), 30000) != WAIT_OBJECT_0) {
        return Fail(L"Huewright did not close.");
    }
    WIN32_FILE_ATTRIBUTE_DATA library{};
    if (!GetFileAttributesExW((data + L"\\palettes.dat").c_str(), GetFileExInfoStandard, &library) ||
        (library.nFileSizeLow == 0 && library.nFileSizeHigh == 0)) {
        return Fail(L"Saving a palette wrote no palettes.dat in " + data +
                    L", the shortcut's working folder.");
    }
    return 0;
}
