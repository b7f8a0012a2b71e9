#include "widgets/CMyHyperLink.h"

#include "framework/Reflection.h"
#include "framework/ShellFunctions.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr UINT_PTR kToolId = 1001;

TOOLINFOW ToolOf(HWND link, const wchar_t* text) {
    TOOLINFOW tool{sizeof(tool)};
    tool.hwnd = link;
    tool.uId = kToolId;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

} // namespace

bool CMyHyperLink::Attach(HWND dialog, int id) {
    if (!SubclassedControl::Attach(dialog, id)) {
        return false;
    }
    PreSubclassWindow();
    return true;
}

// SS_NOTIFY makes the static report clicks and take the mouse at all. The hand is the system's own
// cursor; without it the link keeps the ordinary one.
void CMyHyperLink::PreSubclassWindow() {
    HWND link = Hwnd();
    SetWindowLongPtrW(link, GWL_STYLE, GetWindowLongPtrW(link, GWL_STYLE) | SS_NOTIFY);
    auto current = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (GetObjectW(current ? current : GetStockObject(SYSTEM_FONT), sizeof(logFont), &logFont)) {
        logFont.lfUnderline = 1;
        underlinedFont.Reset(CreateFontIndirectW(&logFont));
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont.Get()), TRUE);
    }
    cursor = LoadCursorW(nullptr, IDC_HAND);
    CreateToolTip();
}

// The tool covers the whole static; its text stays a blank until SetToolTipText.
void CMyHyperLink::CreateToolTip() {
    toolTip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (!toolTip) {
        return;
    }
    TOOLINFOW tool = ToolOf(Hwnd(), L" ");
    GetClientRect(Hwnd(), &tool.rect);
    SendMessageW(toolTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ShowWindow(toolTip.Get(), SW_HIDE);
}

bool CMyHyperLink::EnableToolTip(bool enable) {
    toolTipEnabled = enable;
    return toolTipEnabled;
}

void CMyHyperLink::SetToolTipText(const std::wstring& text) {
    if (toolTipEnabled && toolTip) {
        TOOLINFOW tool = ToolOf(Hwnd(), text.c_str());
        SendMessageW(toolTip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CMyHyperLink::SetTipColors(Color background, Color text) {
    if (toolTip) {
        SendMessageW(toolTip.Get(), TTM_SETTIPBKCOLOR, background, 0);
        SendMessageW(toolTip.Get(), TTM_SETTIPTEXTCOLOR, text, 0);
    }
}

// The tooltip sees the mouse through the link's own procedure, since a subclassed control's
// messages never pass a pre-translation step of ours.
LRESULT CMyHyperLink::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (toolTip && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{Hwnd(), message, wParam, lParam, 0, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
        SendMessageW(toolTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case WM_SETCURSOR:
        if (!cursor) {
            return DefaultProc(message, wParam, lParam);
        }
        SetCursor(cursor);
        return TRUE;
    case WM_MOUSEMOVE: {
        LRESULT result = DefaultProc(message, wParam, lParam);
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return result;
    }
    case Reflected(WM_CTLCOLORSTATIC):
        return OnCtlColor(reinterpret_cast<HDC>(wParam));
    case Reflected(WM_COMMAND):
        if (HIWORD(wParam) != STN_CLICKED) {
            return 0;
        }
        OnClicked();
        return TRUE;
    case WM_DESTROY:
        // The tooltip is owned by the dialog, which may already have taken it down.
        if (IsWindow(toolTip.Get())) {
            toolTip.Reset();
        } else {
            toolTip.Release();
        }
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

// The capture keeps the moves coming after the pointer leaves, so the link can turn back.
void CMyHyperLink::OnMouseMove(POINT point) {
    if (!hovering) {
        hovering = true;
        Repaint();
        SetCapture(Hwnd());
        return;
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    if (!PtInRect(&client, point)) {
        hovering = false;
        ReleaseCapture();
        Repaint();
    }
}

// The launch's outcome is not reported: a link that could not open still counts as visited.
void CMyHyperLink::OnClicked() {
    ShellOpen(nullptr, L"open", url.c_str(), SW_SHOWMINIMIZED);
    visited = true;
    Repaint();
}

// The null brush leaves the dialog's background showing behind the text.
LRESULT CMyHyperLink::OnCtlColor(HDC dc) const {
    SetTextColor(dc, visited ? visitedColor : hovering ? hoverColor : linkColor);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void CMyHyperLink::Repaint() const {
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
