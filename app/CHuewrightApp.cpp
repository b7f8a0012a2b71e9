#include "app/CHuewrightApp.h"

#include "app/CHuewrightDlg.h"
#include "framework/OleSession.h"
#include "framework/Profile.h"

#include <commctrl.h>

namespace {

constexpr const wchar_t* kInstanceName = L"Huewright";

} // namespace

bool CHuewrightApp::InitInstance() {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceName);
    bool alreadyRunning = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    instanceMutex.Reset(mutex);
    if (alreadyRunning) {
        ActivateFirstInstance();
        return false;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    OleSession ole;
    Profile::SetRegistryKey(L"Lumenfold");

    CHuewrightDlg dialog;
    dialog.DoModal();
    return false;
}

// When the window is not found the calls simply fail and this instance still ends.
void CHuewrightApp::ActivateFirstInstance() {
    HWND first = FindWindowW(nullptr, kInstanceName);
    if (IsIconic(first)) {
        ShowWindow(first, SW_RESTORE);
    }
    SetForegroundWindow(first);
}
