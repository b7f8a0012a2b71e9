#include "widgets/CXTipEdit.h"

#include "framework/DcGuards.h"

#include <windowsx.h>

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriod = 80;
// Wide enough that the tip never wraps: it must show the text on one line, like the edit.
constexpr LPARAM kMaxTipWidth = 0x7FFF;

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)), L'\0');
    GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

} // namespace

// The dialog normally destroys the edit first (see WM_DESTROY); this covers an object that goes
// while its edit lives on.
CXTipEdit::~CXTipEdit() {
    if (Hwnd()) {
        KillTimer(Hwnd(), kHoverTimer);
    }
}

// The tooltip is made when a truncated text first needs it: a popup window is among the dearest
// things to make under Wine, and the first screen does not show it.
bool CXTipEdit::Attach(HWND dialog, int id) {
    return SubclassedControl::Attach(dialog, id);
}

// Without a tooltip the messages below go to a null window and the field works as a plain edit.
void CXTipEdit::CreateToolTip() {
    tooltip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    // The record up to lParam: 44 bytes in a 32-bit build. A 64-bit tooltip wants the same record at
    // its 64-bit size and ignores one that claims 44 (Wine's does).
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // Transparent, so the edit keeps getting the mouse moves while the tip lies over it.
    tool.uFlags = TTF_TRACK | TTF_TRANSPARENT;
    tool.hwnd = Hwnd();
    SendMessageW(tooltip.Get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    SendMessageW(tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Negative vertical margins pull the tip's text onto the line where the edit shows its own.
    RECT margin{0, -1, 0, -1};
    SendMessageW(tooltip.Get(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    SendMessageW(tooltip.Get(), WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
}

// The dialog calls this first for every message of its loop, so only the edit's own Enter counts:
// it must not press the dialog's default button.
bool CXTipEdit::PreTranslateMessage(const MSG& msg) const {
    return Hwnd() && msg.hwnd == Hwnd() && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN;
}

bool CXTipEdit::IsTextTruncated() const {
    std::wstring text = TextOf(Hwnd());
    WindowDc dc(Hwnd());
    SelectObjectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    return extent.cx > client.right - client.left;
}

bool CXTipEdit::CursorInClient(POINT point) const {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    return PtInRect(&client, point) != FALSE;
}

void CXTipEdit::Deactivate() {
    SendMessageW(tooltip.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

// Outside the client area the edit holds the mouse capture (a selection drag): the tip goes.
void CXTipEdit::OnMouseMove(POINT point) {
    if (!IsTextTruncated()) {
        return;
    }
    if (!CursorInClient(point)) {
        Deactivate();
        return;
    }
    if (!tooltip) {
        CreateToolTip();
    }
    toolText = TextOf(Hwnd());
    tool.lpszText = toolText.data();
    SendMessageW(tooltip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    POINT origin{};
    ClientToScreen(Hwnd(), &origin);
    SendMessageW(tooltip.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(origin.x, origin.y));
    SendMessageW(tooltip.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(Hwnd(), kHoverTimer, kHoverPeriod, nullptr);
}

// A tracking tip never hides by itself, and the edit gets no message when the pointer leaves it.
void CXTipEdit::OnTimer() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Hwnd(), &cursor);
    if (CursorInClient(cursor) && (GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_VISIBLE)) {
        return;
    }
    KillTimer(Hwnd(), kHoverTimer);
    Deactivate();
}

LRESULT CXTipEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_TIMER:
        // The edit runs timers of its own while scrolling a selection.
        if (wParam == kHoverTimer) {
            OnTimer();
            return 0;
        }
        break;
    case WM_DESTROY:
        KillTimer(Hwnd(), kHoverTimer);
        // The tooltip belongs to the edit's top-level window, which destroys it first when it goes.
        if (!IsWindow(tooltip.Get())) {
            tooltip.Release();
        }
        tooltip.Reset();
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
