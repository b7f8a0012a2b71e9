// The framework layer on its own: handle ownership, the profile, windows and subclassed controls.
#include "framework/Dialog.h"
#include "framework/DialogDpiLayout.h"
#include "framework/Dpi.h"
#include "framework/MessageBoxes.h"
#include "framework/Profile.h"
#include "framework/Reflection.h"
#include "framework/SubclassedControl.h"
#include "framework/SystemLibrary.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(UniqueHandleTest, DeletesItsObjectOnceAndReleaseHandsItOver) {
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        UniqueBrush brush(raw);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
        UniqueBrush moved = std::move(brush);
        EXPECT_FALSE(brush);
        EXPECT_TRUE(moved);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);

    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    UniquePen owner(pen);
    HPEN released = owner.Release();
    owner.Reset();
    EXPECT_EQ(GetObjectType(released), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(released);
}

TEST(UniqueHandleTest, FileUsesInvalidHandleValueAsEmpty) {
    TempWorkingDirectory folder;
    UniqueFile missing(CreateFileW(L"absent.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
    UniqueFile created(CreateFileW(L"present.dat", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_TRUE(created);
}

TEST(SystemLibraryTest, FindsTypedFunctionsAndNothingWhereTheLibraryOrFunctionIsMissing) {
    SystemLibrary kernel(L"kernel32.dll");
    auto* currentProcessId = kernel.Find<decltype(GetCurrentProcessId)>("GetCurrentProcessId");
    ASSERT_NE(currentProcessId, nullptr);
    EXPECT_EQ(currentProcessId(), GetCurrentProcessId());
    EXPECT_EQ(kernel.Find<decltype(GetCurrentProcessId)>("NoSuchFunction"), nullptr);

    SystemLibrary missing(L"no-such-library.dll");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Find<decltype(GetCurrentProcessId)>("GetCurrentProcessId"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(ProfileTest, RoundTripsIntegersAndStringsUnderTheApplicationKey) {
    ScratchSettingsKey settings(L"HuewrightFrameworkTest");
    EXPECT_EQ(Profile::ApplicationKeyPath(), L"Software\\HuewrightFrameworkTest\\Huewright");
    EXPECT_EQ(Profile::GetInt(L"Settings", L"curPalette", -1), -1);
    EXPECT_EQ(Profile::GetString(L"Settings", L"colorFormatStr", L"no path found"), L"no path found");

    EXPECT_TRUE(Profile::WriteInt(L"Settings", L"curPalette", -1));
    EXPECT_TRUE(Profile::WriteInt(L"Settings", L"curColor", 0x00D08300));
    EXPECT_TRUE(Profile::WriteString(L"Settings", L"colorFormatStr", L"#RRGGBB"));
    EXPECT_EQ(Profile::GetInt(L"Settings", L"curPalette", 0), -1);
    EXPECT_EQ(Profile::GetInt(L"Settings", L"curColor", 0), 0x00D08300);
    EXPECT_EQ(Profile::GetString(L"Settings", L"colorFormatStr", L""), L"#RRGGBB");

    // Stored as a 32-bit registry number, as other tools reading the key expect.
    DWORD raw = 0, type = 0, size = sizeof(raw);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\HuewrightFrameworkTest\\Huewright\\Settings",
                           L"curPalette", RRF_RT_ANY, &type, &raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw, 0xFFFFFFFFu);
}

TEST(ProfileTest, WrongTypeReadsAsDefault) {
    ScratchSettingsKey settings(L"HuewrightFrameworkTest");
    EXPECT_TRUE(Profile::WriteString(L"Settings", L"curColor", L"red"));
    EXPECT_EQ(Profile::GetInt(L"Settings", L"curColor", 7), 7);
}

class RecordingWindow : public Window {
public:
    std::vector<UINT> seen;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER + 1) {
            seen.push_back(message);
            return 42;
        }
        return DefaultProc(message, wParam, lParam);
    }
};

TEST(WindowTest, LinksTheObjectAndForgetsTheHandleOnDestroy) {
    const wchar_t* className = Window::RegisterWindowClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    ASSERT_NE(className, nullptr);
    EXPECT_EQ(Window::RegisterWindowClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)), className);

    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateChild(className, L"parent", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    RecordingWindow child;
    ASSERT_TRUE(child.CreateChild(className, L"child", WS_CHILD, RECT{1, 2, 11, 22}, parent.Hwnd(), 77));
    EXPECT_EQ(child.ControlId(), 77);
    RECT rect;
    GetClientRect(child.Hwnd(), &rect);
    EXPECT_EQ(rect.right, 10);
    EXPECT_EQ(rect.bottom, 20);
    EXPECT_EQ(SendMessageW(child.Hwnd(), WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(child.seen.size(), 1u);

    DestroyWindow(parent.Hwnd());
    EXPECT_EQ(parent.Hwnd(), nullptr);
    EXPECT_EQ(child.Hwnd(), nullptr);
}

// Cleans up on WM_DESTROY, so it destroys its window from its own destructor.
class CleansUpOnDestroy : public Window {
public:
    explicit CleansUpOnDestroy(bool& cleaned) : cleaned(cleaned) {}
    ~CleansUpOnDestroy() override { Destroy(); }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY) {
            cleaned = true;
        }
        return DefaultProc(message, wParam, lParam);
    }

private:
    bool& cleaned;
};

TEST(WindowTest, DerivedCleanupRunsWhenTheObjectGoesFirst) {
    const wchar_t* className = Window::RegisterWindowClass(0, nullptr);
    bool cleaned = false;
    HWND hwnd = nullptr;
    {
        CleansUpOnDestroy window(cleaned);
        ASSERT_TRUE(window.CreateChild(className, L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        hwnd = window.Hwnd();
    }
    EXPECT_TRUE(cleaned);
    EXPECT_FALSE(IsWindow(hwnd));

    // Without that, the base still destroys the window, with the object already unlinked.
    RecordingWindow* plain = new RecordingWindow;
    ASSERT_TRUE(plain->CreateChild(className, L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    hwnd = plain->Hwnd();
    delete plain;
    EXPECT_FALSE(IsWindow(hwnd));
}

class ClickCounter : public SubclassedControl {
public:
    int clicks = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == BM_CLICK) {
            ++clicks;
        }
        return DefaultProc(message, wParam, lParam);
    }
};

class PlainDialog : public Dialog {
public:
    PlainDialog() : Dialog(IDD_HUEWRIGHT) {}
    std::vector<WORD> commands;
    std::vector<WPARAM> preTranslatedKeys;

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override {
        commands.push_back(id);
        return Dialog::OnCommand(id, code, control);
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN) {
            preTranslatedKeys.push_back(msg.wParam);
        }
        return false;
    }
};

TEST(SubclassedControlTest, SeesTheControlsMessagesFirstAndKeepsItsBehaviour) {
    PlainDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    ClickCounter exitButton;
    ASSERT_TRUE(exitButton.Attach(dialog.Hwnd(), IDC_VIEW_NEXT));
    EXPECT_FALSE(ClickCounter().Attach(dialog.Hwnd(), 4242));

    SendMessageW(exitButton.Hwnd(), BM_CLICK, 0, 0);
    PumpMessages(&dialog);
    EXPECT_EQ(exitButton.clicks, 1);
    ASSERT_FALSE(dialog.commands.empty());
    EXPECT_EQ(dialog.commands.back(), IDC_VIEW_NEXT);
    DestroyWindow(dialog.Hwnd());
    EXPECT_EQ(exitButton.Hwnd(), nullptr);
}

// Another subclass over ours outlives our object: the messages still reach the button's class.
WNDPROC laterNext = nullptr;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(laterNext, hwnd, message, wParam, lParam);
}

TEST(SubclassedControlTest, LetsGoUnderALaterSubclassAndTheButtonStillWorks) {
    PlainDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    HWND button = GetDlgItem(dialog.Hwnd(), IDC_VIEW_NEXT);
    {
        ClickCounter counter;
        ASSERT_TRUE(counter.Attach(dialog.Hwnd(), IDC_VIEW_NEXT));
        laterNext = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclass)));
    }
    SendMessageW(button, BM_CLICK, 0, 0);
    PumpMessages(&dialog);
    ASSERT_FALSE(dialog.commands.empty());
    EXPECT_EQ(dialog.commands.back(), IDC_VIEW_NEXT);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_USERDATA), 0);
    DestroyWindow(dialog.Hwnd());
}

