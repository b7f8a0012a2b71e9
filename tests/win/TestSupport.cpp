#include "tests/win/TestSupport.h"

#include "framework/Dialog.h"
#include "framework/Profile.h"

#include <filesystem>
#include <vector>

void PumpMessages(Dialog* dialog, std::chrono::milliseconds duration) {
    auto end = std::chrono::steady_clock::now() + duration;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT) {
                return;
            }
            PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
            if (dialog) {
                dialog->PumpMessage(msg);
            } else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (std::chrono::steady_clock::now() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    } while (std::chrono::steady_clock::now() < end);
}

bool TakeQuitMessage() {
    MSG msg;
    bool found = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        found = found || msg.message == WM_QUIT;
    }
    return found;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return condition();
        }
        PumpMessages(nullptr, std::chrono::milliseconds(20));
    }
    return true;
}

std::wstring WindowText(HWND hwnd) {
    std::vector<wchar_t> text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TempWorkingDirectory::TempWorkingDirectory() {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    previous = current;
    auto folder = std::filesystem::temp_directory_path() /
                  (L"huewright-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(GetTickCount64()));
    std::filesystem::create_directories(folder);
    path = folder.wstring();
    SetCurrentDirectoryW(path.c_str());
}

TempWorkingDirectory::~TempWorkingDirectory() {
    SetCurrentDirectoryW(previous.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

ScratchSettingsKey::ScratchSettingsKey(const std::wstring& company) : companyKey(L"Software\\" + company) {
    RegDeleteTreeW(HKEY_CURRENT_USER, companyKey.c_str());
    Profile::SetRegistryKey(company);
}

ScratchSettingsKey::~ScratchSettingsKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, companyKey.c_str());
}
