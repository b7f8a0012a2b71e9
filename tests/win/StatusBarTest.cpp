// The status bar in a real dialog: its panes, the lock text, the one-paint alert color and the room
// the dialog makes for it.
#include "app/CDlgStatusBar.h"
#include "color/ColorMath.h"
#include "framework/DcGuards.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF kPaneBackground = RGB(0xEA, 0xEF, 0xC6);
constexpr COLORREF kAlertRed = RGB(0xFF, 0, 0);

RECT PaneRect(HWND bar, int pane) {
    RECT rect{};
    SendMessageW(bar, SB_GETRECT, pane, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

std::wstring PaneText(HWND bar, int pane) {
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

RECT RectInClient(HWND window, HWND client) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What is on screen inside the bar's rectangle, as colors, copied in one transfer from its window DC.
std::vector<COLORREF> PixelsOf(HWND bar, const RECT& rect) {
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    WindowDc window(bar);
    UniqueDc memory(CreateCompatibleDC(window.Get()));
    UniqueBitmap bitmap(CreateDIBSection(window.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) {
        return {};
    }
    {
        SelectObjectGuard selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, window.Get(), rect.left, rect.top, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const Pixel*>(bits);
    std::vector<COLORREF> colors;
    for (int i = 0; i < width * height; ++i) {
        colors.push_back(RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF));
    }
    return colors;
}

long CountOf(const std::vector<COLORREF>& pixels, COLORREF color) {
    return static_cast<long>(std::count(pixels.begin(), pixels.end(), color));
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateModeless());
        ASSERT_TRUE(bar.Create(dialog.Hwnd()));
        PumpMessages(&dialog);
    }
    void TearDown() override { DestroyWindow(dialog.Hwnd()); }

    Dialog dialog{IDD_HUEWRIGHT};
    CDlgStatusBar bar;
};

TEST_F(StatusBarTest, IsABottomStatusBarWithAStretchingOwnerDrawnPaneAndALockPane) {
    HWND hwnd = bar.Hwnd();
    EXPECT_EQ(ClassName(hwnd), L"msctls_statusbar32");
    EXPECT_EQ(GetParent(hwnd), dialog.Hwnd());
    EXPECT_EQ(GetDlgCtrlID(hwnd), 59393);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | CCS_BOTTOM),
              WS_CHILD | WS_VISIBLE | CCS_BOTTOM);
    ASSERT_EQ(SendMessageW(hwnd, SB_GETPARTS, 0, 0), 2);
    EXPECT_TRUE(HIWORD(SendMessageW(hwnd, SB_GETTEXTLENGTHW, 0, 0)) & SBT_OWNERDRAW);
    EXPECT_EQ(PaneText(hwnd, 1), L"Unlocked");

    RECT client{}, text{0, 0, 0, 0};
    GetClientRect(hwnd, &client);
    {
        WindowDc dc(hwnd);
        SelectObjectGuard font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc.Get(), L"Unlocked", -1, &text, DT_CALCRECT | DT_SINGLELINE);
    }
    RECT stretch = PaneRect(hwnd, 0), lock = PaneRect(hwnd, 1);
    EXPECT_GE(lock.right - lock.left, text.right);
    EXPECT_LT(lock.right - lock.left, text.right + 20);
    EXPECT_GE(lock.right, client.right - 4);
    EXPECT_LE(stretch.left, 4);
    EXPECT_LE(stretch.right, lock.left);
    EXPECT_GE(stretch.right, lock.left - 4);
}

TEST_F(StatusBarTest, LockPaneFollowsTheLockState) {
    const std::pair<bool, const wchar_t*> steps[] = {
        {true, L"Locked"}, {false, L"Unlocked"}, {true, L"Locked"}};
    for (const auto& [locked, expected] : steps) {
        bar.SetLockText(locked);
        EXPECT_EQ(PaneText(bar.Hwnd(), 1), expected);
    }
}