// Owner-drawn children get their WM_DRAWITEM back from the parent, from a dialog or a plain window.
class DrawItemRecorder : public SubclassedControl {
public:
    int drawn = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == Reflected(WM_DRAWITEM)) {
            ++drawn;
            return TRUE;
        }
        return DefaultProc(message, wParam, lParam);
    }
};

TEST(ReflectionTest, DrawItemReachesTheOwnerDrawnChild) {
    PlainDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    DrawItemRecorder button;
    ASSERT_TRUE(button.Attach(dialog.Hwnd(), IDC_VIEW_PREVIOUS));
    SetWindowLongPtrW(button.Hwnd(), GWL_STYLE, GetWindowLongPtrW(button.Hwnd(), GWL_STYLE) | BS_OWNERDRAW);
    RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(button.drawn, 0);
    DestroyWindow(dialog.Hwnd());

    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateChild(Window::RegisterWindowClass(0, nullptr), L"", WS_POPUP | WS_VISIBLE,
                                   RECT{0, 0, 60, 60}, nullptr, 0));
    HWND child = CreateWindowW(L"Button", L"x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 40, 20,
                               parent.Hwnd(), reinterpret_cast<HMENU>(5), nullptr, nullptr);
    DrawItemRecorder childRecorder;
    ASSERT_TRUE(childRecorder.Attach(parent.Hwnd(), 5));
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(childRecorder.drawn, 0);
    DestroyWindow(parent.Hwnd());
}

