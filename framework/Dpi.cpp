#include "framework/Dpi.h"

#include "framework/DcGuards.h"
#include "framework/SystemLibrary.h"

namespace {

using GetDpiForWindowFunction = UINT WINAPI(HWND);

// Windows 10 before 1607 has no per-window DPI.
GetDpiForWindowFunction* PerWindowDpi() {
    static const SystemLibrary user32(L"user32.dll");
    static auto* function = user32.Find<GetDpiForWindowFunction>("GetDpiForWindow");
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
