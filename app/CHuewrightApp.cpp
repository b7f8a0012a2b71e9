#include "app/CHuewrightApp.h"

#include "app/CHuewrightDlg.h"
#include "framework/Profile.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

constexpr const wchar_t* kInstanceName = L"Huewright";

// OLE stays initialised while the dialog runs; a failure only costs the clipboard and drag-and-drop.
class OleSession {
public:
    OleSession() : initialized(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialized) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialized;
};

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
