#include "framework/Dpi.h"

#include "framework/DcGuards.h"
#include "framework/SystemLibrary.h"

namespace {

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

const SystemLibrary& User32() {
    static const SystemLibrary user32(L"user32.dll");
    return user32;
}

// Windows 10 before 1607 has no per-window DPI.
GetDpiForWindowFunction* PerWindowDpi() {
    static auto* function = User32().Find<GetDpiForWindowFunction>("GetDpiForWindow");
    return function;
}

} // namespace

int WindowDpi(HWND window) {
    if (auto* perWindow = PerWindowDpi(); perWindow && window) {
        if (UINT dpi = perWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

// AdjustWindowRectEx measures the frame at the system's DPI, which a per-monitor-aware window on
// another screen does not have.
void AdjustWindowRectForDpi(RECT& rect, HWND window, int dpi) {
    static auto* forDpi = User32().Find<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const BOOL menu = GetMenu(window) != nullptr;
    if (!forDpi || !forDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    }
}
