// The real huewright.exe started twice: the second start hands over to the first and ends.
#include "framework/UniqueHandle.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <algorithm>
#include <cwctype>

namespace {

struct Started {
    UniqueHandle process;
    DWORD id = 0;
};

Started StartHuewright(const std::wstring& workingFolder) {
    std::wstring exe = ModuleFolder() + L"huewright.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    Started started;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        started.process.Reset(pi.hProcess);
        started.id = pi.dwProcessId;
    }
    return started;
}

int CountWindowsTitledHuewright() {
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM counter) -> BOOL {
            if (IsWindowVisible(hwnd) && WindowText(hwnd) == L"Huewright") {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// The lower-case names of the modules a process has loaded.
std::vector<std::wstring> ModuleNames(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    std::vector<std::wstring> names;
    if (!EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                            &needed)) {
        return names;
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        wchar_t name[MAX_PATH] = {};
        GetModuleBaseNameW(process, module, name, MAX_PATH);
        std::wstring lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
        names.push_back(lower);
    }
    return names;
}

bool Ended(const Started& started, DWORD milliseconds) {
    return WaitForSingleObject(started.process.Get(), milliseconds) == WAIT_OBJECT_0;
}

class SecondInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        first = StartHuewright(folder.Path());
        ASSERT_TRUE(first.process);
        ASSERT_TRUE(WaitFor([&] { return (window = FindWindowW(nullptr, L"Huewright")) != nullptr; },
                            std::chrono::seconds(30)));
        WaitForInputIdle(first.process.Get(), 10000);
    }
    void TearDown() override {
        if (window) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (first.process && !Ended(first, 20000)) {
            TerminateProcess(first.process.Get(), 1);
        }
    }

    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    Started first;
    HWND window = nullptr;
};

TEST_F(SecondInstanceTest, SecondStartExitsAndLeavesOneWindow) {
    Started second = StartHuewright(folder.Path());
    ASSERT_TRUE(second.process);
    ASSERT_TRUE(Ended(second, 30000));
    DWORD exitCode = 1;
    GetExitCodeProcess(second.process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(CountWindowsTitledHuewright(), 1);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(SecondInstanceTest, SecondStartRestoresAMinimizedFirst) {
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; }, std::chrono::seconds(5)));
    Started second = StartHuewright(folder.Path());
    ASSERT_TRUE(Ended(second, 30000));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(window) == FALSE; }, std::chrono::seconds(5)));
    EXPECT_EQ(CountWindowsTitledHuewright(), 1);
}

// The running program holds its library alone, so this process can neither read nor write it.
TEST_F(SecondInstanceTest, TheLibraryIsHeldByTheRunningProgram) {
    std::wstring library = folder.Path() + L"\\palettes.dat";
    UniqueFile other(CreateFileW(library.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(other);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

// The shell and the common dialogs load at their first use, not for the first screen.
TEST_F(SecondInstanceTest, TheWindowComesUpWithoutTheShellOrTheCommonDialogs) {
    std::vector<std::wstring> loaded = ModuleNames(first.process.Get());
    ASSERT_NE(std::find(loaded.begin(), loaded.end(), L"comctl32.dll"), loaded.end());
    for (const wchar_t* deferred : {L"shell32.dll", L"comdlg32.dll"}) {
        EXPECT_EQ(std::find(loaded.begin(), loaded.end(), deferred), loaded.end()) << deferred;
    }
}

TEST_F(SecondInstanceTest, CloseBoxEndsTheProcess) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    window = nullptr;
    EXPECT_TRUE(Ended(first, 20000));
}

} // namespace
