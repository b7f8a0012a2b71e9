#include "color/ColorTrackingWnd.h"

#include "framework/DcGuards.h"

namespace {
constexpr LONG kPixelsPerMetre = 144000;
}

bool ColorTrackingWnd::CreateColorWindow(const wchar_t* text, DWORD style, int left, int top, int right,
                                         int bottom, HWND parent, int id) {
    // A DC of its own keeps its state from one paint to the next: a shared one is set up again for
    // every paint, and under Wine that includes a font selection, several system calls, on each of the
    // repaints a drag move makes.
    const wchar_t* className = RegisterWindowClass(CS_DBLCLKS | CS_OWNDC, LoadCursorW(nullptr, IDC_ARROW));
    return CreateChild(className, text, style, RECT{left, top, right, bottom}, parent, id);
}

bool ColorTrackingWnd::ResizeBitmap(int width, int height) {
    bitmapDc.Reset();
    bitmap.Reset();
    bits = nullptr;
    bitmapWidth = bitmapHeight = 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up, row 0 is the bottom screen row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * height * 4;
    info.bmiHeader.biXPelsPerMeter = kPixelsPerMetre;
    info.bmiHeader.biYPelsPerMeter = kPixelsPerMetre;
    void* memory = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bitmapDc.Reset(bitmap && memory ? CreateCompatibleDC(nullptr) : nullptr);
    if (!bitmapDc) {
        bitmap.Reset();
        return false;
    }
    SelectObject(bitmapDc.Get(), bitmap.Get());
    bits = static_cast<Pixel*>(memory);
    bitmapWidth = width;
    bitmapHeight = height;
    return true;
}

void ColorTrackingWnd::PaintOffscreen(HDC dc, const std::function<void(HDC memory)>& draw) {
    if (!bitmapDc) {
        return;
    }
    HDC memory = bitmapDc.Get();
    const int savedState = SaveDC(memory);
    {
        UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        SelectObjectGuard pen(memory, GetStockObject(NULL_PEN));
        SelectObjectGuard brush(memory, face.Get());
        Rectangle(memory, 0, 0, bitmapWidth + 1, bitmapHeight + 1);
    }
    draw(memory);
    if (focusCue.Shown()) {
        focusCue.Draw(memory, RECT{0, 0, bitmapWidth, bitmapHeight});
    }
    GdiFlush();
    BitBlt(dc, 0, 0, bitmapWidth, bitmapHeight, memory, 0, 0, SRCCOPY);
    RestoreDC(memory, savedState);
    accessibility.FrameDrawn(Hwnd());
}

LRESULT ColorTrackingWnd::OnCommonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = accessibility.OnMessage(Hwnd(), message, wParam, lParam)) {
        return *answer;
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        focusCue.Follow(Hwnd(), message, wParam);
        return result;
    }
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

void ColorTrackingWnd::SendStatus(ColorCtrlStatus status) {
    if (notifyWnd) {
        SendMessageW(notifyWnd, WM_COLORCTRL_STATUS, status, 0);
    }
}

void ColorTrackingWnd::ToggleLockIfCtrlDown() {
    if (GetAsyncKeyState(VK_CONTROL) >= 0) {
        return;
    }
    trackingLocked = !trackingLocked;
    SendStatus(trackingLocked ? StatusLocked : StatusUnlocked);
}