// The color controls report the lock state and the color on every mouse move of a drag: what has
// not changed is not painted again, while an alert of the same text still is, at once.
TEST_F(StatusBarTest, AnUnchangedTextRepaintsNothing) {
    ShowWindow(dialog.Hwnd(), SW_SHOWNA);
    const std::wstring color = L"Selected color: #0083D0";
    bar.SetLockText(true);
    bar.SetText(color);
    // Shown and painted whole, exposure included.
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    UpdateWindow(bar.Hwnd());
    ASSERT_FALSE(GetUpdateRect(bar.Hwnd(), nullptr, FALSE));
    // Blackened behind the bar's back: only a repaint brings the pane's colors back.
    RECT pane = PaneRect(bar.Hwnd(), 0);
    InflateRect(&pane, -2, -2);
    {
        WindowDc dc(bar.Hwnd());
        FillRect(dc.Get(), &pane, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    bar.SetLockText(true);
    bar.SetText(color);
    EXPECT_FALSE(GetUpdateRect(bar.Hwnd(), nullptr, FALSE));
    EXPECT_EQ(CountOf(PixelsOf(bar.Hwnd(), pane), kPaneBackground), 0);
    bar.ShowAlert(color);
    EXPECT_GT(CountOf(PixelsOf(bar.Hwnd(), pane), kAlertRed), 20);
    bar.SetLockText(false);
    EXPECT_EQ(PaneText(bar.Hwnd(), 1), L"Unlocked");
}

struct TextCase {
    const char* name;
    std::function<void(CDlgStatusBar&, const std::wstring&)> set;
    COLORREF firstPaint;
};

// Alerts are red until the pane is next painted; plain texts never are. The text itself stays.
TEST_F(StatusBarTest, AlertIsRedForOnePaintThenTooltipTextColor) {
    const COLORREF infoText = GetSysColor(COLOR_INFOTEXT);
    ASSERT_NE(infoText, kAlertRed);
    const TextCase cases[] = {
        {"ShowAlert", [](CDlgStatusBar& b, const std::wstring& t) { b.ShowAlert(t); }, kAlertRed},
        {"SetText", [](CDlgStatusBar& b, const std::wstring& t) { b.SetText(t); }, infoText},
    };
    const std::wstring text = L"Invalid color entry. Use either \"00FF00\" or \"0,255,0\" format.";
    ShowWindow(dialog.Hwnd(), SW_SHOWNA);
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(bar, text);
        EXPECT_EQ(bar.Text(), text);
        UpdateWindow(bar.Hwnd());
        // Inside the pane's border.
        RECT pane = PaneRect(bar.Hwnd(), 0);
        InflateRect(&pane, -2, -2);
        std::vector<COLORREF> first = PixelsOf(bar.Hwnd(), pane);
        ASSERT_FALSE(first.empty());
        EXPECT_GT(CountOf(first, c.firstPaint), 20);
        // The pane is filled right to its end, past the text.
        EXPECT_EQ(first.back(), kPaneBackground);
        EXPECT_EQ(first[first.size() - pane.right + pane.left], kPaneBackground);

        RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::vector<COLORREF> second = PixelsOf(bar.Hwnd(), pane);
        EXPECT_EQ(CountOf(second, kAlertRed), 0);
        EXPECT_GT(CountOf(second, infoText), 20);
        // Painted at once or by the bar, a plain text looks the same.
        if (c.firstPaint == infoText) {
            EXPECT_EQ(first, second);
        }
        EXPECT_EQ(bar.Text(), text);
        bar.SetText(L"");
    }
}

TEST_F(StatusBarTest, RepositionGrowsTheDialogByTheBarAndPutsTheBarAtTheBottom) {
    RECT windowBefore{}, exitBefore = RectInClient(dialog.Item(IDC_EXIT), dialog.Hwnd());
    GetWindowRect(dialog.Hwnd(), &windowBefore);
    RECT clientBefore{};
    GetClientRect(dialog.Hwnd(), &clientBefore);
    RECT barRect{};
    GetWindowRect(bar.Hwnd(), &barRect);
    const LONG barHeight = barRect.bottom - barRect.top;
    ASSERT_GT(barHeight, 10);

    RepositionForStatusBar(dialog.Hwnd(), bar.Hwnd());
    PumpMessages(&dialog);

    RECT windowAfter{}, clientAfter{};
    GetWindowRect(dialog.Hwnd(), &windowAfter);
    GetClientRect(dialog.Hwnd(), &clientAfter);
    EXPECT_EQ(windowAfter.left, windowBefore.left);
    EXPECT_EQ(windowAfter.top, windowBefore.top);
    EXPECT_EQ(windowAfter.right, windowBefore.right);
    EXPECT_EQ(windowAfter.bottom, windowBefore.bottom + barHeight);
    EXPECT_EQ(clientAfter.bottom, clientBefore.bottom + barHeight);

    RECT exitAfter = RectInClient(dialog.Item(IDC_EXIT), dialog.Hwnd());
    EXPECT_TRUE(EqualRect(&exitAfter, &exitBefore));
    RECT barAfter = RectInClient(bar.Hwnd(), dialog.Hwnd());
    EXPECT_EQ(barAfter.left, 0);
    EXPECT_EQ(barAfter.right, clientAfter.right);
    EXPECT_EQ(barAfter.bottom, clientAfter.bottom);
    EXPECT_EQ(barAfter.top, clientBefore.bottom);
    // Below every control now.
    EXPECT_GE(barAfter.top, exitAfter.bottom);
}

// What the owner-drawn pane shows is the bar's window text and the pane's text, also for another
// process, as screen readers and test tools read it.
TEST_F(StatusBarTest, OthersReadTheFirstPaneThroughTheWindowTextAndThePaneText) {
    const std::wstring alert = L"Invalid color entry. Use either \"00FF00\" or \"0,255,0\" format.";
    bar.ShowAlert(alert);
    HWND hwnd = bar.Hwnd();
    EXPECT_EQ(WindowText(hwnd), alert);
    const LRESULT length = SendMessageW(hwnd, SB_GETTEXTLENGTHW, 0, 0);
    EXPECT_EQ(LOWORD(length), alert.size());
    EXPECT_TRUE(HIWORD(length) & SBT_OWNERDRAW);
    std::wstring paneText(alert.size() + 1, L'\0');
    SendMessageW(hwnd, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(paneText.data()));
    EXPECT_EQ(paneText.c_str(), alert);
    wchar_t cut[8] = {};
    EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXT, std::size(cut), reinterpret_cast<LPARAM>(cut)), 7);
    EXPECT_EQ(std::wstring(cut), alert.substr(0, 7));

    TempWorkingDirectory folder;
    wchar_t window[32] = {};
    swprintf(window, std::size(window), L"%llx",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
    // Its WM_GETTEXT is answered by this thread's window, so the queue is pumped while it runs.
    EXPECT_EQ(RunTestProgram(L"read_window_text.exe", std::wstring(window) + L" read.txt"), 0);
    std::ifstream in(std::filesystem::path(folder.Path()) / L"read.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)),
              alert);
}

TEST(StatusBarLifetimeTest, WindowGoesWithTheObjectOrWithTheDialog) {
    Dialog dialog(IDD_HUEWRIGHT);
    ASSERT_TRUE(dialog.CreateModeless());
    HWND first = nullptr;
    {
        CDlgStatusBar bar;
        ASSERT_TRUE(bar.Create(dialog.Hwnd()));
        first = bar.Hwnd();
    }
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetDlgItem(dialog.Hwnd(), kStatusBarId), nullptr);

    CDlgStatusBar bar;
    ASSERT_TRUE(bar.Create(dialog.Hwnd()));
    DestroyWindow(dialog.Hwnd());
    EXPECT_EQ(bar.Hwnd(), nullptr);
    // Texts set without a window are kept but shown nowhere.
    bar.ShowAlert(L"kept");
    EXPECT_EQ(bar.Text(), L"kept");
}

} // namespace
