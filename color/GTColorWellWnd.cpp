#include "color/GTColorWellWnd.h"

#include "color/ColorCtrlMessages.h"
#include "color/GTColorSelectorWnd.h"
#include "framework/DcGuards.h"
#include "framework/UniqueHandle.h"

bool GTColorWellWnd::Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id) {
    const wchar_t* className = RegisterWindowClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateChild(className, L"HuewrightColorWnd", style, RECT{left, top, right, bottom}, parent, id)) {
        return false;
    }
    UpdateWindow(Hwnd());
    return true;
}

void GTColorWellWnd::SetColor(Color newColor) {
    color = newColor;
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT GTColorWellWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return OnPaintMessage(message, wParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(Hwnd(), nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        SetFocus(Hwnd());
        return DefaultProc(message, wParam, lParam);
    default:
        if (message == WM_COLORCTRL_CHANGED) {
            return OnColorCtrlChanged();
        }
        return DefaultProc(message, wParam, lParam);
    }
}

// Drawn off-screen and copied in one transfer so the swatch never flickers.
void GTColorWellWnd::Paint(HDC dc, const RECT& client) {
    UniqueDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!memory || !bitmap) {
        return;
    }
    UniqueBrush brush(CreateSolidBrush(color));
    {
        SelectObjectGuard selectedBitmap(memory.Get(), bitmap.Get());
        SelectObjectGuard selectedPen(memory.Get(), GetStockObject(NULL_PEN));
        SelectObjectGuard selectedBrush(memory.Get(), brush.Get());
        Rectangle(memory.Get(), client.left, client.top, client.right + 1, client.bottom + 1);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
}

// The message's own value is not used: the well reads the selector's current color.
LRESULT GTColorWellWnd::OnColorCtrlChanged() {
    if (colorSource) {
        SetColor(colorSource->CurrentColor());
    }
    if (notifyWnd) {
        SendMessageW(notifyWnd, WM_COLORWELL_CHANGED, 0, 0);
    }
    return 0;
}
