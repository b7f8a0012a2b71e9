#include "app/CDlgStatusBar.h"

#include "framework/ContrastTheme.h"
#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "framework/Reflection.h"
#include "framework/SystemLibrary.h"
#include "res/resource.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

namespace {

constexpr COLORREF kAlertColor = 0x000000FF;
constexpr COLORREF kPaneBackground = 0x00C6EFEA;
// Room the framework's status bar leaves around a pane's text.
constexpr int kPaneBorder = 6;
constexpr const wchar_t* kLockedText = L"Locked";

std::wstring LoadResourceString(UINT id) {
    const wchar_t* resource = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
    return length > 0 ? std::wstring(resource, length) : std::wstring();
}

// Wine draws common controls 5 in the desktop's visual style, which Windows never does for a program
// without a manifest; the style's bitmaps cost dozens of blits and a display check on every repaint,
// and the bar repaints on every drag move.
void DrawClassic(HWND bar) {
    static const SystemLibrary uxtheme(L"uxtheme.dll");
    if (auto* setWindowTheme = uxtheme.Find<decltype(SetWindowTheme)>("SetWindowTheme")) {
        setWindowTheme(bar, L" ", L" ");
    }
}

// The font the bar draws with: its own, or the GUI font it falls back on without one.
HGDIOBJ BarFont(HWND bar) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    return font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
}

int TextWidth(HWND bar, const std::wstring& text) {
    WindowDc dc(bar);
    SelectObjectGuard selected(dc.Get(), BarFont(bar));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

CDlgStatusBar::~CDlgStatusBar() {
    // Unhooked before the window goes, so its last messages do not reach a half-destroyed object.
    Detach();
}

bool CDlgStatusBar::Create(HWND dialog) {
    bar.Reset(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0,
                              dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                              GetModuleHandleW(nullptr), nullptr));
    if (!bar || !Attach(dialog, kStatusBarId)) {
        bar.Reset();
        return false;
    }
    DrawClassic(Hwnd());
    unlockedText = LoadResourceString(IDS_UNLOCKED);
    MeasureLockPane();
    SetPaneWidths();
    // The owner-drawn pane carries no data of the bar's: DrawItem draws from the text kept here.
    SendMessageW(Hwnd(), SB_SETTEXTW, 0 | SBT_OWNERDRAW, 0);
    SetLockText(false);
    return true;
}

