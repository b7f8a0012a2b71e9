#include "app/CGrabMagnifier.h"

#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "library/ColorFormat.h"

namespace {

constexpr int kLabelHeight = 18;
// The window keeps this far from the cursor, so the pixels it takes never include itself.
constexpr int kCursorGap = 24;

} // namespace

CGrabMagnifier::~CGrabMagnifier() {
    Destroy();
}

void CGrabMagnifier::Follow(HWND owner, POINT cursor) {
    if (!Hwnd()) {
        // Sized for the owner's screen, so the pixels show as large as on a 96 DPI one.
        const int dpi = WindowDpi(owner);
        zoom = ScaleToDpi(kZoom, dpi);
        cursorGap = ScaleToDpi(kCursorGap, dpi);
        const int side = ImageSide();
        const RECT rect{0, 0, side + 2, side + ScaleToDpi(kLabelHeight, dpi) + 2};
        // Never activated and transparent to the mouse: the grab keeps the capture and the focus.
        if (!CreatePopup(RegisterWindowClass(0, LoadCursorW(nullptr, IDC_ARROW)), L"",
                         WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                         WS_POPUP | WS_BORDER, rect, owner)) {
            return;
        }
        NONCLIENTMETRICSW metrics{sizeof(metrics)};
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        labelFont.Reset(CreateFontIndirectW(&metrics.lfStatusFont));
    }
    // Out of the way first, so that it takes the screen's pixels rather than its own.
    PlaceBeside(cursor);
    Capture(cursor);
    InvalidateRect(Hwnd(), nullptr, FALSE);
    UpdateWindow(Hwnd());
}

bool CGrabMagnifier::Covers(POINT cursor) const {
    RECT window{};
    if (!Hwnd() || !IsWindowVisible(Hwnd()) || !GetWindowRect(Hwnd(), &window)) {
        return false;
    }
    const RECT taken{cursor.x - kReach, cursor.y - kReach, cursor.x + kReach + 1, cursor.y + kReach + 1};
    RECT overlap{};
    return IntersectRect(&overlap, &window, &taken) != FALSE;
}

void CGrabMagnifier::Hide() {
    if (Hwnd()) {
        ShowWindow(Hwnd(), SW_HIDE);
    }
}

void CGrabMagnifier::Capture(POINT cursor) {
    WindowDc screen(nullptr);
    if (!pixelsDc) {
        pixelsDc.Reset(CreateCompatibleDC(screen.Get()));
        pixels.Reset(CreateCompatibleBitmap(screen.Get(), kSpan, kSpan));
    }
    SelectObjectGuard select(pixelsDc.Get(), pixels.Get());
    // Parts beyond the screen's edge stay black.
    PatBlt(pixelsDc.Get(), 0, 0, kSpan, kSpan, BLACKNESS);
    BitBlt(pixelsDc.Get(), 0, 0, kSpan, kSpan, screen.Get(), cursor.x - kReach, cursor.y - kReach, SRCCOPY);
    centre = GetPixel(pixelsDc.Get(), kReach, kReach) & 0x00FFFFFF;
}

// Below right of the cursor, flipped to the other side where the monitor ends.
void CGrabMagnifier::PlaceBeside(POINT cursor) {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcMonitor;
    int x = cursor.x + cursorGap;
    int y = cursor.y + cursorGap;
    if (x + width > area.right) {
        x = cursor.x - cursorGap - width;
    }
    if (y + height > area.bottom) {
        y = cursor.y - cursorGap - height;
    }
    SetWindowPos(Hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CGrabMagnifier::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

void CGrabMagnifier::Paint(HDC dc, const RECT& client) {
    if (pixelsDc) {
        SelectObjectGuard select(pixelsDc.Get(), pixels.Get());
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, ImageSide(), ImageSide(), pixelsDc.Get(), 0, 0, kSpan, kSpan, SRCCOPY);
    }
    // The centre pixel's frame: black and white, so it shows on any color.
    const int left = kReach * zoom;
    RECT outer{left - 2, left - 2, left + zoom + 2, left + zoom + 2};
    RECT inner{left - 1, left - 1, left + zoom + 1, left + zoom + 1};
    FrameRect(dc, &outer, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    RECT label{0, ImageSide(), client.right, client.bottom};
    FillRect(dc, &label, GetSysColorBrush(COLOR_INFOBK));
    SelectObjectGuard font(dc, labelFont.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const std::wstring value = FormatColor(centre, L"#RRGGBB");
    DrawTextW(dc, value.c_str(), static_cast<int>(value.size()), &label,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
