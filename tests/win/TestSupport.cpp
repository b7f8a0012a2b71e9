#include "tests/win/TestSupport.h"

#include "framework/Dialog.h"
#include "framework/Profile.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>

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

void DriveModalOnce(Dialog* dialog, ModalDrive& stage, const std::function<void(Dialog&)>& drive) {
    if (!dialog || stage == ModalDrive::Driving) {
        return;
    }
    if (stage == ModalDrive::Driven) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog->EndDialog(-2);
        return;
    }
    stage = ModalDrive::Driving;
    drive(*dialog);
    stage = ModalDrive::Driven;
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

void ClickButton(Dialog& dialog, int id) {
    SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
}

int RunTestProgram(const std::wstring& name, const std::wstring& arguments,
                   std::chrono::milliseconds timeout) {
    std::wstring commandLine = name + L" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION started{};
    if (!CreateProcessW((ModuleFolder() + name).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        return -1;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    if (!WaitFor([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, timeout)) {
        TerminateProcess(process.Get(), 1);
        return -1;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    return static_cast<int>(exitCode);
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

namespace {

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// Absolute input maps 0..65535 onto the screen's pixels by (dx * width) >> 16; rounding up lands
// on the pixel itself.
void SendMoveTo(POINT screen) {
    LONG width = GetSystemMetrics(SM_CXSCREEN);
    LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

} // namespace

void MovePointerTo(POINT screen, Dialog* dialog) {
    SendMoveTo(screen);
    WaitFor(
        [screen] {
            POINT cursor{};
            GetCursorPos(&cursor);
            return cursor.x == screen.x && cursor.y == screen.y;
        },
        std::chrono::seconds(2));
    PumpMessages(dialog, std::chrono::milliseconds(30));
}

void MouseGesture(const std::vector<POINT>& path, bool rightButton, Dialog* dialog) {
    if (path.empty()) {
        return;
    }
    MovePointerTo(path.front());
    std::atomic<bool> done = false;
    std::thread hand([&] {
        constexpr int kStep = 8;
        auto pause = [] { Sleep(15); };
        SendMouse(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        pause();
        POINT at = path.front();
        for (POINT next : path) {
            int steps = std::max(std::abs(next.x - at.x), std::abs(next.y - at.y)) / kStep + 1;
            for (int k = 1; k <= steps; ++k) {
                SendMoveTo(POINT{at.x + (next.x - at.x) * k / steps, at.y + (next.y - at.y) * k / steps});
                pause();
            }
            at = next;
        }
        SendMouse(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        done = true;
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done && std::chrono::steady_clock::now() < end) {
        PumpMessages(dialog, std::chrono::milliseconds(5));
    }
    hand.join();
    PumpMessages(dialog, std::chrono::milliseconds(100));
}

// Wine starts a Unix program given by its path on drive Z: but hands back null process and thread
// handles, nothing to wait on, so the key state itself is awaited.
bool HoldCtrlAtXLevel(bool down) {
    static bool held = false;
    if (!down && !held) {
        return true;
    }
    std::wstring commandLine = down ? L"xdotool keydown ctrl" : L"xdotool keyup ctrl";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\xdotool", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        return false;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    held = down;
    bool arrived =
        WaitFor([down] { return (GetAsyncKeyState(VK_CONTROL) < 0) == down; }, std::chrono::seconds(5));
    // The key message that came with the state.
    PumpMessages(nullptr, std::chrono::milliseconds(30));
    return arrived;
}

namespace {

MessageBoxAnswerer* activeAnswerer = nullptr;

// Wine keeps the icon control of a box without an icon, empty and hidden.
SeenMessageBox Read(HWND box) {
    SeenMessageBox seen{WindowText(box), L"", GetDlgItem(box, IDYES) != nullptr,
                        GetDlgItem(box, IDNO) != nullptr, GetDlgItem(box, IDOK) != nullptr};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassName(child) != L"Static") {
            continue;
        }
        if ((style & SS_TYPEMASK) != SS_ICON) {
            seen.text += WindowText(child);
        } else if ((style & WS_VISIBLE) && SendMessageW(child, STM_GETICON, 0, 0)) {
            seen.showsIcon = true;
        }
    }
    return seen;
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(WPARAM answer)
    : answer(answer), timer(SetTimer(nullptr, 0, 50, OnTimer)),
      previous(std::exchange(activeAnswerer, this)) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer);
    activeAnswerer = previous;
}

void CALLBACK MessageBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = activeAnswerer ? FindSystemDialog() : nullptr;
    if (!box) {
        return;
    }
    activeAnswerer->seen.push_back(Read(box));
    // Answered once: the box stays visible until its loop takes the command.
    ShowWindow(box, SW_HIDE);
    PostMessageW(box, WM_COMMAND, activeAnswerer->answer, 0);
}

POINT CentreOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PressKeys(std::initializer_list<WORD> keys, Dialog* dialog) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages(dialog, std::chrono::milliseconds(60));
}

namespace {

template <typename Char> std::basic_string<Char> ClipboardData(UINT format) {
    std::basic_string<Char> text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(format)) {
        if (auto* chars = static_cast<const Char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

std::string ClipboardAnsiText() {
    return ClipboardData<char>(CF_TEXT);
}
std::wstring ClipboardText() {
    return ClipboardData<wchar_t>(CF_UNICODETEXT);
}

namespace {

constexpr int kFileNameBox = 0x47c; // cmb13: the file name of an Explorer-style file dialog
constexpr int kFileTypeBox = 0x470; // cmb1: its file type

} // namespace

FileDialogAnswerer::FileDialogAnswerer(std::wstring path, int fileType)
    : timer(SetTimer(nullptr, 0, 50, OnTimer)), path(std::move(path)), fileType(fileType) {
    active = this;
}

FileDialogAnswerer::~FileDialogAnswerer() {
    KillTimer(nullptr, timer);
    active = nullptr;
}

void CALLBACK FileDialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND found = FindSystemDialog();
    if (!found || !active) {
        return;
    }
    if (HWND types = GetDlgItem(found, kFileTypeBox); types && active->fileType > 0) {
        // As a choice with the mouse ends: the dialog takes the filter at CBN_SELENDOK.
        SendMessageW(types, CB_SETCURSEL, active->fileType - 1, 0);
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageW(found, WM_COMMAND, MAKEWPARAM(kFileTypeBox, code), reinterpret_cast<LPARAM>(types));
        }
    }
    if (GetDlgItem(found, kFileNameBox)) {
        SetDlgItemTextW(found, kFileNameBox, active->path.c_str());
    } else {
        std::wstring text;
        for (HWND child = GetWindow(found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            text += ClassName(child) == L"Static" ? WindowText(child) : L"";
        }
        active->messages.push_back(text);
        ShowWindow(found, SW_HIDE);
    }
    PostMessageW(found, WM_COMMAND, IDOK, 0);
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

// A system dialog is a dialog-class window that is none of the program's own dialogs, which keep
// their object in the window's user data.
HWND FindSystemDialog() {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) -> BOOL {
            if (IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770" &&
                !GetWindowLongPtrW(hwnd, GWLP_USERDATA)) {
                *reinterpret_cast<HWND*>(found) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    return box;
}