void CDlgStatusBar::MeasureLockPane() {
    int borders[3] = {};
    SendMessageW(Hwnd(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    lockPaneWidth =
        TextWidth(Hwnd(), unlockedText) + ScaleForWindow(Hwnd(), kPaneBorder) + borders[0] + borders[2];
}

// The dialog has its new size already: the bar takes its place along the bottom again.
void CDlgStatusBar::OnDpiChanged() {
    if (Hwnd()) {
        MeasureLockPane();
        SendMessageW(Hwnd(), WM_SIZE, 0, 0);
    }
}

// The first pane takes whatever width the lock pane leaves.
void CDlgStatusBar::SetPaneWidths() {
    textRect = {};
    RECT client{};
    GetClientRect(Hwnd(), &client);
    int rights[2] = {std::max(0, static_cast<int>(client.right) - lockPaneWidth), -1};
    SendMessageW(Hwnd(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights));
}

void CDlgStatusBar::ShowAlert(const std::wstring& alert) {
    alertPending = true;
    SetText(alert);
}

// The bar does not see the text of an owner-drawn pane change, so the pane is repainted from here.
// The color controls report on every mouse move: the same text again, with no alert waiting to be
// shown, needs no repaint.
void CDlgStatusBar::SetText(const std::wstring& newText) {
    if (newText == text && !alertPending) {
        return;
    }
    text = newText;
    accessibility.ValueChanged();
    RepaintTextPane();
}

// At once, as the color controls it reports on are repainted, and straight into the rectangle the bar
// last gave the pane, in the bar's font: repainting the whole bar would cost several times the rest
// of a drag move. Before the bar has drawn the pane, or once its panes have moved, the bar repaints
// it itself.
void CDlgStatusBar::RepaintTextPane() {
    if (!Hwnd()) {
        return;
    }
    if (IsRectEmpty(&textRect) || !IsWindowVisible(Hwnd())) {
        RECT pane{};
        SendMessageW(Hwnd(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
        InvalidateRect(Hwnd(), &pane, FALSE);
        return;
    }
    WindowDc dc(Hwnd());
    SelectObjectGuard font(dc.Get(), BarFont(Hwnd()));
    PaintText(dc.Get(), textRect);
}

// Tracking reports its lock state on every mouse move; the pane is set only when that changes.
void CDlgStatusBar::SetLockText(bool locked) {
    const wchar_t* shown = locked ? kLockedText : unlockedText.c_str();
    if (Hwnd() && shown != lockText) {
        lockText = shown;
        SendMessageW(Hwnd(), SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(shown));
        ControlAccessibility::Tell(Hwnd(), EVENT_OBJECT_NAMECHANGE);
    }
}

void CDlgStatusBar::DrawItem(const DRAWITEMSTRUCT& item) {
    textRect = item.rcItem;
    PaintText(item.hDC, item.rcItem);
}

// An alert is red for one painting only; any later repaint shows the same text in the normal color.
// Under a contrast theme the pane takes the system's colors, an alert those of a selection.
void CDlgStatusBar::PaintText(HDC dc, const RECT& pane) {
    if (ContrastThemeOn()) {
        SetTextColor(dc, GetSysColor(alertPending ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(alertPending ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    } else {
        SetTextColor(dc, alertPending ? kAlertColor : GetSysColor(COLOR_INFOTEXT));
        SetBkColor(dc, kPaneBackground);
    }
    ExtTextOutW(dc, pane.left, pane.top, ETO_OPAQUE, &pane, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    alertPending = false;
    accessibility.FrameDrawn(Hwnd());
}

// The bar's value is what its first pane shows; each pane is a text of its own.
AccessibleFacts CDlgStatusBar::Facts(LONG child) {
    if (child == CHILDID_SELF) {
        return {ROLE_SYSTEM_STATUSBAR, L"Status bar", text, 0, {}};
    }
    const std::wstring pane = child == 1 ? text : std::wstring(lockText ? lockText : L"");
    return {ROLE_SYSTEM_STATICTEXT, pane, pane, STATE_SYSTEM_READONLY, {}};
}

RECT CDlgStatusBar::ChildLocation(LONG child) {
    RECT pane{};
    SendMessageW(Hwnd(), SB_GETRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&pane));
    MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&pane), 2);
    return pane;
}

// The first pane's text lives here, not in the bar: it is handed out as the bar's window text and
// as the pane's own text, so screen readers and other programs read what the pane shows.
LRESULT CDlgStatusBar::CopyText(wchar_t* buffer, std::size_t capacity) const {
    if (!buffer || capacity == 0) {
        return 0;
    }
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.c_str(), length, buffer);
    buffer[length] = L'\0';
    return static_cast<LRESULT>(length);
}

LRESULT CDlgStatusBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = accessibility.OnMessage(Hwnd(), message, wParam, lParam)) {
        return *answer;
    }
    switch (message) {
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text.size());
    case WM_GETTEXT:
        return CopyText(reinterpret_cast<wchar_t*>(lParam), wParam);
    case SB_GETTEXTLENGTHW:
        if (LOWORD(wParam) != 0) {
            return DefaultProc(message, wParam, lParam);
        }
        return MAKELRESULT(text.size(), SBT_OWNERDRAW);
    case SB_GETTEXTW:
        if (LOWORD(wParam) != 0) {
            return DefaultProc(message, wParam, lParam);
        }
        // The caller's buffer holds the length SB_GETTEXTLENGTH gave, and the terminator.
        CopyText(reinterpret_cast<wchar_t*>(lParam), text.size() + 1);
        return MAKELRESULT(text.size(), SBT_OWNERDRAW);
    case Reflected(WM_DRAWITEM):
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SIZE: {
        LRESULT result = DefaultProc(message, wParam, lParam);
        SetPaneWidths();
        return result;
    }
    case WM_NCDESTROY:
        // Gone with its parent: nothing left for the owner to destroy.
        bar.Release();
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

void RepositionForStatusBar(HWND dialog, HWND statusBar) {
    if (!statusBar) {
        return;
    }
    RECT barRect{}, dialogRect{};
    GetWindowRect(statusBar, &barRect);
    GetWindowRect(dialog, &dialogRect);
    SetWindowPos(dialog, nullptr, 0, 0, dialogRect.right - dialogRect.left,
                 dialogRect.bottom - dialogRect.top + (barRect.bottom - barRect.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    // A bottom-aligned bar moves itself to its parent's bottom edge when told of a size change.
    SendMessageW(statusBar, WM_SIZE, 0, 0);
}
