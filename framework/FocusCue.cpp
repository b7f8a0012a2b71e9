#include "framework/FocusCue.h"

#include "framework/DcGuards.h"
#include "framework/UniqueHandle.h"

namespace {

// Every other pixel, as the system's own focus rectangles are dotted.
HBRUSH DotBrush() {
    static const UniqueBrush brush = [] {
        static constexpr WORD kDots[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        UniqueBitmap pattern(CreateBitmap(8, 8, 1, 1, kDots));
        return UniqueBrush(CreatePatternBrush(pattern.Get()));
    }();
    return brush.Get();
}

} // namespace

// The change WM_UPDATEUISTATE announces is taken from the message itself: not every system keeps
// the state where WM_QUERYUISTATE finds it (Wine always answers 0).
void FocusCue::Follow(HWND window, UINT message, WPARAM wParam) {
    const bool wasShown = Shown();
    switch (message) {
    case WM_SETFOCUS:
        focused = true;
        SystemParametersInfoW(SPI_GETFOCUSBORDERWIDTH, 0, &width, 0);
        SystemParametersInfoW(SPI_GETFOCUSBORDERHEIGHT, 0, &height, 0);
        hidden = (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        break;
    case WM_UPDATEUISTATE:
        if (HIWORD(wParam) & UISF_HIDEFOCUS) {
            if (LOWORD(wParam) == UIS_SET) {
                hidden = true;
            } else if (LOWORD(wParam) == UIS_CLEAR) {
                hidden = false;
            } else {
                hidden = (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
            }
        }
        break;
    case WM_KILLFOCUS:
        focused = false;
        break;
    default:
        break;
    }
    if (Shown() != wasShown) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void FocusCue::DrawFocusBorder(HDC dc, const RECT& rect) {
    UINT width = 1;
    UINT height = 1;
    SystemParametersInfoW(SPI_GETFOCUSBORDERWIDTH, 0, &width, 0);
    SystemParametersInfoW(SPI_GETFOCUSBORDERHEIGHT, 0, &height, 0);
    DrawFocusBorder(dc, rect, width, height);
}

// The sides are the border width thick, the top and bottom its height.
void FocusCue::DrawFocusBorder(HDC dc, const RECT& rect, UINT width, UINT height) {
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    const int rectWidth = rect.right - rect.left;
    const int rectHeight = rect.bottom - rect.top;
    // The pattern's set bits take the background color: white inverts, black leaves alone.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    SelectObjectGuard brush(dc, DotBrush());
    SetBrushOrgEx(dc, 0, 0, nullptr);
    PatBlt(dc, rect.left, rect.top, rectWidth, h, PATINVERT);
    PatBlt(dc, rect.left, rect.bottom - h, rectWidth, h, PATINVERT);
    PatBlt(dc, rect.left, rect.top + h, w, rectHeight - 2 * h, PATINVERT);
    PatBlt(dc, rect.right - w, rect.top + h, w, rectHeight - 2 * h, PATINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}