TEST(DialogTest, KeysReachPreTranslationBeforeTheDialogManager) {
    PlainDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    HWND search = dialog.Item(IDC_SEARCH);
    SetFocus(search);
    PostMessageW(search, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageW(search, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpMessages(&dialog);
    EXPECT_EQ(dialog.preTranslatedKeys, (std::vector<WPARAM>{'A', VK_TAB}));
    // The dialog manager still moves the focus on Tab.
    EXPECT_NE(GetFocus(), search);
    DestroyWindow(dialog.Hwnd());
}

// Each box is read from inside its own modal loop, then answered.
TEST(MessageBoxesTest, QuestionsAndRefusalsCarryTheProductCaptions) {
    MessageBoxAnswerer yes(IDYES);
    EXPECT_TRUE(MessageBoxes::AskYesNo(nullptr, L"Save?"));
    MessageBoxAnswerer no(IDNO);
    EXPECT_FALSE(MessageBoxes::ConfirmDelete(nullptr, L"Delete?"));
    MessageBoxAnswerer ok(IDOK);
    MessageBoxes::ShowWarning(nullptr, L"Careful");
    MessageBoxes::ShowRefusal(nullptr, L"No");

    ASSERT_EQ(yes.seen.size(), 1u);
    EXPECT_EQ(yes.seen[0].caption, L"Huewright");
    EXPECT_EQ(yes.seen[0].text, L"Save?");
    EXPECT_TRUE(yes.seen[0].hasYes && yes.seen[0].hasNo);
    ASSERT_EQ(no.seen.size(), 1u);
    EXPECT_EQ(no.seen[0].caption, L"Confirm Delete");
    ASSERT_EQ(ok.seen.size(), 2u);
    EXPECT_EQ(ok.seen[0].caption, L"Huewright Warning!");
    EXPECT_TRUE(ok.seen[0].hasOk);
    EXPECT_FALSE(ok.seen[0].hasYes);
    EXPECT_EQ(ok.seen[1].caption, L"Huewright");
}

// The frame around a client rectangle at the window's own DPI is the one the system gives for its
// style; and a DPI change takes the window to the suggested rectangle even before the layout is
// remembered.
TEST(DialogDpiLayoutTest, FramesAtTheWindowsDpiAndMovesToTheSuggestedRectangleAlways) {
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(window);
    RECT framed{0, 0, 300, 200};
    RECT expected = framed;
    AdjustWindowRectForDpi(framed, window.Get(), WindowDpi(window.Get()));
    AdjustWindowRectEx(&expected, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_TRUE(EqualRect(&framed, &expected));

    DialogDpiLayout layout;
    const RECT suggested{40, 50, 340, 260};
    layout.Rescale(window.Get(), 144, suggested);
    RECT now{};
    GetWindowRect(window.Get(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
}

} // namespace
